#pragma once

#include "common/Exception.h"

namespace lrl {

// Every failure of the compressor: the message is one of its fixed texts.
class ECompressorException : public Exception {
public:
    using Exception::Exception;
};

} // namespace lrl
