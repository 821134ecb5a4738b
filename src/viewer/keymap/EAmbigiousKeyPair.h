#pragma once

#include "common/Exception.h"

namespace lrl {

// A key binding that clashes with one already in the keyboard map.
class EAmbigiousKeyPair : public Exception {
public:
    using Exception::Exception;
};

} // namespace lrl
