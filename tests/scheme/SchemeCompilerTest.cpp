#include "scheme/SchemeCompiler.h"
#include "common/MemoryStream.h"
#include "scheme/ESYM_COMP_ERROR.h"
#include "scheme/SchemeTable.h"

#include <gtest/gtest.h>

using namespace lrl;

namespace {

struct Compiled {
    SchemeTable table;
    SchemeCompiler compiler { table };
    std::string error;

    explicit Compiled(const std::string& script)
    {
        MemoryStream s(std::vector<uint8_t>(script.begin(), script.end()));
        try {
            compiler.compile(s, "");
        } catch (const ESYM_COMP_ERROR& e) {
            error = e.what();
        }
    }
    const TSM_Settings& settings() const { return table.settings(); }
    const TSM_CharGroup& cls(uint16_t i) const { return table.charClass(i); }
};

// The message part of a compile error, without the position.
std::string messageOf(const std::string& script)
{
    Compiled c(script);
    auto colon = c.error.find(": ");
    return colon == std::string::npos ? c.error : c.error.substr(colon + 2);
}

int32_t tabColumn(const Compiled& c, int i) { return c.settings().tabColumn(i); }

} // namespace

TEST(SchemeCompiler, EmptyScriptGivesAnEmptyTable)
{
    Compiled c("  // nothing\r\n");
    EXPECT_EQ(c.error, "");
    SchemeTable empty;
    empty.fillEmptyContextStates();
    EXPECT_TRUE(c.table == empty);
    EXPECT_EQ(c.compiler.label(), "Header");
}

TEST(SchemeCompiler, StartStateForms)
{
    EXPECT_EQ(Compiled("%%language startstate = 3").table.startStates(), Set256::of({ 0, 3 }));
    EXPECT_EQ(Compiled("%%language startstate = [3]").table.startStates(), Set256::of({ 3 }));
    EXPECT_EQ(Compiled("%%language startstate = [3, 4 5]").table.startStates(), Set256::of({ 3, 4, 5 }));
    // Token values without context states of their own restart in the start states.
    EXPECT_EQ(Compiled("%%language startstate = [3]").table.contextStates(200), Set256::of({ 3 }));
}

TEST(SchemeCompiler, LanguageKeys)
{
    Compiled c("%%LANGUAGE Name = 'A language whose name is longer than thirty-five characters'\r\n"
               "Case = __SENSITIVE Options = __OPT_WORDWRAP or __OPT_SHOW_GUTTER + 1 - (2 - 1)\r\n"
               "WordWrapColumn = 72 Gutter = 40 MarginWidth = 3 RightMargin = 100 IndentStep = 20\r\n"
               "WrapOverride = '>' FontName = 'Mono' FontSize = 11 FontCharSet = OEM_CHARSET\r\n"
               "SelTextColor = [*] clRed SelTextBack = clLime GutterColor = [ * ] 5 MarginColor = 6\r\n"
               "GutterFontName = 'Sans' GutterFontSize = 7 GutterFontColor = clNavy\r\n"
               "GutterFontStyle [fsBold, fsUnderline 7] TabDefault = 8 TabColumns = '5; 9 13'\r\n"
               "Anchor = 4 BoundStates = [1, 2] ExampleText = 'x\\ny'");
    ASSERT_EQ(c.error, "");
    const auto& s = c.settings();
    EXPECT_EQ(s.languageName, "A language whose name is longer tha");
    EXPECT_TRUE(c.table.keywords().caseSensitive());
    EXPECT_EQ(s.options, 1024u + 65536u);
    EXPECT_EQ(s.wrapAtColumn, 72);
    EXPECT_EQ(s.gutterWidth, 40);
    EXPECT_EQ(s.marginWidth, 3);
    EXPECT_EQ(s.rightMargin, 100);
    EXPECT_EQ(s.indentStep, 20);
    EXPECT_EQ(s.wrapOverride, ">");
    EXPECT_EQ(s.font, (TSM_Font { "Mono", 11, 255 }));
    EXPECT_EQ(s.selTextColor, 255);
    EXPECT_TRUE(s.selTextColorDefault);
    EXPECT_FALSE(s.selTextBackDefault);
    EXPECT_TRUE(s.gutterColorDefault);
    EXPECT_EQ(s.gutterColor, 5);
    EXPECT_FALSE(s.marginColorDefault);
    EXPECT_EQ(s.gutterFont.name, "Sans");
    EXPECT_EQ(s.gutterFont.size, 7);
    EXPECT_EQ(s.gutterFont.color, 8388608);
    EXPECT_EQ(s.gutterFont.style, TSM_Effect::Bold | TSM_Effect::Underline);
    EXPECT_EQ(s.tabDefault, 8);
    EXPECT_EQ(tabColumn(c, 0), 4);
    EXPECT_EQ(tabColumn(c, 2), 12);
    EXPECT_EQ(tabColumn(c, 3), -1);
    EXPECT_EQ(c.table.anchorSet(), Set256::of({ 0, 4 }));
    EXPECT_EQ(c.table.boundStates(), Set256::of({ 1, 2 }));
    EXPECT_EQ(s.exampleText, "x\ry");
    // An empty anchor set means token value 0.
    EXPECT_EQ(Compiled("%%language anchor = []").table.anchorSet(), Set256::of({ 0 }));
}

