#include "browser/TextCompare.h"

#include <algorithm>

namespace lrl {

namespace {

    unsigned char foldCase(unsigned char c)
    {
        return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
    }

    // Sort weight of one byte: punctuation and controls, then digits, then letters, then bytes above 127.
    int weightOf(unsigned char c)
    {
        c = foldCase(c);
        if (c >= 'a' && c <= 'z')
            return 0x300 + c;
        if (c >= '0' && c <= '9')
            return 0x200 + c;
        if (c >= 0x80)
            return 0x400 + c;
        return c;
    }

    struct WeightTable {
        WeightTable()
        {
            for (int c = 0; c < 256; ++c)
                weights[c] = static_cast<short>(weightOf(static_cast<unsigned char>(c)));
        }
        short weights[256];
    };

    int weight(char c)
    {
        static const WeightTable table;
        return table.weights[static_cast<unsigned char>(c)];
    }

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
