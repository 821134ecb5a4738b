#include "SampleScheme.h"

#include "scheme/CharSpecifier.h"

namespace lrl::test {

namespace {

    uint16_t cls(SchemeTable& t, const char* spec) { return t.addCharClass(parseCharSpecifiers(spec).at(0)); }

    TSM_StartPart classPart(uint16_t c, bool repeat = false)
    {
        TSM_StartPart p;
        p.charClass = c;
        p.repeat = repeat;
        return p;
    }

    TSM_StartPart routinePart(int32_t routine, bool custom = false)
    {
        TSM_StartPart p;
        p.numeric = true;
        p.custom = custom;
        p.routine = routine;
        return p;
    }

    TSM_EndPart closing(std::initializer_list<uint16_t> classes, bool consume)
    {
        TSM_EndPart e;
        e.consume = consume;
        for (uint16_t c : classes)
            e.classes[e.classCount++] = c;
        return e;
    }

    void fillSettings(TSM_Settings& s)
    {
        s.exampleText = "{ Sample }\rprogram P;\rbegin\rend.";
        s.languageName = "Object Pascal";
        s.wrapOverride = ">|:";
        s.options = TSM_Settings::kDefaultOptions | 1;
        s.marginWidth = 8;
        s.rightMargin = 80;
        s.wrapAtColumn = 72;
        s.gutterWidth = 34;
        s.indentStep = 2;
        s.marginColor = 0x00FFFFFF;
        s.gutterColor = 0x0000FFFF;
        s.selTextColor = -5;
        s.selTextBack = 0x00FF0000;
        s.marginColorDefault = true;
        s.gutterColorDefault = false;
        s.selTextColorDefault = true;
        s.selTextBackDefault = false;
        s.tabDefault = 4;
        for (int e : { 0, 2, 5, 7, 255 }) {
            TSM_Effect& fx = s.effects[static_cast<size_t>(e)];
            fx.defined = true;
            fx.style = static_cast<uint8_t>(e & 15);
            fx.foreground = 0x000080 * e;
            fx.background = 0xFFFFFF - e;
            fx.foregroundDefault = e == 0;
            fx.backgroundDefault = e != 7;
            fx.hotSpot = e == 255;
        }
        s.map[1] = 5;
        s.map[2] = 2;
        s.map[7] = 7;
        s.map[30] = 7;
        s.map[255] = 255;
        s.editableStyles[0] = { "Reserved word", 7 };
        s.editableStyles[1] = { "Comment", 5 };
        s.editableStyles[2] = { "", 0 };
        s.editableStyles[3] = { "Default", 0 };
        s.setTabColumn(0, 4);
        s.setTabColumn(1, 12);
        s.font = { "Courier New", 9, 0 };

        TKeywordDefinitions& kw = s.keywordTables.emplace_back();
        kw.setStates(Set256::of({ 0 }));
        kw.setTerminatorText("[^_A-Za-z0-9]");
        kw.addWord("while", 7);
        kw.addWord("begin", 30);
        kw.addWord("end", 31);
        TKeywordDefinitions& kw2 = s.keywordTables.emplace_back();
        kw2.setStates(Set256::of({ 1, 2 }));
        kw2.setCaseSensitive(true);
        kw2.setTerminatorText(" ;");
        kw2.addWord("Read", 21);

        s.autoReplace.addReplacement("teh", "the");
        s.autoReplace.addReplacement("beign", "begin");
        s.autoReplace.setActionKeys(";,:.=()[]\\{Return}\\{Tab}\\{Space}");
        s.autoReplace.setFlags(3);
        s.templates.add("forb", "for loop with begin", "for | := to do\rbegin\rend;");
        s.templates.add("if", "", "if | then");
        s.templates.setHotKey(scCtrl | 'J');
        s.templates.setFlags(0x45);

        s.keys.setCommandName(0, "Cursor left");
        s.keys.setCommandName(17, "Indent selected block");
        s.keys.setCommandName(20, "Set Bookmark 0");
        s.keys.setCommandName(30, "Goto Bookmark 0");
        s.keys.addBinding(scCtrl | 8, 0, 43);
        s.keys.addBinding(37, 0, 0);
        s.keys.addBinding(scCtrl | 'K', 'I', 17);
        s.keys.addBinding(scCtrl | 'K', '0', 20);
        s.keys.addBinding(scCtrl | 'Q', '0', 30);
        s.keys.addBinding(scShift | scCtrl | 'Z', 0, 42);

        s.gutterFont = { "MS Sans Serif", 8, 0, 0x00800000, TSM_Effect::Bold | TSM_Effect::Italic };
    }

} // namespace

SchemeTable richSchemeTable()
{
    SchemeTable t;
    fillSettings(t.settings());

    uint16_t any = t.addCharClass(TSM_CharGroup::any());
    uint16_t digits = cls(t, "[0-9]");
    uint16_t hex = cls(t, "[0-9A-Fa-f]");
    uint16_t notCr = cls(t, "[^\r]");
    uint16_t blanks = cls(t, "[\t\r ]");

    TSyntaxKeywords& k = t.keywords();
    k.add("//", { Set256::of({ 0 }), any, 1 });
    k.add("{", { Set256::of({ 0 }), any, 8 });
    k.add("(*", { Set256::of({ 0 }), any, 9 });
    k.add("#", { Set256::of({ 0 }), digits, 11 });
    k.add("#$", { Set256::of({ 0 }), hex, 12 });
    k.add(";", { Set256::of({ 0, 1 }), any, 20 });
    k.add(".", { Set256::of({ 0 }), any, 60 });
    k.add("..", { Set256::of({ 0 }), any, 10 });
    k.add(".", { Set256::of({ 4 }), digits, 61 });

    t.setHandler(1, { classPart(notCr), {} });
    t.setHandler(8, { classPart(any, true), closing({ cls(t, "}") }, true) });
    t.setHandler(9, { classPart(any, true), closing({ cls(t, "*"), cls(t, ")") }, true) });
    t.setHandler(11, { classPart(digits), {} });
    t.setHandler(12, { classPart(hex), {} });
    TSM_EndPart routineEnd;
    routineEnd.numeric = true;
    routineEnd.custom = true;
    routineEnd.routine = 7;
    t.setHandler(90, { routinePart(3, true), routineEnd });

    TSM_TokenRecord blank;
    blank.start = classPart(blanks);
    blank.states = Set256::of({ 0 });
    blank.body = classPart(blanks, true);
    blank.token = 61;
    for (char c : { '\t', '\r', ' ' })
        t.tokenTable().set(static_cast<uint8_t>(c), blank);
    TSM_TokenRecord hexNumber;
    hexNumber.start = classPart(cls(t, "$"));
    hexNumber.states = Set256::of({ 0 });
    hexNumber.body = classPart(hex);
    hexNumber.token = 6;
    t.tokenTable().set('$', hexNumber);
    TSM_TokenRecord str;
    str.start = routinePart(12);
    str.states = Set256::of({ 0, 1 });
    str.token = 3;
    t.tokenTable().set('\'', str);
    TSM_TokenRecord ident;
    ident.start = routinePart(10);
    ident.states = Set256::of({ 0 });
    ident.token = 2;
    for (int c = 'A'; c <= 'Z'; ++c) {
        t.tokenTable().set(static_cast<uint8_t>(c), ident);
        t.tokenTable().set(static_cast<uint8_t>(c + 32), ident);
    }

    TSM_TokenRecord tag;
    tag.start = classPart(cls(t, "<"));
    tag.states = Set256::of({ 2 });
    tag.body = classPart(cls(t, "[^>]"), true);
    tag.end = closing({ cls(t, ">") }, true);
    tag.token = 70;
    TSM_TokenTable& st = t.stateTableOrAdd(2);
    st.set('<', tag);
    st.set('&', tag);
    st.ranges().push_back({ 0x100, 0x2FF, tag });
    t.stateTableOrAdd(5);

    t.startStates() = Set256::of({ 0 });
    t.anchorSet() = Set256::of({ 0, 61 });
    t.boundStates() = Set256::of({ 3 });
    t.setContextStates(8, Set256::of({ 3 }));
    t.setContextStates(9, Set256::of({ 3, 4 }));
    t.fillEmptyContextStates();

    TSM_TokenValueRecord& semi = t.tokenValueOrAdd(20, Set256::of({ 0, 1 }));
    semi.entry = Set256::of({ 0 });
    semi.exit = Set256::of({ 1 });
    semi.updateUnchanged();
    TSM_TokenValueRecord& prop = t.tokenValueOrAdd(21, Set256::of({ 0 }));
    prop.entry = Set256::of({ 1 });
    prop.exit = Set256::of({ 0 });
    prop.actions = TSM_TokenValueRecord::PushBefore | TSM_TokenValueRecord::PopAfter;
    prop.updateUnchanged();
    t.tokenValueOrAdd(2, Set256::of({ 0 }));
    TSM_TokenValueRecord& container = t.tokenValueOrAdd(70, Set256::of({ 2 }));
    container.container = true;
    container.entry = Set256::of({ 2 });
    container.updateUnchanged();

    t.setCustomParse(true);
    return t;
}

} // namespace lrl::test
