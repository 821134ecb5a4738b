#include "platform/ClipboardText.h"

#include "platform/CodePageText.h"

#include <QClipboard>
#include <QGuiApplication>

namespace lrl {

std::unique_ptr<QMimeData> ClipboardText::mimeData(std::string_view text, std::string_view rtf, int codePage)
{
    auto data = std::make_unique<QMimeData>();
    data->setText(CodePageText::decode(codePage, text));
    if (!rtf.empty()) {
        QByteArray bytes(rtf.data(), static_cast<qsizetype>(rtf.size()));
        data->setData(kRtfMime, bytes);
#ifdef Q_OS_WIN
        data->setData(kWindowsRtfMime, bytes);
#endif
    }
    return data;
}

void ClipboardText::setText(std::string_view text, int codePage) { setTextAndRtf(text, {}, codePage); }

void ClipboardText::setTextAndRtf(std::string_view text, std::string_view rtf, int codePage)
{
    QGuiApplication::clipboard()->setMimeData(mimeData(text, rtf, codePage).release());
}

} // namespace lrl
