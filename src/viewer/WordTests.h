#pragma once

#include <cstdint>
#include <functional>

namespace lrl {

// The viewer's two character tests that decide what a word is, for word selection and for whole-word
// search. Either test may be replaced by a handler (the viewer's fn_CharIsInWord and fn_CharStartsWord);
// an empty handler means the built-in test.
struct WordTests {
    using Test = std::function<bool(uint8_t)>;

    Test charIsInWord;
    Test charStartsWord;

    // Built-in in-word test: letters A-Z and a-z, digits, "_", "'" and "-".
    static bool defaultIsInWord(uint8_t c);
    // Built-in starts-word test: letters A-Z and a-z and "_".
    static bool defaultStartsWord(uint8_t c);

    bool isInWord(uint8_t c) const { return charIsInWord ? charIsInWord(c) : defaultIsInWord(c); }
    bool startsWord(uint8_t c) const { return charStartsWord ? charStartsWord(c) : defaultStartsWord(c); }
    // A word character is one for which either test holds.
    bool isWordChar(uint8_t c) const { return isInWord(c) || startsWord(c); }
};

} // namespace lrl
