#pragma once

#include "common/Persistent.h"
#include "prtprev/PreviewTypes.h"

#include <functional>

namespace lrl {

// The page margins of a print job, in inches, and a draw style that is stored only. Margins are set one
// by one; assigning a whole object copies nothing and only sounds the beep.
class TTextOptions : public Persistent {
public:
    TTextOptions();
    const char* className() const override { return "TTextOptions"; }

    // Copies nothing; a source other than this object sounds the beep.
    void assign(const TTextOptions& source);

    TDrawStyle drawStyle = TDrawStyle::dsStandard;
    double marginLeft = 0.0;
    double marginTop = 0.0;
    double marginRight = 0.0;
    double marginBottom = 0.0;

    // The beep; the application's by default.
    std::function<void()> beep;
};

} // namespace lrl
