#include "viewer/keymap/ShortCut.h"

#include <array>
#include <cctype>
#include <charconv>

namespace lrl {

namespace {

    struct KeyName {
        uint8_t key;
        const char* name;
    };

    constexpr std::array<KeyName, 15> kKeyNames { {
        { 8, "BkSp" },
        { 9, "Tab" },
        { 13, "Enter" },
        { 27, "Esc" },
        { 32, "Space" },
        { 33, "PgUp" },
        { 34, "PgDn" },
        { 35, "End" },
        { 36, "Home" },
        { 37, "Left" },
        { 38, "Up" },
        { 39, "Right" },
        { 40, "Down" },
        { 45, "Ins" },
        { 46, "Del" },
    } };

    constexpr std::array<std::pair<const char*, TShortCut>, 3> kModifiers { {
        { "Shift+", scShift },
        { "Ctrl+", scCtrl },
        { "Alt+", scAlt },
    } };

    bool equalsIgnoringCase(std::string_view a, std::string_view b)
    {
        if (a.size() != b.size())
            return false;
        for (size_t i = 0; i < a.size(); ++i)
            if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
                return false;
        return true;
    }

    std::string keyName(uint8_t key)
    {
        if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z'))
            return std::string(1, static_cast<char>(key));
        if (key >= 112 && key <= 135)
            return "F" + std::to_string(key - 111);
        for (const KeyName& k : kKeyNames)
            if (k.key == key)
                return k.name;
        return "#" + std::to_string(key);
    }

    // The key code a name stands for, or -1.
    int keyFromName(std::string_view name)
    {
        if (name.size() == 1) {
            char c = static_cast<char>(std::toupper(static_cast<unsigned char>(name[0])));
            if ((c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z'))
                return c;
        }
        for (const KeyName& k : kKeyNames)
            if (equalsIgnoringCase(name, k.name))
                return k.key;
        int number = -1;
        if (name.size() >= 2 && (name[0] == 'F' || name[0] == 'f' || name[0] == '#')) {
            auto [end, ec] = std::from_chars(name.data() + 1, name.data() + name.size(), number);
            if (ec != std::errc() || end != name.data() + name.size())
                return -1;
            if (name[0] == '#')
                return number >= 1 && number <= 255 ? number : -1;
            return number >= 1 && number <= 24 ? number + 111 : -1;
        }
        return -1;
    }

} // namespace

std::string shortCutToText(TShortCut shortCut)
{
    uint8_t key = static_cast<uint8_t>(shortCut & 0xFF);
    if (key == 0)
        return {};
    std::string text;
    for (const auto& [prefix, bit] : kModifiers)
        if (shortCut & bit)
            text += prefix;
    return text + keyName(key);
}

TShortCut textToShortCut(std::string_view text)
{
    TShortCut modifiers = 0;
    bool found = true;
    while (found) {
        found = false;
        for (const auto& [prefix, bit] : kModifiers) {
            std::string_view p(prefix);
            if (text.size() > p.size() && equalsIgnoringCase(text.substr(0, p.size()), p)) {
                modifiers |= bit;
                text.remove_prefix(p.size());
                found = true;
            }
        }
    }
    int key = keyFromName(text);
    return key > 0 ? static_cast<TShortCut>(modifiers | key) : 0;
}

} // namespace lrl
