#include "platform/CodePageText.h"

#include "common/CodePage.h"

#include <QList>
#include <QStringView>

namespace lrl {

QString CodePageText::decode(int codePage, std::string_view bytes)
{
    const CodePage& page = CodePage::of(codePage);
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (size_t i = 0; i < bytes.size(); ++i)
        out[i] = QChar(page.toUnicode(static_cast<uint8_t>(bytes[i])));
    return text;
}

std::string CodePageText::encode(int codePage, const QString& text)
{
    const CodePage& page = CodePage::of(codePage);
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (char32_t cp : QStringView(text).toUcs4()) {
        int b = page.byteOf(cp);
        bytes.push_back(b < 0 ? '?' : static_cast<char>(b));
    }
    return bytes;
}

std::optional<std::string> CodePageText::encodeExact(int codePage, const QString& text)
{
    const CodePage& page = CodePage::of(codePage);
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (char32_t cp : QStringView(text).toUcs4()) {
        int b = page.byteOf(cp);
        if (b < 0)
            return std::nullopt;
        bytes.push_back(static_cast<char>(b));
    }
    return bytes;
}

} // namespace lrl
