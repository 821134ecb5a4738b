#include "viewer/print/ExportWriters.h"

#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/print/THtmlWriter.h"
#include "viewer/print/TRichTextWriter.h"

namespace lrl {

void installExportWriters(TCustomSyntaxMemo& viewer, const TExportEnvironment& env)
{
    viewer.setFormatWriter(
        sfRTF, [writer = TRichTextWriter(env)](TCustomSyntaxMemo& v, Stream& out) { writer.write(v, out); });
    viewer.setFormatWriter(
        sfHTML, [writer = THtmlWriter(env)](TCustomSyntaxMemo& v, Stream& out) { writer.write(v, out); });
}

} // namespace lrl
