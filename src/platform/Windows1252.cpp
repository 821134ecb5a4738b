#include "platform/Windows1252.h"

#include <QList>
#include <QStringView>

#include <array>

namespace lrl {

namespace {

    // Code points of the bytes 0x80..0x9F.
    constexpr std::array<char16_t, 32> kHigh {
        0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, // 80..87
        0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F, // 88..8F
        0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, // 90..97
        0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178, // 98..9F
    };

    char16_t charOf(unsigned char byte)
    {
        return byte >= 0x80 && byte < 0xA0 ? kHigh[byte - 0x80] : char16_t(byte);
    }

} // namespace

QString Windows1252::decode(std::string_view bytes)
{
    QString text(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = text.data();
    for (size_t i = 0; i < bytes.size(); ++i)
        out[i] = QChar(charOf(static_cast<unsigned char>(bytes[i])));
    return text;
}

int Windows1252::byteOf(char32_t codePoint)
{
    if (codePoint < 0x80 || (codePoint >= 0xA0 && codePoint <= 0xFF))
        return static_cast<int>(codePoint);
    for (size_t i = 0; i < kHigh.size(); ++i)
        if (kHigh[i] == codePoint)
            return static_cast<int>(0x80 + i);
    return -1;
}

std::string Windows1252::encode(const QString& text)
{
    std::string bytes;
    bytes.reserve(static_cast<size_t>(text.size()));
    for (char32_t cp : QStringView(text).toUcs4()) {
        int b = byteOf(cp);
        bytes.push_back(b < 0 ? '?' : static_cast<char>(b));
    }
    return bytes;
}

} // namespace lrl
