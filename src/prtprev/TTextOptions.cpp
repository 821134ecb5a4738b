#include "prtprev/TTextOptions.h"

#include <QApplication>

namespace lrl {

TTextOptions::TTextOptions()
    : beep([] { QApplication::beep(); })
{
}

void TTextOptions::assign(const TTextOptions& source)
{
    if (&source != this && beep)
        beep();
}

} // namespace lrl
