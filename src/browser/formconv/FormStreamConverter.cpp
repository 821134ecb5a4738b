#include "browser/formconv/FormStreamConverter.h"

#include "browser/formconv/FloatText.h"
#include "browser/formconv/FormConvert.h"
#include "browser/formconv/FormValueType.h"
#include "common/Exception.h"

#include <algorithm>
#include <cstring>

namespace lrl {

namespace {

bool isIntegerType(uint8_t type)
{
    auto t = static_cast<FormValueType>(type);
    return t == FormValueType::Int8 || t == FormValueType::Int16 || t == FormValueType::Int32;
}

void appendUtf16(std::u16string& out, uint32_t codePoint)
{
    if (codePoint < 0x10000) {
        out += static_cast<char16_t>(codePoint);
    } else {
        codePoint -= 0x10000;
        out += static_cast<char16_t>(0xD800 + (codePoint >> 10));
        out += static_cast<char16_t>(0xDC00 + (codePoint & 0x3FF));
    }
}

// The length of the UTF-8 sequence a lead byte starts; 0 for bytes that cannot start one.
size_t sequenceLength(uint8_t lead)
{
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF)
        return 2;
    if (lead >= 0xE0 && lead <= 0xEF)
        return 3;
    if (lead >= 0xF0 && lead <= 0xF4)
        return 4;
    return 0;
}

// UTF-8 to UTF-16. A byte that does not start a well-formed sequence (overlong forms, surrogates and
// values above U+10FFFF included) stands for itself, so damaged text still shows every byte.
std::u16string utf8ToUtf16(std::string_view text)
{
    std::u16string out;
    out.reserve(text.size());
    auto at = [&](size_t i) { return static_cast<uint8_t>(text[i]); };
    size_t i = 0;
    while (i < text.size()) {
        uint8_t b = at(i);
        size_t length = sequenceLength(b);
        bool valid = length != 0 && i + length <= text.size();
        for (size_t k = 1; valid && k < length; ++k)
            valid = (at(i + k) & 0xC0) == 0x80;
        if (valid && length > 2) {
            uint8_t second = at(i + 1);
            valid = !(b == 0xE0 && second < 0xA0) && !(b == 0xED && second >= 0xA0)
                && !(b == 0xF0 && second < 0x90) && !(b == 0xF4 && second >= 0x90);
        }
        if (!valid) {
            out += static_cast<char16_t>(b);
            ++i;
            continue;
        }
        uint32_t cp = length == 1 ? b : b & (0xFF >> (length + 1));
        for (size_t k = 1; k < length; ++k)
            cp = (cp << 6) | (at(i + k) & 0x3F);
        appendUtf16(out, cp);
        i += length;
    }
    return out;
}

[[noreturn]] void invalidPropertyValue() { throw EReadError(kInvalidPropertyValue); }

} // namespace

// Counts one level of objects, lists and collections for as long as it lives.
class FormStreamConverter::Nesting {
public:
    explicit Nesting(FormStreamConverter& owner)
        : m_owner(owner)
    {
        if (m_owner.m_nesting >= kMaxNesting)
            throw EReadError(kInvalidStreamFormat);
        ++m_owner.m_nesting;
    }
    ~Nesting() { --m_owner.m_nesting; }
    Nesting(const Nesting&) = delete;
    Nesting& operator=(const Nesting&) = delete;

private:
    FormStreamConverter& m_owner;
};

std::string FormStreamConverter::convert()
{
    char signature[4];
    m_in.read(signature, sizeof signature);
    if (std::memcmp(signature, "TPF0", 4) != 0)
        throw EReadError(kInvalidStreamFormat);
    convertObject();
    return m_out.takeText();
}

void FormStreamConverter::convertObject()
{
    Nesting nesting(*this);
    // A prefix byte 0xF0..0xFF carries flags in its low bits: 1 inherited, 2 child position, 4 inline.
    // An inline object is written like any other; only "inherited" has a word of its own.
    uint8_t flags = 0;
    int64_t position = 0;
    if ((m_in.peekByte() & 0xF0) == 0xF0) {
        flags = m_in.readByte() & 0x0F;
        if (flags & 2)
            position = readIntegerValue();
    }
    std::string className = m_in.readShortString();
    std::string objectName = m_in.readShortString();

    m_out.writeIndent();
    m_out.write(flags & 1 ? "inherited " : "object ");
    if (!objectName.empty()) {
        m_out.write(objectName);
        m_out.write(": ");
    }
    m_out.write(className);
    if (flags & 2) {
        m_out.write(" [");
        m_out.write(std::to_string(position));
        m_out.write("]");
    }
    m_out.endLine();

    m_out.indentMore();
    while (uint8_t length = m_in.readByte())
        convertProperty(m_in.readChars(length));
    while (m_in.peekByte() != 0)
        convertObject();
    m_in.readByte();
    m_out.indentLess();
    m_out.writeIndent();
    m_out.write("end");
    m_out.endLine();
}

void FormStreamConverter::convertProperty(const std::string& name)
{
    m_out.writeIndent();
    m_out.write(name);
    m_out.write(" = ");
    convertValue(m_in.readByte());
    m_out.endLine();
}