TEST(SchemeCompiler, LanguageKeyErrors)
{
    EXPECT_EQ(messageOf("%%language name 'x'"), "'=' expected");
    EXPECT_EQ(messageOf("%%language indentstep = 21"), "Range error, value outwith 0 .. 20");
    EXPECT_EQ(messageOf("%%language options = 1 + ("), "Expression expected");
    EXPECT_EQ(messageOf("%%language options = (1"), "Expression expected");
    EXPECT_EQ(messageOf("%%language options = 'x'"), "Expression expected");
    EXPECT_EQ(messageOf("%%language seltextcolor = [1] 2"), "']' expected");
    EXPECT_EQ(messageOf("%%language GutterFontStyle fsBold"), "'[' expected");
    EXPECT_EQ(messageOf("%%language GutterFontStyle [8]"), "Bad font style specifier");
    EXPECT_EQ(messageOf("%%language GutterFontStyle [1 +]"), "Bad font style specifier");
    EXPECT_EQ(messageOf("%%language tabdefault = 0"), "=Illegal default tab stop value, must be > 0");
    EXPECT_EQ(messageOf("%%language tabcolumns = '9 5'"), "Tab columns must be in order and unique");
    EXPECT_EQ(messageOf("%%language tabcolumns = '1'"), "Tab column must be > 1");
    EXPECT_EQ(messageOf("%%language tabcolumns = '4 x'"), "Tab stop column value expected");
    EXPECT_EQ(messageOf("%%language fontcharset = 256"), "Range error, value outwith 0 .. 255");
    EXPECT_EQ(messageOf("%%language name = 5"), "String value expected");
    EXPECT_EQ(messageOf("%%language startstate = [1"), "']' expected");
}

TEST(SchemeCompiler, EditableStylesFillFreeSlots)
{
    Compiled c("%%language editablestyles ('Keyword', 7), ('A style name longer than 25 chars', 3)\r\n"
               "editablestyles ('Third', 255)");
    ASSERT_EQ(c.error, "");
    const auto& slots = c.settings().editableStyles;
    EXPECT_EQ(slots[0], (TSM_EditableStyle { "Keyword", 7 }));
    EXPECT_EQ(slots[1], (TSM_EditableStyle { "A style name longer than ", 3 }));
    EXPECT_EQ(slots[2], (TSM_EditableStyle { "Third", 255 }));
    EXPECT_EQ(messageOf("%%language editablestyles ('x', 256)"), "Value must be 0..255");
    EXPECT_EQ(messageOf("%%language editablestyles ('x' 1)"), "',' expected");
    EXPECT_EQ(messageOf("%%language editablestyles 'x'"), "'(' expected");
    EXPECT_EQ(messageOf("%%language editablestyles ('x', 1"), "')' expected");
    std::string many = "%%language editablestyles ('s', 1)";
    for (int i = 1; i < 25; ++i)
        many += ", ('s', 1)";
    EXPECT_EQ(messageOf(many), "");
    EXPECT_EQ(messageOf(many + ", ('s', 1)"), "Too many editable styles");
}

