// The incremental scan of TCustomSyntaxMemo: the scanner components it is bound to, which scanner it
// drives and when it runs.

#include "viewer/TCustomSyntaxMemo.h"

#include "scheme/TSyntaxMemoParser.h"
#include "viewer/TScanSource.h"
#include "viewer/TSyntaxMemoListener.h"

#include <climits>

namespace lrl {

// --- Bound scanner components

void TCustomSyntaxMemo::setParser(int index, TSyntaxMemoParser* parser)
{
    if (index < 1 || index > TSyntaxMemoParserSlots::kSlots)
        return;
    TSyntaxMemoParser* old = m_parsers.parser(index);
    if (old == parser)
        return;
    m_parsers.setParser(index, parser);
    m_parserSource.reset();
    if (old && !holdsParser(*old))
        old->detachViewer(*this);
    if (parser)
        parser->attachViewer(*this); // takes the scheme over when the slot is the active one
}

void TCustomSyntaxMemo::setActiveParser(int index)
{
    if (index < 1 || index > TSyntaxMemoParserSlots::kSlots || index == m_parsers.activeIndex())
        return;
    m_parsers.setActiveIndex(index);
    m_parserSource.reset();
    if (TSyntaxMemoParser* parser = m_parsers.parser(index))
        takeScheme(*parser);
}

void TCustomSyntaxMemo::bindParser(TSyntaxMemoParser& parser)
{
    setActiveParser(1);
    setParser(1, &parser);
}

bool TCustomSyntaxMemo::holdsParser(const TSyntaxMemoParser& parser) const
{
    for (int i = 1; i <= TSyntaxMemoParserSlots::kSlots; ++i)
        if (m_parsers.parser(i) == &parser)
            return true;
    return false;
}

// Attached, or the scheme changed (a compile, a load, the options dialog): the active component's
// settings become the viewer's.
void TCustomSyntaxMemo::parserActivated(TSyntaxMemoParser& parser)
{
    if (&parser == m_parsers.parser(m_parsers.activeIndex()))
        takeScheme(parser);
}

void TCustomSyntaxMemo::parserDetached(TSyntaxMemoParser& parser)
{
    for (int i = 1; i <= TSyntaxMemoParserSlots::kSlots; ++i)
        if (m_parsers.parser(i) == &parser)
            m_parsers.setParser(i, nullptr);
    m_parserSource.reset();
}

// The token values of the old scheme mean nothing in the new one: every node is scanned again.
void TCustomSyntaxMemo::takeScheme(TSyntaxMemoParser& parser)
{
    setSettings(parser.settings());
    if (m_store->empty())
        return;
    m_store->markAll(lfRescan);
    m_scanHint = 0;
    rescan();
}

void TCustomSyntaxMemo::takeSchemeStyles(const TSyntaxMemoParser& parser)
{
    const TSM_Settings& scheme = parser.settings();
    if (scheme.font == m_settings.font && scheme.gutterFont == m_settings.gutterFont
        && scheme.effects == m_settings.effects && scheme.map == m_settings.map)
        return;
    TSM_Settings s = m_settings;
    s.font = scheme.font;
    s.gutterFont = scheme.gutterFont;
    s.effects = scheme.effects;
    s.map = scheme.map;
    s.editableStyles = scheme.editableStyles;
    setSettings(s);
}

// --- The scan

TScanSource* TCustomSyntaxMemo::scanSource() const
{
    if (m_parsers.detached())
        return nullptr;
    if (m_scanSource)
        return m_scanSource;
    TSyntaxMemoParser* parser = m_parsers.active();
    if (!parser || !parser->canHighlight())
        return nullptr;
    if (!m_parserSource) {
        // The component attaches the viewer it scans for; this one attached itself when it was bound.
        ParserClient* client = const_cast<TCustomSyntaxMemo*>(this);
        m_parserSource.emplace(*parser, client);
    }
    return &*m_parserSource;
}

void TCustomSyntaxMemo::rescan()
{
    if (m_scanning || m_scanHint < 0 || m_updateLock || m_loading)
        return;
    TScanSource* source = scanSource();
    if (!source || !options().has(smoSyntaxHighlight))
        return;
    // A busy scanner is in the middle of another viewer's scan further up the call stack; this viewer
    // scans on its next paint instead of disturbing it.
    if (source->busy())
        return;
    struct Scanning {
        bool& flag;
        explicit Scanning(bool& f)
            : flag(f)
        {
            flag = true;
        }
        ~Scanning() { flag = false; }
    } scanning(m_scanning);

    TIncrementalScan::TokenHandler handler;
    if (OnTokenSeen)
        handler = [this](int& value, int start, int end) { OnTokenSeen(*this, value, start, end); };
    bool scanned = false;
    for (;;) {
        TNodePos start = m_scan.firstMarked(m_scanHint);
        if (!start.node) {
            m_scanHint = -1;
            break;
        }
        m_scanHint = start.line;
        if (OnTokenSeen) {
            int before = -1;
            OnTokenSeen(*this, before, -1, -1);
        }
        TIncrementalScan::Range range = m_scan.run(*source, start, handler ? &handler : nullptr);
        if (OnTokenSeen) {
            int after = -2;
            OnTokenSeen(*this, after, -2, -2);
        }
        m_scanHint = range.last + 1;
        scanned = true;
    }
    if (scanned)
        notify([&](TSyntaxMemoListener& l) { l.repaintNeeded(*this); });
}

void TCustomSyntaxMemo::prepareDisplay()
{
    processPendingWrap();
    rescan();
}

void TCustomSyntaxMemo::scanFrom(int line)
{
    TNodePos p = m_store->findLine(std::max(line, 0));
    if (!p.node)
        return;
    p.node->flags |= lfScanStart;
    lowerScanHint(p.line);
    rescan();
}

// After a load every node is marked for rescanning and has no token values: the scan runs over the
// whole text at once, reporting every token, and word wrap cuts the new lines.
void TCustomSyntaxMemo::displayTextLoaded(bool complete)
{
    invalidateLineNumbers();
    m_wrapFrom = m_wrapTo = -1;
    m_scanHint = 0;
    if (m_metricsCodePage != codePage()) {
        followCodePage();
        layoutChanged(false);
    }
    if (!complete)
        return;
    rescan();
    if (options().has(smoWordWrap))
        rewrapRange(0, INT_MAX);
}

} // namespace lrl
