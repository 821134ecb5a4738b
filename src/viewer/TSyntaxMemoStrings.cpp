#include "viewer/TSyntaxMemoStrings.h"

#include "common/ReadOnlyMemoryStream.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TSyntaxMemoListener.h"

#include <span>

namespace lrl {

int TSyntaxMemoStrings::count() const
{
    int n = m_memo.getLineCount();
    if (n == 1 && m_memo.textStore().charCount() == 0)
        return 0;
    return n;
}

std::string TSyntaxMemoStrings::get(int i) const
{
    char buffer[4096];
    int n = m_memo.getLine(i, buffer, sizeof buffer);
    return std::string(buffer, static_cast<size_t>(n));
}

void TSyntaxMemoStrings::put(int i, const std::string& s)
{
    if (i < 0)
        return;
    int start = m_memo.lineIndex(i);
    if (start < 0)
        return;
    m_memo.setSelection(start, start + m_memo.lineLength(start));
    m_memo.replaceSelection(s);
}

void TSyntaxMemoStrings::insert(int i, const std::string& s)
{
    int start = i >= 0 ? m_memo.lineIndex(i) : -1;
    if (start >= 0) {
        m_memo.setSelection(start, start);
        m_memo.replaceSelection(s + "\r\n");
        return;
    }
    // Past the last line: a line end goes before s, unless the last line is empty.
    int end = m_memo.textStore().charCount();
    bool lastEmpty = m_memo.lineLength(end) == 0;
    m_memo.setSelection(end, end);
    if (!lastEmpty)
        m_memo.replaceSelection("\r" + s);
    else
        m_memo.replaceSelection(s.empty() ? std::string("\r") : s);
}

void TSyntaxMemoStrings::deleteLine(int i)
{
    if (i < 0)
        return;
    int start = m_memo.lineIndex(i);
    if (start < 0)
        return;
    int next = m_memo.lineIndex(i + 1);
    m_memo.setSelection(start, next >= 0 ? next : m_memo.textStore().charCount());
    m_memo.replaceSelection(std::string_view());
}

void TSyntaxMemoStrings::clear() { m_memo.clear(); }

// Into an empty text the lines are loaded (one per entry, each ending in CR LF); otherwise they are added
// after the last line, so that the text already there is kept.
void TSyntaxMemoStrings::addStrings(const std::vector<std::string>& list)
{
    if (m_memo.textStore().charCount() > 0) {
        m_memo.appendLines(list);
        return;
    }
    std::string text;
    for (const auto& line : list) {
        text += line;
        text += "\r\n";
    }
    ReadOnlyMemoryStream in(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    m_memo.loadFromStream(in);
}

void TSyntaxMemoStrings::setText(const std::string& s)
{
    std::string text;
    text.reserve(s.size() + s.size() / 16);
    for (size_t i = 0; i < s.size(); ++i) {
        char c = s[i];
        if (c != '\r' && c != '\n') {
            text += c;
            continue;
        }
        text += "\r\n";
        char partner = c == '\r' ? '\n' : '\r';
        if (i + 1 < s.size() && s[i + 1] == partner)
            ++i;
    }
    if (static_cast<int64_t>(text.size()) == m_memo.textLength() && text == m_memo.text())
        return;
    m_memo.setText(text);
}

std::string TSyntaxMemoStrings::getText() const { return m_memo.text(); }

void TSyntaxMemoStrings::beginUpdate()
{
    if (m_updates++ == 0)
        m_memo.setRedraw(false);
}

void TSyntaxMemoStrings::endUpdate()
{
    if (m_updates > 0 && --m_updates == 0)
        m_memo.setRedraw(true);
}

void TSyntaxMemoStrings::loadFromStream(Stream& in) { m_memo.loadFromStream(in); }

void TSyntaxMemoStrings::loadFromFile(const std::string& fileName) { m_memo.loadFromFile(fileName); }

void TSyntaxMemoStrings::saveToStream(Stream& out) { m_memo.saveToStream(out); }

void TSyntaxMemoStrings::saveToFile(const std::string& fileName) { m_memo.saveToFile(fileName); }

} // namespace lrl