TEST(SchemeCompiler, ContextStates)
{
    Compiled c("%%language startstate = [2] contextstates = (1 2, 3 [5 6]), (4)");
    ASSERT_EQ(c.error, "");
    EXPECT_EQ(c.table.contextStates(1), Set256::of({ 5, 6 }));
    EXPECT_EQ(c.table.contextStates(3), Set256::of({ 5, 6 }));
    EXPECT_EQ(c.table.contextStates(4), Set256::of({ 2 }));
    EXPECT_EQ(c.table.contextStates(9), Set256::of({ 2 }));
    EXPECT_EQ(messageOf("%%language contextstates = (1 [1]), (1 [2])"),
        "Token value 1 re-specified in ContextState");
    EXPECT_EQ(messageOf("%%language contextstates = (1) contextstates = (1)"),
        "Token value 1 re-specified in ContextState");
}

TEST(SchemeCompiler, Words)
{
    Compiled c("%%words 'Begin' '[^a-z]' 7 ':=' '[\\0-\\377]' 10 ';' '[\\0-\\377]' 20 [0, 1]\r\n"
               "%%words '#' '[0-9]' 11 [2] '#' '[0-9]' 12 [3]");
    ASSERT_EQ(c.error, "");
    const auto* begin = c.table.keywords().find("begin");
    ASSERT_NE(begin, nullptr);
    ASSERT_EQ(begin->size(), 1u);
    EXPECT_EQ((*begin)[0].token, 7);
    EXPECT_EQ((*begin)[0].states, Set256::of({ 0 }));
    EXPECT_TRUE(c.cls((*begin)[0].follow).negated());
    EXPECT_FALSE(c.cls((*begin)[0].follow).matches('q'));
    EXPECT_TRUE(c.cls((*c.table.keywords().find(":="))[0].follow).isAll());
    EXPECT_EQ(c.table.keywords().find("#")->size(), 2u);
    EXPECT_EQ(c.table.tokenValue(20)->valid, Set256::of({ 0, 1 }));
    EXPECT_EQ(c.table.tokenValue(11)->valid, Set256::of({ 0, 2 }));
    EXPECT_TRUE(c.table.tokenValue(20)->unchanged);
    EXPECT_EQ(c.compiler.label(), "%%Words - [0-9]");

    EXPECT_EQ(messageOf("%%words 'a' 'x' 1 'A' 'y' 2"), "Duplicate entry in %%word table");
    EXPECT_EQ(messageOf("%%words 'a' 'xy' 1"), "Single character specifier expected");
    EXPECT_EQ(messageOf("%%words 'a' '' 1"), "Single character specifier expected");
    EXPECT_EQ(messageOf("%%words 'a' '[z-a]' 1"), "Characters not in correct order for range specifier");
    EXPECT_EQ(messageOf("%%words 'a' 'x' 256"), "Range error, value outwith 0 .. 255");
}