void FormStreamConverter::convertValue(uint8_t type)
{
    switch (static_cast<FormValueType>(type)) {
    case FormValueType::Null:
        // Carries no payload, so nothing is written and the stream stays in step.
        return;
    case FormValueType::List:
        return convertList();
    case FormValueType::Int8:
    case FormValueType::Int16:
    case FormValueType::Int32:
    case FormValueType::Int64:
        return m_out.write(std::to_string(readInteger(type)));
    case FormValueType::Extended: {
        uint8_t bytes[10];
        m_in.read(bytes, sizeof bytes);
        return m_out.write(formatGeneral(decodeExtended(bytes)));
    }
    case FormValueType::String:
        return m_out.writeString(m_in.readShortString());
    case FormValueType::Ident:
        return m_out.write(m_in.readShortString());
    case FormValueType::False:
        return m_out.write("False");
    case FormValueType::True:
        return m_out.write("True");
    case FormValueType::Binary:
        return convertBinary();
    case FormValueType::Set:
        return convertSet();
    case FormValueType::LString:
        return m_out.writeString(m_in.readChars(readLength()));
    case FormValueType::Nil:
        return m_out.write("nil");
    case FormValueType::Collection:
        return convertCollection();
    // The later types keep the suffixes by which the text form tells them from an extended value.
    case FormValueType::Single:
        return m_out.write(formatGeneral(decodeSingle(m_in.readLE<uint32_t>())) + "s");
    case FormValueType::Currency:
        // Stored as a 64-bit integer in ten-thousandths; the text form shows that integer.
        return m_out.write(formatGeneral(integerFloat(m_in.readLE<int64_t>())) + "c");
    case FormValueType::Date:
        return m_out.write(formatGeneral(decodeDouble(m_in.readLE<uint64_t>())) + "d");
    case FormValueType::Double:
        return m_out.write(formatGeneral(decodeDouble(m_in.readLE<uint64_t>())));
    case FormValueType::WString:
        return convertWideString();
    case FormValueType::Utf8String:
        return convertUtf8String();
    }
    // Any other type byte: its payload is unknown, so reading on would lose the place in the stream.
    invalidPropertyValue();
}

void FormStreamConverter::convertList()
{
    Nesting nesting(*this);
    m_out.write("(");
    m_out.indentMore();
    while (uint8_t type = m_in.readByte()) {
        m_out.newLine();
        convertValue(type);
    }
    m_out.indentLess();
    m_out.write(")");
}

void FormStreamConverter::convertCollection()
{
    Nesting nesting(*this);
    m_out.write("<");
    m_out.indentMore();
    while (m_in.peekByte() != 0) {
        m_out.newLine();
        m_out.write("item");
        if (isIntegerType(m_in.peekByte())) {
            m_out.write(" [");
            m_out.write(std::to_string(readIntegerValue()));
            m_out.write("]");
        }
        m_out.endLine();
        if (m_in.readByte() != static_cast<uint8_t>(FormValueType::List))
            invalidPropertyValue();
        m_out.indentMore();
        while (uint8_t length = m_in.readByte())
            convertProperty(m_in.readChars(length));
        m_out.indentLess();
        m_out.writeIndent();
        m_out.write("end");
    }
    m_in.readByte();
    m_out.indentLess();
    m_out.write(">");
}

void FormStreamConverter::convertSet()
{
    m_out.write("[");
    bool first = true;
    while (uint8_t length = m_in.readByte()) {
        if (!first)
            m_out.write(", ");
        m_out.write(m_in.readChars(length));
        first = false;
    }
    m_out.write("]");
}

void FormStreamConverter::convertBinary()
{
    constexpr uint32_t kLine = 32;
    uint32_t left = readLength();
    uint8_t bytes[kLine];
    m_out.write("{");
    m_out.indentMore();
    const bool ownLines = left >= kLine;
    while (left > 0) {
        uint32_t count = std::min(left, kLine);
        m_in.read(bytes, count);
        if (ownLines)
            m_out.newLine();
        m_out.writeHex(bytes, count);
        left -= count;
    }
    m_out.indentLess();
    m_out.write("}");
}

void FormStreamConverter::convertWideString()
{
    uint32_t count = readLength();
    std::string bytes = m_in.readChars(static_cast<size_t>(count) * 2);
    std::u16string text(count, u'\0');
    for (size_t i = 0; i < count; ++i)
        text[i] = static_cast<char16_t>(
            static_cast<uint8_t>(bytes[2 * i]) | (static_cast<uint8_t>(bytes[2 * i + 1]) << 8));
    m_out.writeWideString(text);
}

void FormStreamConverter::convertUtf8String()
{
    m_out.writeWideString(utf8ToUtf16(m_in.readChars(readLength())));
}

int64_t FormStreamConverter::readIntegerValue()
{
    uint8_t type = m_in.readByte();
    if (!isIntegerType(type))
        invalidPropertyValue();
    return readInteger(type);
}

int64_t FormStreamConverter::readInteger(uint8_t type)
{
    switch (static_cast<FormValueType>(type)) {
    case FormValueType::Int8:
        return m_in.readLE<int8_t>();
    case FormValueType::Int16:
        return m_in.readLE<int16_t>();
    case FormValueType::Int32:
        return m_in.readLE<int32_t>();
    default:
        return m_in.readLE<int64_t>();
    }
}

uint32_t FormStreamConverter::readLength() { return m_in.readLE<uint32_t>(); }

} // namespace lrl
