#include "SampleScheme.h"

#include "common/Exception.h"
#include "scheme/StyleString.h"
#include "viewer/keymap/EAmbigiousKeyPair.h"

#include <gtest/gtest.h>

#include <random>

using namespace lrl;

namespace {

TSM_Settings baseSettings() { return test::richSchemeTable().settings(); }

std::string errorOf(TSM_Settings& s, std::string_view text)
{
    try {
        applyStyleString(s, text);
    } catch (const ESyntaxMemo& e) {
        return e.message();
    }
    return "applied";
}

// A version 6 string of the given fields and the terminator.
std::string keyed(std::initializer_list<std::pair<std::string_view, std::string_view>> fields)
{
    std::string text(kStyleSignature);
    for (auto [key, value] : fields)
        text += std::string(key) + "#" + std::to_string(value.size()) + "#" + std::string(value);
    return text + "#END#";
}

// The keys of a written style string, in the order written.
std::vector<std::string> keysOf(const std::string& text)
{
    std::vector<std::string> keys;
    size_t pos = kStyleSignature.size();
    while (pos < text.size() && text[pos] != '#') {
        std::string key = text.substr(pos, 3);
        size_t lengthEnd = text.find('#', pos + 4);
        size_t length = std::stoul(text.substr(pos + 4, lengthEnd - pos - 4));
        keys.push_back(key);
        pos = lengthEnd + 1 + length;
    }
    return keys;
}

// Settings whose 24 stored fields are random: any 32-bit numbers and colours (system colours among
// them), texts of any bytes, ascending tab stops, and effects made defined at random (sometimes all 256).
// Strike-out and hot spots are not stored, so they stay as the base has them.
TSM_Settings randomSettings(std::mt19937& rng, const TSM_Settings& base)
{
    auto any = [&] { return static_cast<int32_t>(rng()); };
    auto colour = [&] {
        switch (rng() % 3) {
        case 0:
            return static_cast<int32_t>(0x80000000u | (rng() % 32));
        case 1:
            return static_cast<int32_t>(rng() & 0xFFFFFF);
        default:
            return any();
        }
    };
    auto chance = [&](unsigned percent) { return rng() % 100 < percent; };
    auto text = [&](size_t maxLength) {
        std::string t(rng() % (maxLength + 1), '\0');
        for (char& c : t)
            c = static_cast<char>(rng() % 256);
        return t;
    };

    TSM_Settings s = base;
    s.options = rng();
    s.gutterWidth = any();
    s.gutterColor = colour();
    s.wrapAtColumn = any();
    s.indentStep = any();
    s.wrapOverride = text(TSM_Settings::kMaxWrapOverride);
    s.font = { text(40), any(), static_cast<uint8_t>(rng()) };
    s.selTextColor = colour();
    s.selTextBack = colour();
    s.tabColumns.fill(0xFF);
    int32_t column = 0;
    int stops = static_cast<int>(rng() % (TSM_Settings::kTabColumns + 1));
    for (int i = 0; i < stops; ++i) {
        column += 1 + static_cast<int32_t>(rng() % 20);
        s.setTabColumn(i, column);
    }
    s.tabDefault = any();
    bool all = chance(10);
    for (TSM_Effect& e : s.effects) {
        if (!all && !e.defined && !chance(30))
            continue;
        e.defined = true;
        e.foreground = colour();
        e.background = colour();
        e.foregroundDefault = chance(50);
        e.backgroundDefault = chance(50);
        e.style = static_cast<uint8_t>((e.style & TSM_Effect::StrikeOut) | (rng() % 8));
    }
    s.gutterColorDefault = chance(50);
    s.marginColorDefault = chance(50);
    s.selTextColorDefault = chance(50);
    s.selTextBackDefault = chance(50);
    s.rightMargin = any();
    s.gutterFont
        = { text(40), any(), static_cast<uint8_t>(rng()), colour(), static_cast<uint8_t>(rng() % 16) };
    return s;
}

} // namespace

TEST(StyleString, WritesTheTwentyFourKeysInOrderAndTheTerminator)
{
    std::string text = writeStyleString(baseSettings());
    EXPECT_TRUE(text.starts_with("Farvel6:OPT#"));
    EXPECT_TRUE(text.ends_with("#END#"));
    std::vector<std::string> expected { "OPT", "GWD", "GCL", "WRC", "IDS", "WRO", "FON", "FOS", "STC", "STB",
        "TBC", "TBD", "EFF", "GDF", "MDF", "SDF", "BDF", "FOC", "RMG", "LNN", "LNS", "LNC", "LNT", "LNE" };
    EXPECT_EQ(keysOf(text), expected);
}

