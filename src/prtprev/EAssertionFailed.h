#pragma once

#include "common/Exception.h"

#include <string>

namespace lrl {

// A broken precondition of the preview printer: the message names what went wrong, the source and the
// line where the check is made, as "message (source, line n)".
class EAssertionFailed : public Exception {
public:
    EAssertionFailed(const std::string& message, const std::string& source, int line);
};

} // namespace lrl
