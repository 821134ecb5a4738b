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

std::string convertFormResource(std::span<const uint8_t> bytes)
{
    ReadOnlyMemoryStream input(bytes);
    skipResourceHeader(input);
    return FormStreamConverter(input).convert();
}

FormFileFormat formFileFormat(std::span<const uint8_t> bytes)
{
    if (bytes.empty())
        return FormFileFormat::Unknown;
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

std::string formFileText(std::span<const uint8_t> bytes)
{
    if (formFileFormat(bytes) == FormFileFormat::Text)
        return std::string(bytes.begin(), bytes.end());
    return convertFormResource(bytes);
}

} // namespace lrl
