#pragma once

#include "common/CharStream.h"

#include <array>
#include <cstdint>

namespace lrl::scan {

// The scanner's routine table: recognisers numbered 0..13 that read from the stream's position, step
// over what they accept and answer whether they accepted. A routine that does not accept may leave the
// stream anywhere after its start; the caller rewinds.
//
//   0  the rest of a quoted string: a doubled quote goes on, a lone quote ends it (the quote is left),
//      a CR stops; always accepted
//   1  a run of address characters; a final "." is given back; accepted when not empty
//   2  the rest of the line up to the CR, when the token starts a line; accepted there only
//   3  an identifier: a letter or "_", then letters, digits and "_"
//   4  a number: digits, optionally "." (not when another "." follows) and digits, optionally an
//      exponent "e"/"E" with an optional sign (taken only when digits follow)
//   5  a single-quoted string, two quotes standing for one, up to the closing quote or before a CR
//   6  a double-quoted string with backslash escapes, up to the closing quote or before a CR
//   7  a single-quoted character with backslash escapes, likewise
//   8  a number as 4 with an optional leading "+" or "-"
//   9  digits
//  10  a run of letters, digits, "~", ".", "@", "-", "_" holding an "@" (else nothing is taken); a final
//      "." is given back
//  11  a double-quoted string up to the closing quote or before a CR
//  12  the rest of the line, stopping before two or more "-" followed by ">"; always accepted
//  13  a single-quoted string with backslash escapes, up to the closing quote or before a CR
//
// Routine numbers 10..20 where a token starts or goes on name the built-in recognisers 3..13.
constexpr int kRoutineCount = 14;
constexpr int kFirstBuiltIn = 10;
constexpr int kLastBuiltIn = 20;
constexpr int kBuiltInOffset = 7; // built-in number - routine number

constexpr uint8_t kCR = 13;

// Runs routine n; a number outside 0..13 accepts nothing. tokenStart is where the current token began.
bool runRoutine(int n, CharStream& s, int64_t tokenStart);

// Character kinds the routines and the scanner test, one bit per kind.
enum CharKind : uint8_t {
    kDigit = 1,
    kHexDigit = 2,
    kIdentStart = 4, // letters and "_"
    kIdentChar = 8, // letters, digits and "_"
    kAddressChar = 16,
    kMailChar = 32,
};
const std::array<uint8_t, 256>& charKinds();

// Steps over the characters for which pred answers true, crossing segments as needed; the stepping
// inside a segment runs on plain pointers.
template <class Pred>
inline void skipWhile(CharStream& s, Pred pred)
{
    for (;;) {
        const uint8_t* p = s.segmentCursor();
        const uint8_t* e = s.segmentEnd();
        while (p < e && pred(*p))
            ++p;
        s.setSegmentCursor(p);
        if (p < e || s.atEnd())
            return;
        // The end of the segment: current() brings in the next one.
        if (!pred(s.current()))
            return;
        s.next();
    }
}

} // namespace lrl::scan
