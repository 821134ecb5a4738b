#pragma once

#include "common/Exception.h"

namespace lrl {

// A stored scheme table of another version met while the scanner component is read from its form.
class ESyntaxMemoParserError : public Exception {
public:
    using Exception::Exception;
};

} // namespace lrl