TEST(StyleString, WritesFieldsInTheirTextForms)
{
    TSM_Settings s = baseSettings();
    for (TSM_Effect& e : s.effects)
        e.defined = false;
    TSM_Effect& e = s.effects[7];
    e = { TSM_Effect::Bold | TSM_Effect::Underline, TSM_Settings::clWindowText, 0xFFFFFF, false, true, false,
        true };
    s.effects[10] = { TSM_Effect::Italic, 0x0000FF, 0, true, false, false, true };
    s.gutterFont.style = TSM_Effect::Bold | TSM_Effect::Italic | TSM_Effect::StrikeOut;
    s.selTextColor = -5;
    s.gutterColorDefault = true;
    s.marginColorDefault = false;
    std::string text = writeStyleString(s);
    EXPECT_NE(text.find("EFF#41#2,7,-2147483640,16777215,XBU;10,255,0,YI;GDF#1#1MDF#1#0"), std::string::npos)
        << text;
    EXPECT_NE(text.find("STC#2#-5"), std::string::npos);
    EXPECT_NE(text.find("TBC#4#5 13"), std::string::npos);
    EXPECT_NE(text.find("LNE#3#IBS#END#"), std::string::npos);
    EXPECT_NE(text.find("WRO#3#>|:FON#11#Courier New"), std::string::npos);

    for (TSM_Effect& x : s.effects)
        x.defined = false;
    EXPECT_NE(writeStyleString(s).find("EFF#1#0GDF"), std::string::npos);
}

TEST(StyleString, SavedStringLoadsBackToTheSameSettings)
{
    std::mt19937 rng(20261209);
    const TSM_Settings base = baseSettings();
    for (int round = 0; round < 400; ++round) {
        TSM_Settings saved = randomSettings(rng, base);
        TSM_Settings loaded = base;
        std::string text = writeStyleString(saved);
        ASSERT_NO_THROW(applyStyleString(loaded, text)) << text;
        ASSERT_TRUE(loaded == saved) << "round " << round << ": " << text;
    }
}

TEST(StyleString, TwoHundredFiftySixEffectsAreCountedAs255AndAllLoadBack)
{
    TSM_Settings s = baseSettings();
    for (size_t i = 0; i < s.effects.size(); ++i) {
        TSM_Effect& e = s.effects[i];
        e.defined = true;
        e.foreground = static_cast<int32_t>(i);
        e.background = static_cast<int32_t>(0xFFFFFF - i);
        e.foregroundDefault = e.backgroundDefault = false;
        e.style &= TSM_Effect::StrikeOut;
    }
    std::string text = writeStyleString(s);
    EXPECT_NE(text.find("#255,0,0,16777215,;1,1,"), std::string::npos);

    TSM_Settings loaded = s;
    for (TSM_Effect& e : loaded.effects)
        e.foreground = -1;
    applyStyleString(loaded, text);
    EXPECT_EQ(loaded.effects[255].foreground, 255);
    EXPECT_EQ(loaded.effects, s.effects);
}

TEST(StyleString, NegativeColoursInEffectsLoadBack)
{
    TSM_Settings s = baseSettings();
    applyStyleString(s, keyed({ { "EFF", "1,3,-2147483640,-2147483643,B;" } }));
    EXPECT_EQ(s.effects[3].foreground, TSM_Settings::clWindowText);
    EXPECT_EQ(s.effects[3].background, static_cast<int32_t>(0x80000005u));
    EXPECT_EQ(s.effects[3].style, TSM_Effect::Bold);
    // A minus that no digit follows is no number: the default stays and the letters end the entry.
    applyStyleString(s, keyed({ { "EFF", "1,4,-,B;" } }));
    EXPECT_EQ(s.effects[4].foreground, 0);
    EXPECT_EQ(s.effects[4].background, 0xFFFFFF);
    EXPECT_EQ(s.effects[4].style, 0);
}

TEST(StyleString, EffectEntriesReplaceColoursAndFlagsButKeepStrikeOut)
{
    TSM_Settings s = baseSettings();
    s.effects[40] = { TSM_Effect::StrikeOut | TSM_Effect::Bold, 1, 2, true, true, true, false };
    applyStyleString(s, keyed({ { "EFF", "1,40,,,iUxz;" } }));
    const TSM_Effect& e = s.effects[40];
    EXPECT_TRUE(e.defined);
    EXPECT_EQ(e.foreground, 0x000000);
    EXPECT_EQ(e.background, 0xFFFFFF);
    EXPECT_EQ(e.style, TSM_Effect::StrikeOut | TSM_Effect::Italic | TSM_Effect::Underline);
    EXPECT_TRUE(e.backgroundDefault);
    EXPECT_FALSE(e.foregroundDefault);
    EXPECT_TRUE(e.hotSpot);
}

