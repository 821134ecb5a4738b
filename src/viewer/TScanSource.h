#pragma once

#include "common/Set256.h"

#include <cstdint>

namespace lrl {

class CharStream;

// What the viewer's incremental scan asks of a scanner, in the order of use in one scan.
class TScanSource {
public:
    virtual ~TScanSource() = default;

    // The token values at which a scan may restart.
    virtual Set256 restartSet() const = 0;
    // Starts a scan in the context of a token value.
    virtual void reset(int value) = 0;
    // Recognises the token at the stream's position: answers its token value, sets its length in
    // characters and leaves the stream after it.
    virtual uint8_t next(CharStream& stream, int32_t& length) = 0;
    // Set while the scanner is in the middle of a scan that must not be disturbed (the text of a
    // container token being scanned again).
    virtual bool busy() const = 0;
    // An open multi-line context: the scan must not stop.
    virtual bool mustContinue() const = 0;
    // Whether the current state allows the scan to end at a line whose token values did not change.
    virtual bool safeStop() const = 0;
    // Set after the token that opens a container until the container's text has been scanned again.
    virtual bool inContainer() const = 0;
};

} // namespace lrl
