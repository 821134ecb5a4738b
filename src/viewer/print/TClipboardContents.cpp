#include "viewer/print/TClipboardContents.h"

#include "common/MemoryStream.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TPlainTextWriter.h"

namespace lrl {

TClipboardContents TClipboardContents::ofSelection(TCustomSyntaxMemo& viewer)
{
    TClipboardContents contents;
    const TSM_ClipFormats formats = viewer.clipCopyFormats();
    contents.codePage = viewer.codePage();
    if (formats.has(smTEXT)) {
        contents.hasText = true;
        contents.text
            = TPlainTextWriter(viewer.textStore(), viewer.selStart(), viewer.selEnd(), wfAddLF).text();
    }
    if (formats.has(smRTF) && viewer.hasFormatWriter(sfRTF)) {
        MemoryStream out;
        viewer.writeSelection(out, wfRichText);
        contents.hasRichText = true;
        contents.richText.assign(out.bytes().begin(), out.bytes().end());
    }
    return contents;
}

} // namespace lrl
