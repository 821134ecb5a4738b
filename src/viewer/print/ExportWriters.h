#pragma once

#include "viewer/print/TExportEnvironment.h"

namespace lrl {

class TCustomSyntaxMemo;

// Makes the viewer save (and write its selection) in sfRTF with TRichTextWriter and in sfHTML with
// THtmlWriter.
void installExportWriters(TCustomSyntaxMemo& viewer, const TExportEnvironment& env = {});

} // namespace lrl
