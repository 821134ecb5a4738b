#include "viewer/TTabStops.h"

#include "common/Exception.h"
#include "common/Format.h"
#include "scheme/TSM_Settings.h"
#include "viewer/TLineNode.h"

#include <algorithm>
#include <climits>

namespace lrl {

TTabStops TTabStops::fromSettings(const TSM_Settings& settings)
{
    TTabStops tabs;
    tabs.m_default = settings.tabDefault >= 1 ? settings.tabDefault : 4;
    for (int i = 0; i < kMaxColumns; ++i) {
        int column = settings.tabColumn(i);
        if (column < 0 || (i > 0 && column <= tabs.m_columns[i - 1]))
            break;
        tabs.m_columns[i] = column;
        tabs.m_count = i + 1;
    }
    return tabs;
}

void TTabStops::toSettings(TSM_Settings& settings) const
{
    settings.tabDefault = m_default;
    for (int i = 0; i < kMaxColumns; ++i)
        settings.setTabColumn(i, m_columns[i]);
}

void TTabStops::setTabDefault(int width)
{
    // Zero is what the message names; a negative width would break the tab arithmetic just as well.
    if (width < 1)
        throw ESyntaxMemo("=Illegal default tab stop value, must be > 0");
    m_default = width;
}

std::string TTabStops::tabColumns() const
{
    std::string out;
    for (int i = 0; i < m_count; ++i)
        out += format(i == 0 ? "%d" : " %d", m_columns[i] + 1);
    return out;
}

void TTabStops::setTabColumns(std::string_view text)
{
    auto isSeparator = [](char c) { return c == ' ' || c == '\t' || c == ';'; };
    auto isDigit = [](char c) { return c >= '0' && c <= '9'; };
    std::array<int, kMaxColumns> columns = filled();
    int count = 0;
    size_t i = 0;
    while (true) {
        while (i < text.size() && isSeparator(text[i]))
            ++i;
        if (i == text.size())
            break;
        if (!isDigit(text[i]))
            throw ESyntaxMemo("Tab stop column value expected");
        long long value = 0;
        while (i < text.size() && isDigit(text[i])) {
            value = std::min<long long>(value * 10 + (text[i] - '0'), INT_MAX / 2);
            ++i;
        }
        if (i < text.size() && !isSeparator(text[i]))
            throw ESyntaxMemo("Tab stop column value expected");
        if (count == kMaxColumns)
            throw ESyntaxMemo(format("Too many tab stops - maximum of %d", kMaxColumns));
        if (value <= 1)
            throw ESyntaxMemo("Tab column must be > 1");
        int column = static_cast<int>(value) - 1;
        if (count > 0 && column <= columns[count - 1])
            throw ESyntaxMemo("Tab columns must be in order and unique");
        columns[count++] = column;
    }
    m_columns = columns;
    m_count = count;
}

int TTabStops::nextTabColumn(int column) const
{
    if (m_count > 0) {
        auto end = m_columns.begin() + m_count;
        auto it = std::upper_bound(m_columns.begin(), end, column);
        if (it != end)
            return *it;
    }
    if (column < 0)
        return 0;
    return column + (m_default - column % m_default);
}

int TTabStops::columnOfChar(const TLineNode& node, int k) const
{
    int limit = node.next && node.endsLine() ? node.length - 1 : node.length;
    k = std::clamp(k, 0, limit);
    if (!node.hasTab())
        return k;
    const char* text = node.text();
    int column = 0;
    for (int i = 0; i < k; ++i)
        column = advance(column, text[i]);
    return column;
}

int TTabStops::charAtColumn(const TLineNode& node, int column) const
{
    int limit = node.textLength();
    if (!node.hasTab())
        return std::clamp(column, 0, limit);
    const char* text = node.text();
    int i = 0;
    int at = 0;
    while (i < limit && at < column)
        at = advance(at, text[i++]);
    return i;
}

} // namespace lrl
