#include "viewer/TDisplayLine.h"

#include "viewer/TLineNode.h"
#include "viewer/TTabStops.h"

#include <algorithm>
#include <cstring>

namespace lrl {

namespace {

    int grownSize(int current, int needed)
    {
        while (current < needed)
            current += TDisplayLine::kGrowStep;
        return current;
    }

} // namespace

TDisplayLine::TDisplayLine()
    : m_chars(kInitialSize)
    , m_values(kInitialSize)
    , m_kinds(kInitialSize)
    , m_charOfColumn(kInitialSize)
    , m_columnOfChar(kInitialSize)
{
}

void TDisplayLine::reserveColumns(int columns)
{
    // One more than the columns: the maps also answer for the position after the last column.
    if (columns + 1 <= static_cast<int>(m_chars.size()))
        return;
    int size = grownSize(static_cast<int>(m_chars.size()), columns + 1);
    m_chars.resize(size);
    m_values.resize(size);
    m_kinds.resize(size);
    m_charOfColumn.resize(size);
}

void TDisplayLine::reserveChars(int chars)
{
    if (chars + 1 > static_cast<int>(m_columnOfChar.size()))
        m_columnOfChar.resize(grownSize(static_cast<int>(m_columnOfChar.size()), chars + 1));
}

void TDisplayLine::build(const TLineNode& node, const TTabStops& tabs)
{
    build(node.text(), node.attrs(), node.length, node.hasTab(), tabs);
}

void TDisplayLine::build(const char* chars, const uint8_t* values, int count, bool hasTab, const TTabStops& tabs)
{
    count = std::max(count, 0);
    m_charCount = count;
    reserveChars(count);
    if (!hasTab) {
        reserveColumns(count);
        std::memcpy(m_chars.data(), chars, static_cast<size_t>(count));
        if (values)
            std::memcpy(m_values.data(), values, static_cast<size_t>(count));
        else
            std::memset(m_values.data(), 0, static_cast<size_t>(count));
        std::memset(m_kinds.data(), Char, static_cast<size_t>(count));
        for (int k = 0; k <= count; ++k)
            m_columnOfChar[k] = m_charOfColumn[k] = k;
        m_length = count;
        return;
    }
    int column = 0;
    for (int k = 0; k < count; ++k) {
        m_columnOfChar[k] = column;
        uint8_t value = values ? values[k] : 0;
        if (chars[k] == '\t') {
            int next = tabs.nextTabColumn(column);
            reserveColumns(next);
            for (int c = column; c < next; ++c) {
                m_chars[c] = ' ';
                m_values[c] = value;
                m_kinds[c] = c == column ? TabStart : TabFill;
                m_charOfColumn[c] = k;
            }
            column = next;
        } else {
            reserveColumns(column + 1);
            m_chars[column] = chars[k];
            m_values[column] = value;
            m_kinds[column] = Char;
            m_charOfColumn[column] = k;
            ++column;
        }
    }
    m_columnOfChar[count] = column;
    m_charOfColumn[column] = count;
    m_length = column;
}

void TDisplayLine::addLineEnd()
{
    if (m_length == 0)
        return;
    const auto last = static_cast<unsigned char>(m_chars[m_length - 1]);
    if (last <= ' ' || last == 160)
        return;
    reserveColumns(m_length + 1);
    m_chars[m_length] = ' ';
    m_values[m_length] = m_values[m_length - 1];
    m_kinds[m_length] = LineEnd;
    m_charOfColumn[m_length + 1] = m_charCount;
    ++m_length;
}

int TDisplayLine::columnOf(int k) const { return m_columnOfChar[std::clamp(k, 0, m_charCount)]; }

int TDisplayLine::charAt(int column) const { return m_charOfColumn[std::clamp(column, 0, m_length)]; }

} // namespace lrl
