#pragma once

#include "browser/formconv/FormInput.h"
#include "browser/formconv/FormTextWriter.h"

#include <cstdint>
#include <string>

namespace lrl {

class Stream;

// Walks one binary form stream (from its "TPF0" signature) and writes its text form: the root object
// with its properties and children, each value in its text notation. Failures raise EReadError with
// "Invalid stream format", "Invalid property value" or "Stream read error".
class FormStreamConverter {
public:
    // Objects, lists and collections nested deeper than this are refused as "Invalid stream format":
    // far beyond any real form, and it keeps both the stack and the indent of the output bounded.
    static constexpr int kMaxNesting = 200;

    // legacyCodePage: the code page of 8-bit texts that are no valid UTF-8 (see FormTextWriter).
    explicit FormStreamConverter(Stream& input, int legacyCodePage = 1252)
        : m_in(input)
        , m_out(legacyCodePage)
    {
    }
    FormStreamConverter(const FormStreamConverter&) = delete;
    FormStreamConverter& operator=(const FormStreamConverter&) = delete;

    // Checks the signature, converts the root object and answers the text.
    std::string convert();

private:
    class Nesting;

    void convertObject();
    void convertProperty(const std::string& name);
    void convertValue(uint8_t type);
    void convertList();
    void convertCollection();
    void convertSet();
    void convertBinary();
    void convertWideString();
    void convertUtf8String();
    // A value that must be an integer (child position, collection item index).
    int64_t readIntegerValue();
    int64_t readInteger(uint8_t type);
    uint32_t readLength();

    FormInput m_in;
    FormTextWriter m_out;
    int m_nesting = 0;
};

} // namespace lrl