TEST(StyleString, RejectsStringsWithoutSignatureOrVersion)
{
    for (std::string_view text :
        { "", "Farvel", "Farvel0:OPT#1#5#END#", "Farvelx:", "farvel6:OPT#1#5", "Xarvel6:" }) {
        TSM_Settings s = baseSettings();
        EXPECT_EQ(errorOf(s, text), kInvalidStyleString) << text;
        EXPECT_TRUE(s == baseSettings()) << text;
    }
}

TEST(StyleString, KeyedReadingStopsQuietlyOrFailsKeepingWhatItRead)
{
    struct Case {
        std::string_view text;
        std::string_view outcome;
        int32_t gutterWidth;
        int32_t fontSize;
    };
    const int32_t size0 = baseSettings().font.size;
    const Case cases[] = {
        { "Farvel6:GWD#2#50FOS#2#20#END#", "applied", 50, 20 },
        { "Farvel5:GWD#2#50FOS#2#20", "applied", 50, 20 }, // no terminator: the end stops the reading
        { "Farvel6:GWD#2#50ZZZ#2#20FOS#2#20#END#", "applied", 50, size0 }, // unknown key
        { "Farvel6:GWD#2#50FOS", "applied", 50, size0 }, // key without "#"
        { "Farvel6:GWD#2#50FOS#x#20", kInvalidStyleString, 50, size0 },
        { "Farvel6:GWD#2#50FOS#2x20", kInvalidStyleString, 50, size0 },
        { "Farvel6:GWD#2#50FOS#2#2x", kInvalidStyleString, 50, size0 },
        { "Farvel6:GWD#2#50FOS#0#", kInvalidStyleString, 50, size0 },
        { "Farvel6:GWD#2#50FOS#10#2147483648", kInvalidStyleString, 50, size0 },
        { "Farvel6:GWD#2#50FOS#11#-2147483648", "applied", 50, INT32_MIN },
        { "Farvel6:GWD#3#$1FFOS#999#12", "applied", 31, 12 }, // hex; a length past the end takes the rest
        { "Farvel6:GWD#2#50EFF#6#1,300;FOS#2#20", kInvalidStyleString, 50, size0 },
    };
    for (const Case& c : cases) {
        TSM_Settings s = baseSettings();
        EXPECT_EQ(errorOf(s, c.text), c.outcome) << c.text;
        EXPECT_EQ(s.gutterWidth, c.gutterWidth) << c.text;
        EXPECT_EQ(s.font.size, c.fontSize) << c.text;
    }
}

TEST(StyleString, TabColumnTextGoesThroughTheTabStopParser)
{
    TSM_Settings s = baseSettings();
    applyStyleString(s, "Farvel6:TBC#6#3;9 20#END#");
    EXPECT_EQ(s.tabColumn(0), 2);
    EXPECT_EQ(s.tabColumn(1), 8);
    EXPECT_EQ(s.tabColumn(2), 19);
    EXPECT_EQ(s.tabColumn(3), -1);
    EXPECT_EQ(errorOf(s, "Farvel6:TBC#3#9 3#END#"), "Tab columns must be in order and unique");
    applyStyleString(s, "Farvel6:TBC#0##END#");
    EXPECT_EQ(s.tabColumn(0), -1);
}

TEST(StyleString, EffectCountsBeyondTheDataEndAtOnce)
{
    TSM_Settings s = baseSettings();
    s.effects[255].defined = false;
    applyStyleString(s, keyed({ { "EFF", "2000000000," } }));
    EXPECT_TRUE(s.effects[255].defined);
    EXPECT_EQ(s.effects[255].foreground, 0);
    EXPECT_EQ(s.effects[255].background, 0xFFFFFF);
    // A letter that ends an entry without ";" is not taken as the start of the next one.
    TSM_Settings t = baseSettings();
    applyStyleString(t, keyed({ { "EFF", "3,7,1,2,B?8,1,2;9,1,2;" } }));
    EXPECT_EQ(t.effects[7].foreground, 1);
    EXPECT_EQ(t.effects[8], baseSettings().effects[8]);
}

