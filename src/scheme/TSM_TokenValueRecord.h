#pragma once

#include "common/Set256.h"

#include <cstdint>

namespace lrl {

// What a token value does to the scanner's states: the states in which the value is valid, the states
// it enters and leaves, whether its text is scanned again as a container, and its stack actions.
struct TSM_TokenValueRecord {
    enum Action : uint8_t {
        PushBefore = 1,
        PopBefore = 2,
        PushAfter = 4,
        PopAfter = 8,
    };

    Set256 valid;
    Set256 entry; // "+": states entered
    Set256 exit; // "-": states left
    bool container = false;
    bool unchanged = true; // set while entry and exit are both empty: the state set stays as it is
    uint8_t actions = 0;

    // Sets the unchanged flag from the entry and exit sets; call after changing either.
    void updateUnchanged() { unchanged = entry.empty() && exit.empty(); }

    bool operator==(const TSM_TokenValueRecord&) const = default;
};

} // namespace lrl
