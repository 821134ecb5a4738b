#pragma once

#include <cstdint>
#include <vector>

namespace lrl {

class TLineNode;
class TTabStops;

// One row of the viewer as it is drawn: the node's characters with every TAB expanded to blanks up to its
// next tab stop (each blank carrying the TAB's token value), one token value per display column, and the
// maps between character indexes and display columns. The painter, the page renderer and the exporters
// build one per row into the same buffers, which start at 2049 entries and grow by 2048 whenever a row
// needs more.
class TDisplayLine {
public:
    static constexpr int kInitialSize = 2049;
    static constexpr int kGrowStep = 2048;

    // How a display column came about.
    enum Kind : uint8_t {
        Char, // a character of the node
        TabStart, // the first blank of an expanded TAB
        TabFill, // a further blank of an expanded TAB
        LineEnd, // the column that stands for the end of a row which ends in neither CR nor a blank
    };

    TDisplayLine();

    // Builds the display form of a node (token values 0 when it has none). A CR keeps its column.
    void build(const TLineNode& node, const TTabStops& tabs);
    // The same for loose characters with their token values (values may be null).
    void build(const char* chars, const uint8_t* values, int count, bool hasTab, const TTabStops& tabs);
    // Gives a row that ends in neither CR nor a blank (a row cut from a longer line, the last line of a
    // text) one more display column, a blank of kind LineEnd with the last character's token value, so
    // that every row ends in a column that stands for its line end, as a CR-ended row does. The column is
    // laid out but never drawn; the character maps are unchanged.
    void addLineEnd();

    int length() const { return m_length; }
    int charCount() const { return m_charCount; }
    const char* chars() const { return m_chars.data(); }
    const uint8_t* values() const { return m_values.data(); }
    const uint8_t* kinds() const { return m_kinds.data(); }
    bool endsWithCR() const { return m_length > 0 && m_chars[m_length - 1] == '\r'; }

    // The display column of character index k (0 ... charCount(); charCount() maps to length()).
    int columnOf(int k) const;
    // The character index at display column c (0 ... length(); a column inside an expanded TAB gives the
    // TAB's index).
    int charAt(int column) const;

    // The entries each buffer holds now.
    int capacity() const { return static_cast<int>(m_chars.size()); }

private:
    void reserveColumns(int columns);
    void reserveChars(int chars);

    std::vector<char> m_chars;
    std::vector<uint8_t> m_values;
    std::vector<uint8_t> m_kinds;
    std::vector<int> m_charOfColumn;
    std::vector<int> m_columnOfChar;
    int m_length = 0;
    int m_charCount = 0;
};

} // namespace lrl