TEST(SchemeCompiler, KeywordTables)
{
    Compiled c("%%kwTables forstate [] endswith '[^a-z]' ( 7 is 'begin', 'End' 8 is 'if' )\r\n"
               "forstate [1 2] endswith ' ' ( 9 is 'x' )\r\n"
               "forstate [2 1] endswith ' ' ( 10 is 'y' )");
    ASSERT_EQ(c.error, "");
    const auto& tables = c.settings().keywordTables;
    ASSERT_EQ(tables.size(), 2u);
    EXPECT_EQ(tables[0].states(), Set256::of({ 0 }));
    EXPECT_EQ(tables[0].terminatorText(), "[^a-z]");
    EXPECT_EQ(tables[0].words(),
        (std::vector<std::pair<std::string, uint8_t>> { { "begin", 7 }, { "End", 7 }, { "if", 8 } }));
    EXPECT_EQ(tables[1].words(), (std::vector<std::pair<std::string, uint8_t>> { { "y", 10 } }));

    EXPECT_EQ(messageOf("%%kwTables forstate [1 2] endswith ' ' () forstate [2 3] endswith ' ' ()"),
        "Ambigious key table state definition");
    EXPECT_EQ(messageOf("%%kwTables forstate 1 endswith ' ' ()"), "']' expected");
    EXPECT_EQ(messageOf("%%kwTables forstate [1] ' ' ()"), "'[' expected");
    EXPECT_EQ(messageOf("%%kwTables forstate [1] endswith 1 ()"), "String value expected");
    EXPECT_EQ(messageOf("%%kwTables forstate [1] endswith ' ' (7 'x')"), "String value expected");
    EXPECT_EQ(messageOf("%%kwTables forstate [1] endswith ' ' 7 is 'x'"), "'(' expected");
    EXPECT_EQ(messageOf("%%kwTables forstate [1] endswith ' ' (7 is 'x'"), "')' expected");
    std::string many = "%%kwTables";
    for (int i = 0; i < 20; ++i)
        many += " forstate [" + std::to_string(i) + "] endswith ' ' ()";
    EXPECT_EQ(messageOf(many), "");
    EXPECT_EQ(messageOf(many + " forstate [20] endswith ' ' ()"), "Too many keyword tables declared");
}

TEST(SchemeCompiler, Handlers)
{
    Compiled c("%%handlers 1 '[^\\n]' * '\\n' 0\r\n"
               "9 '[\\0-\\377]' * '*)' 1\r\n"
               "11 __STD_NUMBER 12 2 match (3) 1\r\n"
               "13 match (42)");
    ASSERT_EQ(c.error, "");
    const TSM_Handler* line = c.table.handler(1);
    ASSERT_NE(line, nullptr);
    EXPECT_TRUE(line->start.repeat);
    EXPECT_TRUE(c.cls(line->start.charClass).negated());
    EXPECT_EQ(line->end.classCount, 1);
    EXPECT_TRUE(c.cls(line->end.classes[0]).matches(13));
    EXPECT_FALSE(line->end.consume);
    const TSM_Handler* paren = c.table.handler(9);
    EXPECT_EQ(paren->end.classCount, 2);
    EXPECT_TRUE(c.cls(paren->end.classes[1]).matches(')'));
    EXPECT_TRUE(paren->end.consume);
    EXPECT_TRUE(c.table.handler(11)->start.numeric);
    EXPECT_EQ(c.table.handler(11)->start.routine, 16);
    EXPECT_FALSE(c.table.handler(11)->end.exists());
    EXPECT_EQ(c.table.handler(12)->start.routine, 2);
    EXPECT_TRUE(c.table.handler(12)->end.custom);
    EXPECT_EQ(c.table.handler(12)->end.routine, 3);
    EXPECT_TRUE(c.table.handler(13)->start.custom);
    EXPECT_EQ(c.table.handler(13)->start.routine, 42);
    EXPECT_TRUE(c.table.customParse());
    EXPECT_EQ(c.compiler.label(), "%%Handlers - 5");

    EXPECT_EQ(messageOf("%%handlers 1 'a' 1 'b'"), "Duplicate entry in %%handler table");
    EXPECT_EQ(messageOf("%%handlers 1 21"), "Range error, value outwith 0 .. 20");
    EXPECT_EQ(messageOf("%%handlers 1 'a' 'abcde' 0"), "Maximum of 4 character specifier allowed");
    EXPECT_EQ(messageOf("%%handlers 1 'ab'"), "Single character specifier expected");
    EXPECT_EQ(messageOf("%%handlers 1 match 3"), "'(' expected");
}

