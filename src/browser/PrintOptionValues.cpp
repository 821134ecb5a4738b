#include "browser/PrintOptionValues.h"

#include "browser/BrowserSettings.h"
#include "common/SettingsReader.h"
#include "common/SettingsWriter.h"

#include <array>

namespace lrl {

namespace {

    constexpr std::array<const char*, 4> kHeaderButtonNames { "rbCt", "rbFnw", "rbFnwo", "rbsfp" };
    constexpr std::array<bool, 4> kHeaderButtonDefaults { false, true, false, false };
    constexpr std::array<const char*, 4> kMarginNames { "lmr", "tmr", "rmr", "bmr" };
    constexpr const char* kDefaultMargin = "05";
    constexpr size_t kMaxFontName = 255;

    bool isDigit(char c) { return c >= '0' && c <= '9'; }

    bool isMarginText(const std::string& text)
    {
        return (text.size() == 1 || text.size() == 2) && isDigit(text[0]) && isDigit(text.back());
    }

    bool isFontName(const std::string& name)
    {
        if (name.empty() || name.size() > kMaxFontName)
            return false;
        for (unsigned char c : name)
            if (c < 0x20 || c == 0x7F)
                return false;
        return true;
    }

    bool validLevel(int level) { return level >= 0 && level < PrintOptionValues::kLevels; }

    std::string levelName(const char* prefix, int level) { return prefix + std::to_string(level); }

} // namespace

PrintOptionValues::PrintOptionValues(SettingsStore& store)
    : m_store(store)
{
}

PrintOptionValues::HeaderSource PrintOptionValues::headerSource() const
{
    return static_cast<HeaderSource>(SettingsReader(m_store, kPrtOpsSection).readInt("hdr", 0, { 0, 3 }));
}

void PrintOptionValues::setHeaderSource(HeaderSource source)
{
    SettingsWriter(m_store, kPrtOpsSection).writeInt("hdr", static_cast<int32_t>(source));
}

bool PrintOptionValues::headerButton(HeaderButton button) const
{
    auto i = static_cast<size_t>(button);
    return SettingsReader(m_store, kPrtOpsSection).readFlag(kHeaderButtonNames[i], kHeaderButtonDefaults[i]);
}

void PrintOptionValues::setHeaderButton(HeaderButton button, bool checked)
{
    SettingsWriter(m_store, kPrtOpsSection).writeFlag(kHeaderButtonNames[static_cast<size_t>(button)], checked);
}

std::optional<PrintOptionValues::HeaderButton> PrintOptionValues::firstCheckedHeaderButton() const
{
    for (auto b : { HeaderButton::CustomText, HeaderButton::FileNameWithPath, HeaderButton::FileNameWithoutPath,
             HeaderButton::NodeText })
        if (headerButton(b))
            return b;
    return std::nullopt;
}

std::string PrintOptionValues::marginText(Margin margin) const
{
    std::string text = SettingsReader(m_store, kPrtOpsSection)
                           .readText(kMarginNames[static_cast<size_t>(margin)], kDefaultMargin);
    if (!isMarginText(text))
        return kDefaultMargin;
    return text.size() == 1 ? "0" + text : text;
}

void PrintOptionValues::setMarginText(Margin margin, const std::string& digits)
{
    if (isMarginText(digits))
        SettingsWriter(m_store, kPrtOpsSection).writeText(kMarginNames[static_cast<size_t>(margin)], digits);
}

double PrintOptionValues::marginInches(Margin margin) const
{
    std::string text = marginText(margin);
    int hundredths = (text[0] - '0') * 10 + (text[1] - '0');
    return hundredths == 0 ? 1.0 : hundredths * 0.01;
}

PrintOptionValues::LevelFont PrintOptionValues::levelFont(int level) const
{
    LevelFont font;
    if (!validLevel(level))
        return font;
    SettingsReader prt(m_store, kPrtOpsSection);
    std::string name = prt.readText(levelName("rbFn", level), font.name);
    if (isFontName(name))
        font.name = name;
    font.size = prt.readInt(levelName("rbFs", level), font.size, { kMinFontSize, kMaxFontSize });
    parseStyle(prt.readText(levelName("rbFst", level), "0"), font);
    font.color = prt.readInt(levelName("rbFc", level), font.color);
    return font;
}

void PrintOptionValues::setLevelFont(int level, const LevelFont& font)
{
    if (!validLevel(level))
        return;
    SettingsWriter prt(m_store, kPrtOpsSection);
    prt.writeInt(levelName("rbFc", level), font.color);
    prt.writeInt(levelName("rbFs", level), font.size);
    std::string style { font.bold ? '1' : '0', font.italic ? '1' : '0', font.underline ? '1' : '0' };
    prt.writeText(levelName("rbFst", level), style);
    prt.writeText(levelName("rbFn", level), font.name);
}

void PrintOptionValues::resetLevelFonts()
{
    SettingsWriter prt(m_store, kPrtOpsSection);
    for (int level = 0; level < kLevels; ++level) {
        prt.writeInt(levelName("rbFc", level), 0);
        prt.writeInt(levelName("rbFs", level), 8);
        prt.writeText(levelName("rbFst", level), "0");
        prt.writeText(levelName("rbFn", level), "Courier New");
    }
}

void PrintOptionValues::parseStyle(const std::string& text, LevelFont& font)
{
    bool three = text.size() == 3;
    font.bold = three && text[0] == '1';
    font.italic = three && text[1] == '1';
    font.underline = three && text[2] == '1';
}

} // namespace lrl
