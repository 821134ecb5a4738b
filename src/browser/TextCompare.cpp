#include "browser/TextCompare.h"

#include <algorithm>
#include <array>

namespace lrl {

namespace {

    constexpr unsigned char foldCase(unsigned char c)
    {
        return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
    }

    // Sort weight of one byte: punctuation and controls, then digits, then letters, then bytes above 127.
    constexpr short weightOf(unsigned char c)
    {
        c = foldCase(c);
        if (c >= 'a' && c <= 'z')
            return static_cast<short>(0x300 + c);
        if (c >= '0' && c <= '9')
            return static_cast<short>(0x200 + c);
        if (c >= 0x80)
            return static_cast<short>(0x400 + c);
        return c;
    }

    constexpr std::array<short, 256> makeWeights()
    {
        std::array<short, 256> w {};
        for (int c = 0; c < 256; ++c)
            w[static_cast<size_t>(c)] = weightOf(static_cast<unsigned char>(c));
        return w;
    }

    constexpr std::array<short, 256> kWeights = makeWeights();

    inline int weight(char c) { return kWeights[static_cast<unsigned char>(c)]; }

} // namespace

int compareText(std::string_view a, std::string_view b)
{
    size_t n = std::min(a.size(), b.size());
    for (size_t i = 0; i < n; ++i) {
        int d = weight(a[i]) - weight(b[i]);
        if (d != 0)
            return d;
    }
    return a.size() < b.size() ? -1 : (a.size() > b.size() ? 1 : 0);
}

bool sameText(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (foldCase(static_cast<unsigned char>(a[i])) != foldCase(static_cast<unsigned char>(b[i])))
            return false;
    return true;
}

std::string lowerCase(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = static_cast<char>(foldCase(static_cast<unsigned char>(c)));
    return out;
}

} // namespace lrl
