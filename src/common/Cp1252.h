#pragma once

#include <cstdint>

namespace lrl {

// The Unicode code point of a Windows-1252 byte: the code page in which Delphi sources of that era are
// written and in which the viewer shows and copies its bytes. The five bytes the code page leaves
// undefined (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same number.
char16_t cp1252ToUnicode(uint8_t byte);

} // namespace lrl
