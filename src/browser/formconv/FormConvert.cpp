#include "browser/formconv/FormConvert.h"

#include "browser/formconv/FormStreamConverter.h"
#include "common/Exception.h"
#include "common/ReadOnlyMemoryStream.h"

namespace lrl {

namespace {

// The resource name is read from the fourth byte up to its terminator, within the first 79 bytes.
constexpr size_t kHeaderWindow = 79;
constexpr size_t kTypeBytes = 3;
constexpr size_t kFlagsAndSize = 6;

void skipResourceHeader(Stream& input)
{
    uint8_t type[kTypeBytes] = {};
    size_t got = input.read(type, kTypeBytes);
    if (got < 2 || type[0] != 0xFF || type[1] != 0x0A)
        throw EReadError(kInvalidStreamFormat);
    if (got < kTypeBytes)
        throw EReadError();
    size_t nameBytes = 0;
    for (;;) {
        if (kTypeBytes + nameBytes >= kHeaderWindow)
            throw EReadError(kInvalidStreamFormat); // no terminator where the name must end
        uint8_t c;
        input.readBuffer(&c, 1);
        if (c == 0)
            break;
        ++nameBytes;
    }
    uint8_t flagsAndSize[kFlagsAndSize];
    input.readBuffer(flagsAndSize, kFlagsAndSize);
}

} // namespace

void convertFormResource(Stream& input, Stream& output)
{
    skipResourceHeader(input);
    convertFormStream(input, output);
}

void convertFormStream(Stream& input, Stream& output)
{
    std::string text = FormStreamConverter(input).convert();
    output.writeBuffer(text.data(), text.size());
}

std::string convertFormResource(std::span<const uint8_t> bytes, int legacyCodePage)
{
    ReadOnlyMemoryStream input(bytes);
    skipResourceHeader(input);
    return FormStreamConverter(input, legacyCodePage).convert();
}

FormFileFormat formFileFormat(std::span<const uint8_t> bytes)
{
    if (bytes.empty())
        return FormFileFormat::Unknown;
    // A text form saved with a byte-order mark (UTF-8, UTF-16 LE or BE); a resource header goes on with
    // 0x0A after its 0xFF.
    if ((bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
        || (bytes.size() >= 2 && ((bytes[0] == 0xFF && bytes[1] == 0xFE) || (bytes[0] == 0xFE && bytes[1] == 0xFF))))
        return FormFileFormat::Text;
    if (bytes[0] == 0xFF
        || (bytes.size() >= 4 && bytes[0] == 'T' && bytes[1] == 'P' && bytes[2] == 'F' && bytes[3] == '0'))
        return FormFileFormat::Binary;
    switch (bytes[0]) {
    case 9:
    case 11:
    case 13:
    case ' ':
    case 'I':
    case 'O':
    case 'i':
    case 'o':
        return FormFileFormat::Text;
    default:
        return FormFileFormat::Unknown;
    }
}

std::string formFileText(std::span<const uint8_t> bytes, int legacyCodePage)
{
    if (formFileFormat(bytes) == FormFileFormat::Text)
        return std::string(bytes.begin(), bytes.end());
    return convertFormResource(bytes, legacyCodePage);
}

} // namespace lrl
