#include "prtprev/EAssertionFailed.h"

#include "common/Format.h"

namespace lrl {

EAssertionFailed::EAssertionFailed(const std::string& message, const std::string& source, int line)
    : Exception(format("%s (%s, line %d)", message.c_str(), source.c_str(), line))
{
}

} // namespace lrl
