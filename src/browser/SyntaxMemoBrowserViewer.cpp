#include "browser/SyntaxMemoBrowserViewer.h"

#include "browser/TokenSink.h"
#include "common/CodePage.h"
#include "common/ReadOnlyMemoryStream.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TEdStream.h"

#include <algorithm>

namespace lrl {

SyntaxMemoBrowserViewer::SyntaxMemoBrowserViewer(TCustomSyntaxMemo& memo)
    : m_memo(memo)
{
}

SyntaxMemoBrowserViewer::~SyntaxMemoBrowserViewer()
{
    if (m_sink)
        m_memo.OnTokenSeen = nullptr;
}

void SyntaxMemoBrowserViewer::load(const std::string& path) { m_memo.loadFromFile(path); }

void SyntaxMemoBrowserViewer::setTokenSink(TokenSink* sink)
{
    m_sink = sink;
    if (!sink) {
        m_memo.OnTokenSeen = nullptr;
        return;
    }
    m_memo.OnTokenSeen
        = [sink](TCustomSyntaxMemo&, int& value, int start, int end) { sink->tokenSeen(value, start, end); };
}

std::string SyntaxMemoBrowserViewer::tokenText(int32_t start, int32_t end) const
{
    if (end <= start)
        return {};
    // The stream follows the store (also a store another viewer attached this one to) and re-finds its
    // place after a change, so it is created once and kept.
    auto& reader = const_cast<std::unique_ptr<TEdStream>&>(m_reader);
    if (!reader)
        reader = std::make_unique<TEdStream>(const_cast<TCustomSyntaxMemo&>(m_memo).textStore());
    reader->seek(static_cast<int64_t>(start));
    std::string text(static_cast<size_t>(end - start), '\0');
    size_t got = reader->CharStream::read(reinterpret_cast<uint8_t*>(text.data()), text.size());
    text.resize(got);
    for (char c : text)
        if (static_cast<unsigned char>(c) >= 0x80)
            return CodePage::of(m_memo.codePage()).toUtf8(text);
    return text;
}

void SyntaxMemoBrowserViewer::setLegacyCodePage(int codePage) { m_memo.setLegacyCodePage(codePage); }

SourceEncodingInfo SyntaxMemoBrowserViewer::sourceEncoding() const { return m_memo.sourceEncoding(); }

int SyntaxMemoBrowserViewer::lineCount() const
{
    // The store cuts long lines into several nodes (and word wrap into rows); the file's lines are its
    // line ends, and a last line without one.
    const TTextStore& store = m_memo.textStore();
    const TLineNode* last = store.last();
    return store.lineEndCount() + (last && !last->endsLine() ? 1 : 0);
}

int32_t SyntaxMemoBrowserViewer::textLength() const { return m_memo.textStore().charCount(); }

void SyntaxMemoBrowserViewer::clear() { m_memo.clear(); }

void SyntaxMemoBrowserViewer::suspendLineUpdates() { m_memo.lines().beginUpdate(); }

void SyntaxMemoBrowserViewer::resumeLineUpdates() { m_memo.lines().endUpdate(); }

void SyntaxMemoBrowserViewer::setWordWrap(bool on)
{
    TSyntaxMemoOptions options = m_memo.options();
    if (options.has(smoWordWrap) == on)
        return;
    options.set(smoWordWrap, on);
    m_memo.setOptions(options);
}

void SyntaxMemoBrowserViewer::setFocusLineVisible(bool on) { m_memo.setShowFocusLine(on); }

void SyntaxMemoBrowserViewer::loadText(const std::string& text)
{
    ReadOnlyMemoryStream in(
        std::span<const uint8_t>(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    m_memo.loadFromStream(in);
}

void SyntaxMemoBrowserViewer::setLines(const std::vector<std::string>& lines)
{
    // Added to the cleared viewer, the lines are loaded as a file's text is, their encoding detected.
    m_memo.clear();
    m_memo.lines().addStrings(lines);
    m_memo.setSelStart(0);
}

void SyntaxMemoBrowserViewer::moveCaretTo(int32_t offset)
{
    m_memo.setSelStart(offset);
    m_memo.scrollCaret();
}

} // namespace lrl

namespace lrl {

void SyntaxMemoBrowserViewer::showSelectionNearTop(int32_t start, int32_t end)
{
    m_memo.setHideSelection(false);
    m_memo.setSelection(start, end);
    const int rows = std::max(m_memo.rowsInWindow(), 1);
    const int line = m_memo.lineFromChar(start);
    const int above = std::min(kLinesAboveTop, (rows - 1) / 4);
    // Near the end of the text the view stays full instead of showing empty rows below the last line.
    const int lastTop = std::max(0, m_memo.textStore().lineCount() - rows);
    m_memo.setTopLine(std::min(std::max(0, line - above), lastTop));
    // The caret's line is in view now; this brings its column into view as well.
    m_memo.scrollCaret();
}

} // namespace lrl
