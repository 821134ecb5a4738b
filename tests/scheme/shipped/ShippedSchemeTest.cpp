#include "common/MemoryStream.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"
#include "viewer/keymap/ShortCut.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

using namespace lrl;

// The shipped scheme is checked figure by figure against the table the program loads: the stored bytes
// that the build embeds, loaded the way the main window loads them.
class ShippedScheme : public ::testing::Test {
protected:
    void SetUp() override { parser = createShippedParser(); }

    const SchemeTable& table() const { return parser->table(); }
    const TSM_Settings& settings() const { return parser->settings(); }
    const TSM_CharGroup& cls(uint16_t index) const { return table().charClass(index); }

    static Set256 chars(const std::string& text)
    {
        Set256 s;
        for (char c : text)
            s.insert(static_cast<uint8_t>(c));
        return s;
    }
    static Set256 range(int low, int high)
    {
        Set256 s;
        for (int c = low; c <= high; ++c)
            s.insert(c);
        return s;
    }

    std::unique_ptr<TSyntaxMemoParser> parser;
};

TEST_F(ShippedScheme, StoredFormAndRoundTrip)
{
    auto bytes = shippedParserBytes();
    ASSERT_GT(bytes.size(), 6u);
    EXPECT_EQ(bytes[0] | bytes[1] << 8, 51);
    const uint32_t layoutSize = bytes[2] | bytes[3] << 8 | bytes[4] << 16 | static_cast<uint32_t>(bytes[5]) << 24;
    EXPECT_EQ(layoutSize, 24581u);
    EXPECT_EQ(std::string(bytes.begin() + 6, bytes.begin() + 10), "WRZL");
    auto again = parser->parser();
    EXPECT_EQ(again, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

TEST_F(ShippedScheme, Settings)
{
    const auto& s = settings();
    EXPECT_EQ(s.languageName, "Object Pascal");
    EXPECT_EQ(s.options, 67099632u);
    EXPECT_EQ(s.marginWidth, 8);
    EXPECT_EQ(s.rightMargin, 80);
    EXPECT_EQ(s.wrapAtColumn, 0);
    EXPECT_EQ(s.gutterWidth, 34);
    EXPECT_EQ(s.indentStep, 1);
    EXPECT_EQ(s.tabDefault, 4);
    EXPECT_EQ(s.tabColumn(0), -1);
    EXPECT_EQ(s.font, (TSM_Font { "Courier New", 9, 0 }));
    EXPECT_EQ(s.gutterFont.name, "MS Sans Serif");
    EXPECT_EQ(s.gutterFont.size, 8);
    EXPECT_EQ(s.wrapOverride, ">|:");
    EXPECT_EQ(table().startStates(), Set256::of({ 0 }));
    EXPECT_EQ(table().anchorSet(), Set256::of({ 0 }));
    EXPECT_FALSE(table().customParse());
}

TEST_F(ShippedScheme, EffectsMapAndEditableStyles)
{
    std::set<int> defined;
    for (int i = 0; i < 256; ++i) {
        const auto& e = settings().effects[static_cast<size_t>(i)];
        if (!e.defined)
            continue;
        defined.insert(i);
        EXPECT_EQ(e.style, 0) << i;
        EXPECT_TRUE(e.foregroundDefault && e.backgroundDefault) << i;
        EXPECT_FALSE(e.hotSpot) << i;
    }
    EXPECT_EQ(defined, (std::set<int> { 0, 2, 3, 4, 5, 7, 10, 30, 31, 35, 40, 41, 43, 44, 46 }));

    std::map<int, int> expected { { 1, 5 }, { 5, 5 }, { 8, 5 }, { 9, 5 }, { 2, 2 }, { 3, 3 }, { 11, 3 },
        { 12, 3 }, { 4, 4 }, { 6, 4 }, { 7, 7 }, { 10, 10 }, { 20, 10 }, { 60, 10 } };
    for (int v : { 21, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 35, 40, 41, 43, 44, 46, 62, 63, 64, 65 })
        expected[v] = 7;
    std::map<int, int> map;
    for (int i = 0; i < 256; ++i)
        if (settings().map[static_cast<size_t>(i)] != 0)
            map[i] = settings().map[static_cast<size_t>(i)];
    EXPECT_EQ(map.size(), 35u);
    EXPECT_EQ(map, expected);

    ASSERT_EQ(settings().editableStyleCount(), 7);
    const std::vector<TSM_EditableStyle> styles { { "Reserved word", 7 }, { "Comment", 5 }, { "Identifier", 2 },
        { "String", 3 }, { "Number", 4 }, { "Symbols", 10 }, { "Default", 0 } };
    for (size_t i = 0; i < styles.size(); ++i)
        EXPECT_EQ(settings().editableStyles[i], styles[i]);
}

TEST_F(ShippedScheme, ReservedWordTable)
{
    ASSERT_EQ(settings().keywordTables.size(), 1u);
    const auto& t = settings().keywordTables[0];
    EXPECT_EQ(t.states(), Set256::of({ 0 }));
    EXPECT_EQ(t.terminatorText(), "[^_A-Za-z0-9]");
    EXPECT_FALSE(t.caseSensitive());
    EXPECT_TRUE(t.terminator().matches('.'));
    EXPECT_FALSE(t.terminator().matches('_'));

    std::map<std::string, int> expected;
    for (const char* w : { "absolute", "abstract", "and", "array", "as", "asm", "assembler", "at", "automated",
             "cdecl", "const", "default", "dispid", "dispinterface", "div", "do", "downto", "dynamic", "else",
             "except", "export", "exports", "external", "far", "file", "finalization", "finally", "for",
             "forward", "goto", "if", "in", "index", "inherited", "initialization", "inline", "interface",
             "is", "label", "library", "message", "mod", "name", "near", "nil", "nodefault", "not", "object",
             "of", "on", "or", "out", "override", "packed", "pascal", "program", "published", "raise",
             "read", "readonly", "register", "repeat", "resident", "resourcestring", "safecall", "set", "shl",
             "shr", "stdcall", "stored", "string", "stringresource", "then", "threadvar", "to", "unit",
             "until", "uses", "var", "virtual", "while", "with", "write", "writeonly", "xor" })
        expected[w] = 7;
    for (auto [w, v] : std::map<std::string, int> { { "begin", 30 }, { "case", 30 }, { "try", 30 }, { "end", 31 },
             { "property", 21 }, { "implementation", 35 }, { "type", 40 }, { "class", 41 }, { "record", 41 },
             { "private", 43 }, { "public", 44 }, { "protected", 46 }, { "constructor", 62 },
             { "destructor", 63 }, { "function", 64 }, { "procedure", 65 } })
        expected[w] = v;
    ASSERT_EQ(expected.size(), 101u);
    std::map<std::string, int> words;
    for (const auto& [word, value] : t.words())
        words[word] = value;
    EXPECT_EQ(t.words().size(), 101u);
    EXPECT_EQ(words, expected);
}

TEST_F(ShippedScheme, KeywordStore)
{
    const auto& kw = table().keywords();
    EXPECT_FALSE(kw.caseSensitive());
    EXPECT_EQ(kw.definitionCount(), 27u);
    std::map<std::string, int> expected { { "//", 1 }, { "{", 8 }, { "(*", 9 }, { ":=", 10 }, { "+", 10 },
        { "-", 10 }, { "*", 10 }, { "/", 10 }, { "=", 10 }, { "<>", 10 }, { "<", 10 }, { ">", 10 }, { "<=", 10 },
        { ">=", 10 }, { "(", 10 }, { ")", 10 }, { "[", 10 }, { "]", 10 }, { ".", 60 }, { "..", 10 }, { "^", 10 },
        { ",", 10 }, { ";", 20 }, { ":", 10 }, { "@", 10 }, { "#", 11 }, { "#$", 12 } };
    for (const auto& [word, value] : expected) {
        const auto* defs = kw.find(word);
        ASSERT_NE(defs, nullptr) << word;
        ASSERT_EQ(defs->size(), 1u) << word;
        const auto& d = (*defs)[0];
        EXPECT_EQ(d.token, value) << word;
        EXPECT_EQ(d.states, word == ";" ? Set256::of({ 0, 1 }) : Set256::of({ 0 })) << word;
        const auto& follow = cls(d.follow);
        if (word == "#") {
            EXPECT_EQ(follow.members(), range('0', '9'));
        } else if (word == "#$") {
            EXPECT_EQ(follow.members(), range('0', '9') | range('A', 'F') | range('a', 'f'));
        } else {
            EXPECT_TRUE(follow.isAll()) << word;
        }
    }
}

TEST_F(ShippedScheme, Handlers)
{
    std::set<int> present;
    for (int v = 0; v < 256; ++v)
        if (table().handler(static_cast<uint8_t>(v)))
            present.insert(v);
    EXPECT_EQ(present, (std::set<int> { 1, 8, 9, 11, 12 }));

    // Line comment: anything but CR, ended (not taken) by CR.
    const auto* line = table().handler(1);
    EXPECT_TRUE(line->start.repeat);
    EXPECT_EQ(cls(line->start.charClass).members(), ~Set256::of({ 13 }));
    ASSERT_EQ(line->end.classCount, 1);
    EXPECT_EQ(cls(line->end.classes[0]).members(), Set256::of({ 13 }));
    EXPECT_FALSE(line->end.consume);
    // Brace comment up to and with "}", parenthesis comment up to and with "*)".
    const auto* brace = table().handler(8);
    EXPECT_EQ(cls(brace->start.charClass).members(), ~Set256::of({ '}' }));
    EXPECT_EQ(brace->end.classCount, 1);
    EXPECT_TRUE(brace->end.consume);
    const auto* paren = table().handler(9);
    EXPECT_TRUE(cls(paren->start.charClass).isAll());
    ASSERT_EQ(paren->end.classCount, 2);
    EXPECT_EQ(cls(paren->end.classes[0]).members(), Set256::of({ '*' }));
    EXPECT_EQ(cls(paren->end.classes[1]).members(), Set256::of({ ')' }));
    EXPECT_TRUE(paren->end.consume);
    // Character codes: at least one digit, ended (not taken) by anything else.
    const Set256 hex = range('0', '9') | range('A', 'F') | range('a', 'f');
    for (auto [value, digits] : { std::pair { 11, range('0', '9') }, std::pair { 12, hex } }) {
        const auto* h = table().handler(static_cast<uint8_t>(value));
        EXPECT_FALSE(h->start.repeat);
        EXPECT_EQ(cls(h->start.charClass).members(), digits);
        ASSERT_EQ(h->end.classCount, 1);
        EXPECT_EQ(cls(h->end.classes[0]).members(), ~digits);
        EXPECT_FALSE(h->end.consume);
    }
}

TEST_F(ShippedScheme, TokenTable)
{
    const auto& t = table().tokenTable();
    EXPECT_FALSE(table().hasStateTables());
    EXPECT_EQ(t.count(), 3u + 1 + 1 + 11 + 53);
    const Set256 blanks = chars("\t\r ");
    for (int c = 0; c < 256; ++c) {
        const auto* r = t.entry(static_cast<uint8_t>(c));
        if (!r)
            continue;
        EXPECT_EQ(r->states, Set256::of({ 0 })) << c;
        if (blanks.contains(c)) {
            EXPECT_EQ(r->token, 61);
            EXPECT_EQ(cls(r->body.charClass).members(), blanks);
            EXPECT_TRUE(r->body.repeat);
            EXPECT_EQ(cls(r->end.classes[0]).members(), ~blanks);
        } else if (c == '$') {
            EXPECT_EQ(r->token, 6);
            EXPECT_FALSE(r->body.repeat);
            EXPECT_EQ(cls(r->body.charClass).members(), range('0', '9') | range('A', 'F') | range('a', 'f'));
        } else {
            ASSERT_TRUE(r->start.numeric) << c;
            const int expectedToken = c == '\'' ? 3 : (c == '.' || (c >= '0' && c <= '9')) ? 4 : 2;
            const int expectedRecogniser = expectedToken == 3 ? 12 : expectedToken == 4 ? 11 : 10;
            EXPECT_EQ(r->token, expectedToken) << c;
            EXPECT_EQ(r->start.routine, expectedRecogniser) << c;
            if (expectedToken == 2) {
                EXPECT_TRUE(c == '_' || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z')) << c;
            }
        }
    }
}

TEST_F(ShippedScheme, TokenValueRecords)
{
    std::set<int> present;
    for (int v = 0; v < 256; ++v)
        if (const auto* r = table().tokenValue(static_cast<uint8_t>(v))) {
            present.insert(v);
            EXPECT_FALSE(r->container) << v;
            EXPECT_EQ(r->actions, 0) << v;
            if (v != 20 && v != 21) {
                EXPECT_TRUE(r->unchanged) << v;
                EXPECT_EQ(r->valid, Set256::of({ 0 })) << v;
            }
        }
    EXPECT_EQ(present, (std::set<int> { 1, 2, 3, 4, 6, 8, 9, 10, 11, 12, 20, 21, 60, 61 }));
    const auto* semicolon = table().tokenValue(20);
    EXPECT_EQ(semicolon->valid, Set256::of({ 0, 1 }));
    EXPECT_EQ(semicolon->entry, Set256::of({ 0 }));
    EXPECT_EQ(semicolon->exit, Set256::of({ 1 }));
    EXPECT_FALSE(semicolon->unchanged);
    const auto* property = table().tokenValue(21);
    EXPECT_EQ(property->valid, Set256::of({ 0 }));
    EXPECT_EQ(property->entry, Set256::of({ 1 }));
    EXPECT_EQ(property->exit, Set256::of({ 0 }));
    for (int v = 0; v < 256; ++v)
        EXPECT_EQ(table().contextStates(static_cast<uint8_t>(v)), Set256::of({ 0 }));
}

TEST_F(ShippedScheme, EditorCommandsAndTheirKeys)
{
    const auto& keys = settings().keys;
    const std::vector<std::string> names { "Cursor left", "Cursor right", "Line start", "Line end", "Up one line",
        "Down one line", "Up one page", "Down one page", "Move to word before", "Move to word after",
        "Document start", "Document end", "Cut to clipboard", "Copy to clipboard", "Paste from clipboard",
        "Delete character at cursor", "Delete character before caret", "Indent selected block",
        "Un-indent selected block", "Toggle insert/overwrite mode" };
    ASSERT_EQ(keys.commandNames().size(), 48u);
    for (int i = 0; i < 48; ++i)
        EXPECT_EQ(keys.commandNames()[static_cast<size_t>(i)].first, i);
    for (size_t i = 0; i < names.size(); ++i)
        EXPECT_EQ(keys.commandName(static_cast<int32_t>(i)), names[i]);
    for (int i = 0; i < 10; ++i) {
        EXPECT_EQ(keys.commandName(20 + i), "Set Bookmark " + std::to_string(i));
        EXPECT_EQ(keys.commandName(30 + i), "Goto Bookmark " + std::to_string(i));
    }
    EXPECT_EQ(keys.commandName(40), "Delete current line");
    EXPECT_EQ(keys.commandName(41), "Undo");
    EXPECT_EQ(keys.commandName(42), "Redo");
    EXPECT_EQ(keys.commandName(43), "Delete previous word");
    EXPECT_EQ(keys.commandName(44), "Print selection");
    EXPECT_EQ(keys.commandName(45), "Delete next word");
    EXPECT_EQ(keys.commandName(46), "Scroll display up one line");
    EXPECT_EQ(keys.commandName(47), "Scroll display down one line");

    std::map<std::string, int> expected { { "Left", 0 }, { "Right", 1 }, { "Home", 2 }, { "End", 3 }, { "Up", 4 },
        { "Down", 5 }, { "PgUp", 6 }, { "PgDn", 7 }, { "Ctrl+Left", 8 }, { "Ctrl+Right", 9 }, { "Ctrl+Home", 10 },
        { "Ctrl+End", 11 }, { "Ctrl+X", 12 }, { "Ctrl+C", 13 }, { "Ctrl+V", 14 }, { "Del", 15 },
        { "BkSp", 16 }, { "Ctrl+K I", 17 }, { "Ctrl+K U", 18 }, { "Ins", 19 }, { "Ctrl+Y", 40 }, { "Ctrl+Z", 41 },
        { "Shift+Ctrl+Z", 42 }, { "Ctrl+BkSp", 43 }, { "Ctrl+K P", 44 }, { "Ctrl+Del", 45 }, { "Ctrl+Up", 46 },
        { "Ctrl+Down", 47 } };
    for (int i = 0; i < 10; ++i) {
        expected["Ctrl+K " + std::to_string(i)] = 20 + i;
        expected["Ctrl+Q " + std::to_string(i)] = 30 + i;
    }
    const auto& store = keys.keyStore();
    std::map<std::string, int> bound;
    for (int32_t n : store.definedNodesInStoredOrder()) {
        const auto& node = store.node(n);
        std::string text = node.parent == TKeyStore::kNoNode
            ? shortCutToText(node.key)
            : shortCutToText(store.node(node.parent).key) + " " + shortCutToText(node.key);
        bound[text] = node.command;
    }
    EXPECT_EQ(bound, expected);
}

TEST_F(ShippedScheme, AutoReplaceTemplatesAndExample)
{
    EXPECT_TRUE(settings().autoReplace.entries().empty());
    EXPECT_EQ(settings().autoReplace.actionKeys(), ";,:.=()[]\\{Return}\\{Tab}\\{Space}");
    EXPECT_TRUE(settings().templates.entries().empty());
    EXPECT_EQ(shortCutToText(settings().templates.hotKey()), "Ctrl+J");

    // The sample text holds something of every editable style: reserved words, each kind of comment,
    // identifiers, strings and character codes, numbers, symbols and blanks.
    const std::string& text = settings().exampleText;
    for (const char* piece : { "unit ", "begin", "end;", "property ", "{ ", "(* ", "// ", "'", "#13", "#$",
             "$00FF", "0.75", ":=", "..", "^", "@", "  " })
        EXPECT_NE(text.find(piece), std::string::npos) << piece;
    EXPECT_EQ(text.find('\n'), std::string::npos);
}
