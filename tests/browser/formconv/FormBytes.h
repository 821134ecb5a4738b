#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace lrl::test {

// Builds a binary form file byte by byte: the resource header, the signature, objects, properties and
// typed values, with the same little-endian layout the converter reads.
class FormBytes {
public:
    FormBytes& header(std::string_view name = "FORM1")
    {
        bytes({ 0xFF, 0x0A, 0x00 });
        chars(name);
        return bytes({ 0x00, 0x30, 0x10, 0x00, 0x00, 0x00, 0x00 });
    }
    FormBytes& signature() { return chars("TPF0"); }
    FormBytes& object(std::string_view className, std::string_view name)
    {
        return shortString(className).shortString(name);
    }
    FormBytes& property(std::string_view name) { return shortString(name); }
    FormBytes& end() { return byte(0); }

    FormBytes& byte(uint8_t b)
    {
        m_bytes.push_back(b);
        return *this;
    }
    FormBytes& bytes(std::initializer_list<uint8_t> list)
    {
        m_bytes.insert(m_bytes.end(), list);
        return *this;
    }
    FormBytes& chars(std::string_view text)
    {
        m_bytes.insert(m_bytes.end(), text.begin(), text.end());
        return *this;
    }
    FormBytes& shortString(std::string_view text)
    {
        return byte(static_cast<uint8_t>(text.size())).chars(text);
    }
    FormBytes& u32(uint32_t v)
    {
        for (int i = 0; i < 4; ++i)
            byte(static_cast<uint8_t>(v >> (8 * i)));
        return *this;
    }
    FormBytes& u64(uint64_t v)
    {
        for (int i = 0; i < 8; ++i)
            byte(static_cast<uint8_t>(v >> (8 * i)));
        return *this;
    }

    // Typed values.
    FormBytes& int8(int8_t v) { return byte(2).byte(static_cast<uint8_t>(v)); }
    FormBytes& int16(int16_t v)
    {
        return byte(3)
            .byte(static_cast<uint8_t>(v))
            .byte(static_cast<uint8_t>(static_cast<uint16_t>(v) >> 8));
    }
    FormBytes& int32(int32_t v) { return byte(4).u32(static_cast<uint32_t>(v)); }
    FormBytes& string(std::string_view text) { return byte(6).shortString(text); }
    FormBytes& longString(std::string_view text)
    {
        return byte(12).u32(static_cast<uint32_t>(text.size())).chars(text);
    }
    FormBytes& ident(std::string_view text) { return byte(7).shortString(text); }
    FormBytes& binary(const std::vector<uint8_t>& data)
    {
        byte(10).u32(static_cast<uint32_t>(data.size()));
        m_bytes.insert(m_bytes.end(), data.begin(), data.end());
        return *this;
    }

    const std::vector<uint8_t>& data() const { return m_bytes; }

private:
    std::vector<uint8_t> m_bytes;
};

} // namespace lrl::test