TEST(SchemeCompiler, Tokens)
{
    Compiled c("%%tokens 61 '[\\t\\n ]' '[\\t\\n ]' * '[^\\t\\n ]' 0\r\n"
               "6 '$' '[0-9]' 2 1 [4]\r\n"
               "2 __STD_IDENTIFIER\r\n"
               "? 3 ( 3 __STD_PASCALSTRING 5 '\"' match (7) )\r\n"
               "8 '{' 9 match (1) 1");
    ASSERT_EQ(c.error, "");
    const auto& all = c.table.tokenTable();
    ASSERT_TRUE(all.has(' ') && all.has('\t') && all.has(13));
    const TSM_TokenRecord& blank = *all.entry(' ');
    EXPECT_EQ(blank.token, 61);
    EXPECT_TRUE(blank.body.repeat);
    EXPECT_TRUE(c.cls(blank.end.classes[0]).negated());
    EXPECT_EQ(blank.states, Set256::of({ 0 }));
    const TSM_TokenRecord& hex = *all.entry('$');
    EXPECT_EQ(hex.states, Set256::of({ 0, 4 }));
    EXPECT_TRUE(hex.end.numeric);
    EXPECT_EQ(hex.end.routine, 2);
    EXPECT_TRUE(hex.end.consume);
    EXPECT_EQ(all.count(), 3u + 1 + 53 + 1);
    EXPECT_TRUE(all.entry('_')->start.numeric);
    EXPECT_EQ(all.entry('_')->start.routine, 10);
    EXPECT_FALSE(all.has('\''));
    EXPECT_TRUE(all.entry('{')->body.numeric);
    EXPECT_EQ(all.entry('{')->body.routine, 9);
    EXPECT_TRUE(all.entry('{')->end.custom);

    const TSM_TokenTable* three = c.table.stateTable(3);
    ASSERT_NE(three, nullptr);
    EXPECT_EQ(three->count(), 2u);
    EXPECT_EQ(three->entry('\'')->states, Set256::of({ 3 }));
    EXPECT_TRUE(three->entry('"')->body.custom);
    EXPECT_EQ(c.table.statesWithTables(), Set256::of({ 3 }));
    EXPECT_EQ(c.table.tokenValue(6)->valid, Set256::of({ 0, 4 }));
    EXPECT_EQ(c.table.tokenValue(3)->valid, Set256::of({ 3 }));
    EXPECT_EQ(c.compiler.label(), "%%Tokens - 6");

    EXPECT_EQ(messageOf("%%tokens 1 'a' [] 2 'a'"), "Ambigious start set in %%token table");
    EXPECT_EQ(messageOf("%%tokens 1 __STD_NUMBER 2 '[0-3]'"), "Ambigious start set in %%token table");
    EXPECT_EQ(messageOf("%%tokens ? 1 (1 'a') ? 1 (2 'a')"), "Ambigious start set in %%token table");
    EXPECT_EQ(messageOf("%%tokens 1 9"), "Script syntax error");
    EXPECT_EQ(messageOf("%%tokens 1 21"), "Script syntax error");
    EXPECT_EQ(messageOf("%%tokens 1 'a' 'b' 14 0"), "Range error, value outwith 0 .. 13");
    EXPECT_EQ(messageOf("%%tokens 1 'a' 'b' *"), "Script syntax error");
    EXPECT_EQ(messageOf("%%tokens ? 1 1 'a'"), "'(' expected");
    EXPECT_EQ(messageOf("%%tokens ? 1 (1 'a'"), "')' expected");
}

