#include "platform/ClipboardText.h"

#include "platform/Windows1252.h"

#include <QClipboard>
#include <QGuiApplication>

namespace lrl {

std::unique_ptr<QMimeData> ClipboardText::mimeData(std::string_view text, std::string_view rtf)
{
    auto data = std::make_unique<QMimeData>();
    data->setText(Windows1252::decode(text));
    if (!rtf.empty()) {
        QByteArray bytes(rtf.data(), static_cast<qsizetype>(rtf.size()));
        data->setData(kRtfMime, bytes);
#ifdef Q_OS_WIN
        data->setData(kWindowsRtfMime, bytes);
#endif
    }
    return data;
}

void ClipboardText::setText(std::string_view text) { setTextAndRtf(text, {}); }

void ClipboardText::setTextAndRtf(std::string_view text, std::string_view rtf)
{
    QGuiApplication::clipboard()->setMimeData(mimeData(text, rtf).release());
}

} // namespace lrl
