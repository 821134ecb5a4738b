#include "scheme/CharSpecifier.h"

#include "common/Exception.h"

namespace lrl {

namespace {

    // The position of the "]" that closes the class opened at text[open], or npos.
    size_t classEnd(std::string_view text, size_t open)
    {
        size_t i = open + 1;
        if (i < text.size() && text[i] == '^')
            ++i;
        if (i < text.size() && text[i] == ']')
            ++i;
        for (; i < text.size(); ++i) {
            if (text[i] == '\\')
                ++i;
            else if (text[i] == ']')
                return i;
        }
        return std::string_view::npos;
    }

    TSM_CharGroup readClass(std::string_view body)
    {
        bool negated = !body.empty() && body[0] == '^';
        size_t i = negated ? 1 : 0;
        Set256 chars;
        while (i < body.size()) {
            bool escaped = body[i] == '\\' && i + 1 < body.size();
            auto low = static_cast<uint8_t>(body[escaped ? i + 1 : i]);
            i += escaped ? 2 : 1;
            bool range = i + 1 < body.size() && body[i] == '-';
            if (range) {
                bool highEscaped = body[i + 1] == '\\' && i + 2 < body.size();
                auto high = static_cast<uint8_t>(body[highEscaped ? i + 2 : i + 1]);
                if (high < low)
                    throw ESyntaxMemo("Characters not in correct order for range specifier");
                for (int c = low; c <= high; ++c)
                    chars.insert(c);
                i += highEscaped ? 3 : 2;
            } else {
                chars.insert(low);
            }
        }
        return TSM_CharGroup(chars, negated);
    }

} // namespace

std::vector<TSM_CharGroup> parseCharSpecifiers(std::string_view text)
{
    std::vector<TSM_CharGroup> out;
    size_t i = 0;
    while (i < text.size()) {
        if (text[i] == '[') {
            size_t end = classEnd(text, i);
            if (end != std::string_view::npos) {
                out.push_back(readClass(text.substr(i + 1, end - i - 1)));
                i = end + 1;
                continue;
            }
        }
        bool escaped = text[i] == '\\' && i + 1 < text.size();
        out.push_back(TSM_CharGroup(Set256::of({ static_cast<uint8_t>(text[escaped ? i + 1 : i]) })));
        i += escaped ? 2 : 1;
    }
    return out;
}

} // namespace lrl
