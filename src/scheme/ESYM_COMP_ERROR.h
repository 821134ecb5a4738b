#pragma once

#include "common/Exception.h"

namespace lrl {

// A scheme script compile error. The message is already in its final form,
// "** ERROR near line %d, Column %d: %s", built by TSYM_Compiler::error().
class ESYM_COMP_ERROR : public Exception {
public:
    using Exception::Exception;
};

} // namespace lrl