TEST(SchemeCompiler, MapAndEffects)
{
    Compiled c("%%map 1 5 2 7\r\n%%effects 0 [] 1 2 0 [] 3 * 4 *\r\n"
               "5 [fsBold, fsItalic, fsStrikeout] clRed clWhite * 'HotSpot' 6 [4] 0 0 'other'");
    EXPECT_EQ(messageOf("%%effects 5 [] 0 0 'other'"), "Script syntax error");
    Compiled ok("%%map 1 5 2 7\r\n%%effects 0 [] 1 2 0 [] 3 * 4 *\r\n"
                "5 [fsBold, fsItalic, fsStrikeout] clRed clWhite * 'HotSpot' 6 [4] 0 0");
    ASSERT_EQ(ok.error, "");
    EXPECT_EQ(ok.settings().map[1], 5);
    EXPECT_EQ(ok.settings().map[2], 7);
    const auto& e0 = ok.settings().effects[0];
    EXPECT_EQ(e0.foreground, 3);
    EXPECT_TRUE(e0.foregroundDefault && e0.backgroundDefault && e0.defined);
    const auto& e5 = ok.settings().effects[5];
    EXPECT_EQ(e5.style, TSM_Effect::Bold | TSM_Effect::Italic | TSM_Effect::StrikeOut);
    EXPECT_EQ(e5.foreground, 255);
    EXPECT_FALSE(e5.foregroundDefault);
    EXPECT_TRUE(e5.backgroundDefault);
    EXPECT_TRUE(e5.hotSpot);
    EXPECT_EQ(ok.settings().effects[6].style, 0);
    EXPECT_FALSE(ok.settings().effects[6].hotSpot);
    EXPECT_EQ(ok.compiler.label(), "%%Effects - 4");

    EXPECT_EQ(messageOf("%%effects 5 [] 0 0 5 [] 0 0"), "Duplicate %%effect entry");
    EXPECT_EQ(messageOf("%%effects 5 0 0"), "'[' expected");
    EXPECT_EQ(messageOf("%%effects 5 [1 0 0"), "']' expected");
    EXPECT_EQ(messageOf("%%map 1 256"), "Range error, value outwith 0 .. 255");
}

TEST(SchemeCompiler, StatesAndContainers)
{
    Compiled c("%%states 20 ( +[0] -[1] ) 21 push ( +1 ) pop 22 pop ( -[2 3] ) push 23 ()\r\n"
               "%%containers 30 ( +[4] - 5 )");
    ASSERT_EQ(c.error, "");
    const auto* semi = c.table.tokenValue(20);
    EXPECT_EQ(semi->valid, Set256::of({ 0 }));
    EXPECT_EQ(semi->entry, Set256::of({ 0 }));
    EXPECT_EQ(semi->exit, Set256::of({ 1 }));
    EXPECT_FALSE(semi->unchanged);
    EXPECT_EQ(semi->actions, 0);
    const auto* pushPop = c.table.tokenValue(21);
    EXPECT_EQ(pushPop->actions, TSM_TokenValueRecord::PushBefore | TSM_TokenValueRecord::PopAfter);
    EXPECT_TRUE(pushPop->entry.empty());
    EXPECT_TRUE(pushPop->unchanged);
    EXPECT_EQ(
        c.table.tokenValue(22)->actions, TSM_TokenValueRecord::PopBefore | TSM_TokenValueRecord::PushAfter);
    EXPECT_EQ(c.table.tokenValue(22)->exit, Set256::of({ 2, 3 }));
    EXPECT_TRUE(c.table.tokenValue(23)->unchanged);
    const auto* box = c.table.tokenValue(30);
    EXPECT_TRUE(box->container);
    EXPECT_EQ(box->entry, Set256::of({ 4 }));
    EXPECT_EQ(box->exit, Set256::of({ 5 }));

    EXPECT_EQ(messageOf("%%states 1 [1]"), "'(' expected");
    EXPECT_EQ(messageOf("%%states 1 ( +[1]"), "')' expected");
    EXPECT_EQ(messageOf("%%containers 1 push ()"), "'(' expected");
}

