#pragma once

#include <cstdint>
#include <span>
#include <string>

namespace lrl {

class Stream;

// The messages of the form conversion; every failure raises EReadError with one of them or with
// "Stream read error" (the input ends early).
inline constexpr char kInvalidStreamFormat[] = "Invalid stream format";
inline constexpr char kInvalidPropertyValue[] = "Invalid property value";

// Converts a binary form file read from input's position: the resource header (0xFF 0x0A, one more type
// byte, the zero-terminated form name, six bytes of flags and size), then the form stream as
// convertFormStream reads it. "Invalid stream format" when the header is not there.
void convertFormResource(Stream& input, Stream& output);

// Converts a binary form stream starting with its "TPF0" signature into the text form of the form:
// UTF-8 text with CR LF line ends, written to output. Nothing is written when the conversion fails.
void convertFormStream(Stream& input, Stream& output);

// convertFormResource over bytes in memory, answering the text (UTF-8; 8-bit texts of the form that are
// no valid UTF-8 are read in legacyCodePage).
std::string convertFormResource(std::span<const uint8_t> bytes, int legacyCodePage = 1252);

// How a form file is stored, told by its first bytes: text when it starts with a UTF-8 or UTF-16
// byte-order mark; binary when it starts with 0xFF (a resource header) or "TPF0"; text when it starts
// with TAB, VT, CR, space or "object"/"inherited" (either case); unknown otherwise.
enum class FormFileFormat { Binary, Text, Unknown };
FormFileFormat formFileFormat(std::span<const uint8_t> bytes);

// The text form of a whole form file: a text file as it is, anything else converted as a binary form file
// with its resource header (so an unknown format fails with the conversion's message).
std::string formFileText(std::span<const uint8_t> bytes, int legacyCodePage = 1252);

} // namespace lrl
