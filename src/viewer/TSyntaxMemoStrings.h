#pragma once

#include <string>
#include <vector>

namespace lrl {

class Stream;
class TCustomSyntaxMemo;

// The viewer's Lines: a string-list view that holds no lines of its own; every operation is a query to
// the viewer. Line i is node i, so the pieces of a line longer than 2047 characters count as lines.
class TSyntaxMemoStrings {
public:
    explicit TSyntaxMemoStrings(TCustomSyntaxMemo& memo)
        : m_memo(memo)
    {
    }
    TSyntaxMemoStrings(const TSyntaxMemoStrings&) = delete;
    TSyntaxMemoStrings& operator=(const TSyntaxMemoStrings&) = delete;

    // The line count; 0 for an empty text.
    int count() const;
    // Line i without its CR ("" when it has no node).
    std::string get(int i) const;
    // Replaces line i's characters (not its CR); nothing happens when the line does not exist.
    void put(int i, const std::string& s);
    // Inserts s as line i; past the end it is appended after the last line.
    void insert(int i, const std::string& s);
    void add(const std::string& s) { insert(count(), s); }
    // Removes line i with its line end; nothing happens when the line does not exist.
    void deleteLine(int i);
    void clear();
    // Adds the list's lines after the last line (into an empty text as a load).
    void addStrings(const std::vector<std::string>& list);
    // Sets the whole text (line breaks normalised to CR LF first) unless it equals the current text.
    void setText(const std::string& s);
    std::string getText() const;

    // Switch repainting off and on (nested); the last EndUpdate refreshes the viewer.
    void beginUpdate();
    void endUpdate();
    int updateCount() const { return m_updates; }

    void loadFromStream(Stream& in);
    void loadFromFile(const std::string& fileName);
    void saveToStream(Stream& out);
    void saveToFile(const std::string& fileName);

private:
    TCustomSyntaxMemo& m_memo;
    int m_updates = 0;
};

} // namespace lrl