TEST(SchemeCompiler, Keys)
{
    Compiled c("%%keys caCOPY ([ctrl] 'c' | [shift] INSERT) 'Copy'\r\n"
               "caBLOCKIND ([ctrl, shift, alt] 'K', 'i')\r\n"
               "7 'Down'");
    ASSERT_EQ(c.error, "");
    const auto& keys = c.settings().keys;
    EXPECT_EQ(keys.commandName(13), "Copy");
    EXPECT_EQ(keys.commandName(7), "Down");
    const auto& store = keys.keyStore();
    int32_t ctrlC = store.find(TKeyStore::kNoNode, scCtrl | 'C');
    ASSERT_NE(ctrlC, TKeyStore::kNoNode);
    EXPECT_EQ(store.node(ctrlC).command, 13);
    ASSERT_NE(store.find(TKeyStore::kNoNode, scShift | 45), TKeyStore::kNoNode);
    int32_t k = store.find(TKeyStore::kNoNode, scCtrl | scShift | scAlt | 'K');
    ASSERT_NE(k, TKeyStore::kNoNode);
    int32_t i = store.find(k, 'I');
    ASSERT_NE(i, TKeyStore::kNoNode);
    EXPECT_EQ(store.node(i).command, 17);

    EXPECT_EQ(messageOf("%%keys 1 'x' 2 ''"), "Key function name cannot be blank");
    EXPECT_EQ(messageOf("%%keys 1 ('xy')"), "Single character specifier expected");
    EXPECT_EQ(messageOf("%%keys 1 ([ctrl])"), "Key specification required");
    EXPECT_EQ(messageOf("%%keys 1 ([ctrl] 'K', 'I') 2 ([ctrl] 'K')"),
        "Duplicate key sequence definition for\r\n\"\" and \"\"");
    EXPECT_EQ(messageOf("%%keys 1 (256)"), "Range error, value outwith 0 .. 255");
}

TEST(SchemeCompiler, AutoReplaceAndTemplates)
{
    Compiled c(
        "%%autoreplace actionkeys = '\\{Tab};' 'teh' = 'the'\r\n"
        "%%templates 'ifb' ('if block') = 'if  then\\nbegin\\nend;' 'w' = 'while' hotkey = ([ctrl] 'J')");
    ASSERT_EQ(c.error, "");
    const auto& replace = c.settings().autoReplace;
    EXPECT_EQ(replace.actionKeys(), "\\{Tab};");
    ASSERT_EQ(replace.entries().size(), 1u);
    EXPECT_EQ(replace.entries()[0].name, "teh");
    EXPECT_EQ(replace.entries()[0].body, "the");
    const auto& templates = c.settings().templates;
    ASSERT_EQ(templates.entries().size(), 2u);
    EXPECT_EQ(templates.entries()[0], (TMacroKeyword { "ifb", "if block", "if  then\rbegin\rend;" }));
    EXPECT_EQ(templates.entries()[1].description, "");
    EXPECT_EQ(templates.hotKey(), scCtrl | 'J');

    EXPECT_EQ(messageOf("%%autoreplace 'a' 'b'"), "'=' expected");
    EXPECT_EQ(messageOf("%%templates hotkey = [ctrl] 'J'"), "'(' expected");
    EXPECT_EQ(messageOf("%%templates 'a' ('b' = 'c'"), "')' expected");
}

TEST(SchemeCompiler, ErrorsStopWhereTheyStandAndKeepWhatWasBuilt)
{
    Compiled c("%%words 'a' 'x' 1\r\n%%tokens 2 __STD_NUMBER\r\n  3 'q' 'r' * 'st' 0 'x'");
    EXPECT_EQ(c.error, "** ERROR near line 3, Column 25: Script syntax error");
    EXPECT_EQ(c.compiler.label(), "%%Tokens - 2");
    EXPECT_EQ(c.compiler.line(), 3);
    EXPECT_EQ(c.compiler.column(), 25);
    // Whatever goes wrong inside an expression is reported as such.
    EXPECT_EQ(Compiled("%%map 1 5 2 ~").error, "** ERROR near line 1, Column 14: Expression expected");
    EXPECT_NE(c.table.keywords().find("a"), nullptr);
    EXPECT_TRUE(c.table.tokenTable().has('7'));
    EXPECT_TRUE(c.table.tokenTable().has('q'));

    EXPECT_EQ(Compiled("name").error, "** ERROR near line 1, Column 5: Script syntax error");
    EXPECT_EQ(Compiled("%%words %%words 'a' 'x' 1 %%words").error, "");
    // Deeply nested parentheses are refused rather than run out of stack.
    EXPECT_EQ(messageOf("%%map " + std::string(100000, '(') + "1"), "Expression expected");
    EXPECT_EQ(Compiled("%%language name = 'x'\r\n  wordwrap = 1").error,
        "** ERROR near line 2, Column 11: Identifier \"wordwrap\" Unknown");
}
