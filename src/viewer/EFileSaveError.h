#pragma once

#include "common/Exception.h"

namespace lrl {

// Saving the viewer's text failed: "Bad TStream instance", "Could not save text to stream".
class EFileSaveError : public Exception {
public:
    using Exception::Exception;
};

} // namespace lrl