TEST(StyleString, ReadsThePositionalVersions)
{
    TSM_Settings s = baseSettings();
    applyStyleString(s, "Farvel4:5,30,72,2,3,>|:11,Courier New12,255,16711680,3,5 98,2,7,0,255,B;0,1,2,XY;");
    EXPECT_EQ(s.options, 5u);
    EXPECT_EQ(s.gutterWidth, 30);
    EXPECT_EQ(s.wrapAtColumn, 72);
    EXPECT_EQ(s.indentStep, 2);
    EXPECT_EQ(s.wrapOverride, ">|:");
    EXPECT_EQ(s.font.name, "Courier New");
    EXPECT_EQ(s.font.size, 12);
    EXPECT_EQ(s.selTextColor, 255);
    EXPECT_EQ(s.selTextBack, 0xFF0000);
    EXPECT_EQ(s.tabColumn(0), 4);
    EXPECT_EQ(s.tabColumn(1), 8);
    EXPECT_EQ(s.tabColumn(2), -1);
    EXPECT_EQ(s.tabDefault, 8);
    EXPECT_EQ(s.effects[7].style, TSM_Effect::Bold);
    EXPECT_EQ(s.effects[7].background, 255);
    EXPECT_TRUE(s.effects[0].foregroundDefault && s.effects[0].backgroundDefault);
    EXPECT_EQ(s.effects[0].background, 2);

    // Version 3 has no tab stops; version 2 no selected colours either; version 1 no font.
    TSM_Settings v3 = baseSettings();
    applyStyleString(v3, "Farvel3:,,,,0,5,Arial9,7,8,0");
    EXPECT_EQ(v3.options, TSM_Settings::kDefaultOptions);
    EXPECT_EQ(v3.gutterWidth, 34);
    EXPECT_EQ(v3.indentStep, 1);
    EXPECT_EQ(v3.font.name, "Arial");
    EXPECT_EQ(v3.selTextColor, 7);
    EXPECT_EQ(v3.selTextBack, 8);
    EXPECT_EQ(v3.tabColumn(0), baseSettings().tabColumn(0));

    TSM_Settings v2 = baseSettings();
    applyStyleString(v2, "Farvel2:1,2,3,4,25,abcdefghijklmnopqrstuvwxy5,Arial14,0");
    EXPECT_EQ(v2.wrapOverride, "abcdefghijklmnopqrst");
    EXPECT_EQ(v2.font.name, "Arial");
    EXPECT_EQ(v2.font.size, 14);
    EXPECT_EQ(v2.selTextColor, TSM_Settings::clHighlightText);
    EXPECT_EQ(v2.selTextBack, TSM_Settings::clHighlight);

    TSM_Settings v1 = baseSettings();
    applyStyleString(v1, "Farvel1:1,2,3,4,0,1,3,0,255,U;");
    EXPECT_EQ(v1.font, (TSM_Font { "Courier New", 10, 1 }));
    EXPECT_EQ(v1.selTextBack, TSM_Settings::clHighlight);
    EXPECT_EQ(v1.effects[3].style & TSM_Effect::Underline, TSM_Effect::Underline);
}

TEST(StyleString, PositionalEffectFailurePutsTheEffectsBack)
{
    TSM_Settings s = baseSettings();
    EXPECT_EQ(errorOf(s, "Farvel3:1,2,3,4,0,0,10,0,0,2,7,1,1,B;256,0,0;"), kInvalidStyleString);
    EXPECT_EQ(s.effects, baseSettings().effects);
    EXPECT_EQ(s.gutterWidth, 2);
}

TEST(StyleString, KeyAssignmentsRoundTripAndDamageKeepsTheCurrentMap)
{
    TSM_Settings source = baseSettings();
    std::vector<uint8_t> bytes = writeKeyAssignments(source);
    ASSERT_GE(bytes.size(), 9u);
    EXPECT_EQ(bytes[0], 8);
    EXPECT_EQ(std::string(bytes.begin() + 1, bytes.begin() + 9), "Farvel6:");

    TSM_Settings target = baseSettings();
    target.keys.clear();
    EXPECT_TRUE(applyKeyAssignments(target, bytes));
    EXPECT_TRUE(target.keys == source.keys);

    TSM_Settings untouched = baseSettings();
    std::vector<uint8_t> noSignature(bytes);
    noSignature[3] = 'X';
    EXPECT_FALSE(applyKeyAssignments(untouched, noSignature));
    std::vector<uint8_t> cut(bytes.begin(), bytes.end() - 3);
    untouched.keys.clear();
    untouched.keys.addBinding(65, 0, 1);
    TKeyboardActionContoller before = untouched.keys;
    EXPECT_THROW(applyKeyAssignments(untouched, cut), Exception);
    EXPECT_TRUE(untouched.keys == before);
}
