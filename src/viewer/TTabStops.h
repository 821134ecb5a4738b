#pragma once

#include <array>
#include <string>
#include <string_view>

namespace lrl {

class TLineNode;
struct TSM_Settings;

// Tab stops and the mapping between character indexes and display columns (0-based; a TAB advances to
// the next tab stop, any other character by one).
//
// TabDefault is the default tab width; TabColumns are up to 32 explicit tab columns, ascending. Setting
// either with a bad value raises ESyntaxMemo and keeps the old value.
class TTabStops {
public:
    static constexpr int kMaxColumns = 32;

    // The tab stops of a settings object (a default width below 1 reads as 4; the columns are taken up to
    // the first empty or out-of-order slot), and writing them back.
    static TTabStops fromSettings(const TSM_Settings& settings);
    void toSettings(TSM_Settings& settings) const;

    int tabDefault() const { return m_default; }
    // Raises "=Illegal default tab stop value, must be > 0" for a value below 1.
    void setTabDefault(int width);

    // The explicit columns as 1-based numbers: the first as "%d", each further one as " %d".
    std::string tabColumns() const;
    // Sets the explicit columns from 1-based numbers separated by blanks or semicolons (an empty string
    // clears them). Raises "Too many tab stops - maximum of 32", "Tab stop column value expected",
    // "Tab columns must be in order and unique" or "Tab column must be > 1".
    void setTabColumns(std::string_view text);
    // The explicit columns, 0-based, unused slots -1.
    const std::array<int, kMaxColumns>& columns() const { return m_columns; }
    int columnCount() const { return m_count; }

    // The first explicit tab column after `column`, or else the next multiple of TabDefault.
    int nextTabColumn(int column) const;
    // The column after character c standing at `column`.
    int advance(int column, char c) const { return c == '\t' ? nextTabColumn(column) : column + 1; }

    // The display column of character index k in the node, never past the line's end (a CR counts as no
    // column on any node but the last).
    int columnOfChar(const TLineNode& node, int k) const;
    // The character index at display column `column`: characters are consumed until the column reaches
    // it (a TAB that spans the column is consumed). Never past the CR.
    int charAtColumn(const TLineNode& node, int column) const;

private:
    int m_default = 4;
    std::array<int, kMaxColumns> m_columns = filled();
    int m_count = 0;

    static std::array<int, kMaxColumns> filled()
    {
        std::array<int, kMaxColumns> a;
        a.fill(-1);
        return a;
    }
};

} // namespace lrl
