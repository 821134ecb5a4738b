#pragma once

#include <string>
#include <vector>

namespace lrl {

// One undoable change: `inserted` replaced `removed` at `offset`.
struct TUndoRecord {
    int offset = 0;
    std::string removed;
    std::string inserted;
};

// The undo log of a text store. The read-only viewer never records anything; loading, setting and
// clearing the text reset the log.
class TUndoStack {
public:
    bool canUndo() const { return !m_records.empty(); }
    size_t size() const { return m_records.size(); }
    void push(TUndoRecord record) { m_records.push_back(std::move(record)); }
    // Removes and answers the most recent record; the log must not be empty.
    TUndoRecord pop();
    void clear() { m_records.clear(); }

private:
    std::vector<TUndoRecord> m_records;
};

} // namespace lrl
