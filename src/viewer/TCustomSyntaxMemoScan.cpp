// The incremental scan of TCustomSyntaxMemo: which scanner it drives and when it runs.

#include "viewer/TCustomSyntaxMemo.h"

#include "viewer/TScanSource.h"
#include "viewer/TSyntaxMemoListener.h"

#include <climits>

namespace lrl {

TScanSource* TCustomSyntaxMemo::scanSource() const
{
    if (m_parsers.detached())
        return nullptr;
    return m_scanSource;
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
    if (!complete)
        return;
    rescan();
    if (options().has(smoWordWrap))
        rewrapRange(0, INT_MAX);
}

} // namespace lrl
