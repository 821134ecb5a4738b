#include "viewer/ui/ViewerClipboard.h"

#include "platform/ClipboardText.h"
#include "platform/StoredColor.h"
#include "viewer/print/TClipboardContents.h"

#include <QClipboard>
#include <QDate>
#include <QGuiApplication>
#include <QLocale>

namespace lrl {

TExportEnvironment ViewerClipboard::environment()
{
    TExportEnvironment env;
    env.resolveColor = [](int32_t stored) { return StoredColor::fromQColor(StoredColor::toQColor(stored)); };
    env.shortDate
        = [] { return QLocale::system().toString(QDate::currentDate(), QLocale::ShortFormat).toStdString(); };
    return env;
}

void ViewerClipboard::copy(TCustomSyntaxMemo& viewer)
{
    TClipboardContents contents = TClipboardContents::ofSelection(viewer);
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!contents.hasText && !contents.hasRichText) {
        clipboard->clear();
        return;
    }
    auto data = ClipboardText::mimeData(contents.text, contents.richText, contents.codePage);
    if (!contents.hasText)
        data->removeFormat("text/plain");
    clipboard->setMimeData(data.release());
}

} // namespace lrl
