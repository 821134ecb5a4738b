#include "viewer/WordTests.h"

namespace lrl {

namespace {

bool isAsciiLetter(uint8_t c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

} // namespace

bool WordTests::defaultIsInWord(uint8_t c)
{
    return isAsciiLetter(c) || (c >= '0' && c <= '9') || c == '_' || c == '\'' || c == '-';
}

bool WordTests::defaultStartsWord(uint8_t c)
{
    return isAsciiLetter(c) || c == '_';
}

} // namespace lrl
