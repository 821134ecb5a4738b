#include "viewer/print/TClipboardContents.h"

#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TPlainTextWriter.h"
#include "viewer/print/TRichTextWriter.h"

namespace lrl {

TClipboardContents TClipboardContents::ofSelection(TCustomSyntaxMemo& viewer, const TExportEnvironment& env)
{
    TClipboardContents contents;
    const TSM_ClipFormats formats = viewer.clipCopyFormats();
    if (formats.has(smTEXT)) {
        contents.hasText = true;
        contents.text
            = TPlainTextWriter(viewer.textStore(), viewer.selStart(), viewer.selEnd(), wfAddLF).text();
    }
    if (formats.has(smRTF)) {
        contents.hasRichText = true;
        contents.richText = TRichTextWriter(env).text(viewer);
    }
    return contents;
}

} // namespace lrl
