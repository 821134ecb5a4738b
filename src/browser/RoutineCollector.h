#pragma once

#include "browser/StringList.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace lrl {

// A category's routines: entries "NN" + name, where NN is the token value of the routine word (62
// constructor, 63 destructor, 64 function, 65 procedure), with the routine's character offset attached.
// Because the token value leads, a sorted list groups constructors, destructors, functions and
// procedures in that order.
using RoutineList = StringList<int32_t>;
// Class names and "Proc/Func", each with its routines.
using CategoryList = StringList<RoutineList>;

// The unit handler: a small state machine over a unit's token stream that files methods under their
// class and plain routines, those implemented anywhere after "implementation", under "Proc/Func" (each
// name once, at its first offset).
class RoutineCollector {
public:
    // sorted decides whether lists made from now on sort (the Srt setting at the time).
    explicit RoutineCollector(const bool& sorted);

    // Frees the categories and the pending routines and clears the implementation flag (start of a
    // file's load).
    void reset();
    // Back to state 0 (start of a scan).
    void restart() { m_state = 0; }
    // One token; text is the token's text.
    void token(int value, int32_t endOffset, std::string_view text);
    // At the end of a file's load: files what is still pending under "Proc/Func".
    void finish();

    // Null until the first category is made.
    const CategoryList* categories() const { return m_categories ? &*m_categories : nullptr; }
    const std::vector<std::string>& pendingRoutines() const { return m_pending; }
    int state() const { return m_state; }
    bool inImplementation() const { return m_inImplementation; }
    const std::string& routineName() const { return m_routineName; }

private:
    RoutineList& category(std::string_view name);
    void filePending(size_t keep);

    const bool& m_sorted;
    std::optional<CategoryList> m_categories;
    std::vector<std::string> m_pending;
    int m_state = 0;
    bool m_inImplementation = false;
    int m_routineKind = 0;
    int32_t m_routineOffset = 0;
    std::string m_routineName;
};

} // namespace lrl
