#include "scheme/SchemeCompiler.h"

#include "common/Exception.h"
#include "common/Format.h"
#include "scheme/CharSpecifier.h"
#include "scheme/ESYM_COMP_ERROR.h"
#include "scheme/SchemeTable.h"
#include "scheme/TabColumns.h"
#include "viewer/keymap/ShortCut.h"

#include <limits>

namespace lrl {

namespace {

    // Routine numbers: a start or body part may name a routine of the scanner's table (0..9) or a built-in
    // recogniser (10..20); an end part names a routine of the table; a token may start with a built-in only.
    constexpr int32_t kMaxRoutine = 13;
    constexpr int32_t kFirstBuiltIn = 10;
    constexpr int32_t kLastBuiltIn = 20;

    Set256 range(int low, int high)
    {
        Set256 s;
        for (int c = low; c <= high; ++c)
            s.insert(c);
        return s;
    }

    // The characters a built-in recogniser can start with.
    Set256 builtInStartClass(int32_t recogniser)
    {
        const Set256 letters = range('A', 'Z') | range('a', 'z');
        const Set256 digits = range('0', '9');
        switch (recogniser) {
        case 10:
            return letters | Set256::of({ '_' });
        case 11:
            return digits | Set256::of({ '.' });
        case 12:
        case 14:
        case 20:
            return Set256::of({ '\'' });
        case 13:
        case 18:
            return Set256::of({ '"' });
        case 15:
            return digits | Set256::of({ '+', '-', '.' });
        case 16:
            return digits;
        case 17:
            return letters | digits;
        default:
            return Set256::of({ '/' }); // 19
        }
    }

    std::string firstChars(const std::string& text, size_t count)
    {
        return text.size() > count ? text.substr(0, count) : text;
    }

} // namespace

SchemeCompiler::SchemeCompiler(SchemeTable& table)
    : m_table(table)
{
}

void SchemeCompiler::compile(
    Stream& script, const std::string& includeDir, TSYM_Compiler::IncludeReader reader)
{
    m_table.clear();
    m_label = "Header";
    m_line = m_column = 0;
    TSYM_Compiler lexer(script, includeDir, std::move(reader));
    m_lex = &lexer;
    try {
        next();
        while (!at(sym::kEndOfInput))
            section();
    } catch (const ESYM_COMP_ERROR&) {
        m_line = lexer.line() + 1;
        m_column = lexer.column() + 1;
        m_lex = nullptr;
        throw;
    } catch (const Exception& e) {
        // What the table's own parts refuse (a class the specifier reader cannot read, a clashing key
        // binding) is reported like every other compile error.
        m_line = lexer.line() + 1;
        m_column = lexer.column() + 1;
        std::string message = e.message();
        m_lex = nullptr;
        throw ESYM_COMP_ERROR(
            format("** ERROR near line %d, Column %d: %s", m_line, m_column, message.c_str()));
    }
    m_line = lexer.line() + 1;
    m_column = lexer.column() + 1;
    m_lex = nullptr;
    m_table.fillEmptyContextStates();
}

// ---- Tokens ---------------------------------------------------------------------------------------------

int SchemeCompiler::next() { return m_token = m_lex->next(); }

bool SchemeCompiler::atExpression() const { return at(sym::kNumber) || at(sym::kLParen); }

void SchemeCompiler::expect(int token, const char* message)
{
    if (!at(token))
        error(message);
    next();
}

void SchemeCompiler::error(const std::string& message) const { m_lex->error(message); }

// ---- Values ---------------------------------------------------------------------------------------------

int32_t SchemeCompiler::expression()
{
    m_depth = 0;
    try {
        return sum();
    } catch (const ESYM_COMP_ERROR&) {
        error("Expression expected");
    }
}

int32_t SchemeCompiler::sum()
{
    auto value = static_cast<uint32_t>(term());
    for (;;) {
        if (at(sym::kPlus)) {
            next();
            value += static_cast<uint32_t>(term());
        } else if (at(sym::kMinus)) {
            next();
            value -= static_cast<uint32_t>(term());
        } else if (at(sym::kOr)) {
            next();
            value |= static_cast<uint32_t>(term());
        } else {
            return static_cast<int32_t>(value);
        }
    }
}

int32_t SchemeCompiler::term()
{
    if (at(sym::kNumber)) {
        int32_t value = m_lex->number();
        next();
        return value;
    }
    if (at(sym::kLParen)) {
        // Nesting is bounded so that no script can exhaust the stack.
        if (m_depth >= kMaxNesting)
            error("Expression expected");
        ++m_depth;
        next();
        int32_t value = sum();
        expect(sym::kRParen, "')' expected");
        --m_depth;
        return value;
    }
    error("Script syntax error");
}

int32_t SchemeCompiler::ranged(int32_t low, int32_t high)
{
    int32_t value = expression();
    if (value < low || value > high)
        error(format("Range error, value outwith %d .. %d", low, high));
    return value;
}

std::string SchemeCompiler::stringValue()
{
    if (!at(sym::kString))
        error("String value expected");
    std::string text = m_lex->decodedString();
    next();
    return text;
}

std::string SchemeCompiler::rawStringValue()
{
    if (!at(sym::kString))
        error("String value expected");
    std::string text = m_lex->rawString();
    next();
    return text;
}

Set256 SchemeCompiler::setValue()
{
    Set256 set;
    if (at(sym::kLBracket))
        next();
    while (atExpression()) {
        set.insert(ranged(0, 255));
        if (at(sym::kComma))
            next();
    }
    expect(sym::kRBracket, "']' expected");
    return set;
}

void SchemeCompiler::valueOrSet(Set256& into)
{
    if (at(sym::kLBracket))
        into |= setValue();
    else
        into.insert(ranged(0, 255));
}

int32_t SchemeCompiler::colour(bool& useDefault)
{
    useDefault = false;
    if (at(sym::kLBracket)) {
        next();
        expect(sym::kStar, "']' expected");
        expect(sym::kRBracket, "']' expected");
        useDefault = true;
    }
    return expression();
}

// "[" style { [","] style } "]": 0..3 set bold, italic, underline, strike-out; 4..7 are accepted and do
// nothing.
uint8_t SchemeCompiler::fontStyles()
{
    expect(sym::kLBracket, "'[' expected");
    uint8_t styles = 0;
    while (atExpression()) {
        int32_t style = 0;
        try {
            style = expression();
        } catch (const ESYM_COMP_ERROR&) {
            error("Bad font style specifier");
        }
        if (style < 0 || style > 7)
            error("Bad font style specifier");
        if (style <= 3)
            styles |= static_cast<uint8_t>(1u << style);
        if (at(sym::kComma))
            next();
    }
    expect(sym::kRBracket, "']' expected");
    return styles;
}

std::vector<TSM_CharGroup> SchemeCompiler::specifiers()
{
    if (!at(sym::kString))
        error("String value expected");
    try {
        auto groups = parseCharSpecifiers(m_lex->decodedString());
        next();
        return groups;
    } catch (const ESyntaxMemo& e) {
        error(e.message());
    }
}

uint16_t SchemeCompiler::addClass(const TSM_CharGroup& group)
{
    try {
        return m_table.addCharClass(group);
    } catch (const ESyntaxMemo& e) {
        error(e.message());
    }
}

uint16_t SchemeCompiler::singleClass()
{
    auto groups = specifiers();
    if (groups.size() != 1)
        error("Single character specifier expected");
    return addClass(groups[0]);
}

void SchemeCompiler::endClasses(TSM_EndPart& end)
{
    auto groups = specifiers();
    if (groups.empty())
        error("Single character specifier expected");
    if (groups.size() > TSM_EndPart::kMaxClasses)
        error("Maximum of 4 character specifier allowed");
    end.classCount = static_cast<uint8_t>(groups.size());
    for (size_t i = 0; i < groups.size(); ++i)
        end.classes[i] = addClass(groups[i]);
}

// "match" "(" number ")": a routine answered by the OnCustomParse event.
int32_t SchemeCompiler::matchRoutine()
{
    next();
    expect(sym::kLParen, "'(' expected");
    int32_t id = expression();
    expect(sym::kRParen, "')' expected");
    m_table.setCustomParse(true);
    return id;
}

// A key: a virtual key code, or a one-character string naming the key of that (upper-case) character.
uint16_t SchemeCompiler::keyCode()
{
    if (atExpression())
        return static_cast<uint16_t>(ranged(0, 255));
    if (!at(sym::kString))
        error("Key specification required");
    std::string text = m_lex->decodedString();
    if (text.size() != 1)
        error("Single character specifier expected");
    auto c = static_cast<uint8_t>(text[0]);
    if (c >= 'a' && c <= 'z')
        c = static_cast<uint8_t>(c - 32);
    next();
    return c;
}

// An optional "[" { "shift" | "ctrl" | "alt" | "," } "]" before a key.
uint16_t SchemeCompiler::modifiers()
{
    if (!at(sym::kLBracket))
        return 0;
    next();
    uint16_t mods = 0;
    for (;; next()) {
        if (at(sym::kShift))
            mods |= scShift;
        else if (at(sym::kCtrl))
            mods |= scCtrl;
        else if (at(sym::kAlt))
            mods |= scAlt;
        else if (!at(sym::kComma))
            break;
    }
    expect(sym::kRBracket, "']' expected");
    return mods;
}

// ---- Sections -------------------------------------------------------------------------------------------

void SchemeCompiler::section()
{
    m_entry = 0;
    switch (m_token) {
    case sym::kLanguage:
        m_label = "%%Language";
        return language();
    case sym::kWords:
        m_label = "%%Words";
        return words();
    case sym::kKwTables:
        m_label = "%%KwTables";
        return kwTables();
    case sym::kHandlers:
        m_label = "%%Handlers";
        return handlers();
    case sym::kTokens:
        m_label = "%%Tokens";
        return tokens();
    case sym::kMap:
        m_label = "%%Map";
        return map();
    case sym::kEffects:
        m_label = "%%Effects";
        return effects();
    case sym::kStates:
        m_label = "%%States";
        return states(false);
    case sym::kContainers:
        m_label = "%%Containers";
        return states(true);
    case sym::kKeys:
        m_label = "%%Keys";
        return keys();
    case sym::kAutoReplace:
        m_label = "%%AutoReplace";
        return autoReplace();
    case sym::kTemplates:
        m_label = "%%Templates";
        return templates();
    default:
        error("Script syntax error");
    }
}

void SchemeCompiler::entryLabel(const char* prefix) { m_label = prefix + std::to_string(++m_entry); }

// ---- %%language -----------------------------------------------------------------------------------------

void SchemeCompiler::language()
{
    for (;;) {
        if (at(sym::kLanguage))
            next();
        else if (at(sym::kName) || at(sym::kCase) || at(sym::kOptions) || at(sym::kExampleText)
            || at(sym::kEditableStyles) || at(sym::kWordWrapColumn) || at(sym::kGutter) || at(sym::kAnchor)
            || at(sym::kIndentStep) || at(sym::kWrapOverride) || at(sym::kStartState)
            || at(sym::kSelTextColor) || at(sym::kSelTextBack) || at(sym::kRightMargin) || at(sym::kFontName)
            || at(sym::kFontSize) || at(sym::kFontCharSet) || at(sym::kTabColumns) || at(sym::kTabDefault)
            || at(sym::kContextStates) || at(sym::kBoundStates) || at(sym::kGutterColor)
            || at(sym::kMarginColor) || at(sym::kMarginWidth) || at(sym::kGutterFontName)
            || at(sym::kGutterFontSize) || at(sym::kGutterFontColor) || at(sym::kGutterFontStyle))
            languageKey();
        else
            return;
    }
}

void SchemeCompiler::languageKey()
{
    auto& s = m_table.settings();
    const int key = m_token;
    next();
    switch (key) {
    case sym::kEditableStyles:
        m_label = "%%Language - Editable styles";
        return editableStyles();
    case sym::kGutterFontStyle:
        m_label = "%%Effects - GutterFontStyle";
        s.gutterFont.style = fontStyles();
        return;
    default:
        break;
    }
    expect(sym::kEquals, "'=' expected");
    switch (key) {
    case sym::kName:
        m_label = "%%Language - Name";
        s.languageName = firstChars(stringValue(), TSM_Settings::kMaxLanguageName);
        break;
    case sym::kCase: {
        m_label = "%%Language - Case";
        bool sensitive = expression() != 0;
        m_table.keywords().setCaseSensitive(sensitive);
        for (auto& t : s.keywordTables)
            t.setCaseSensitive(sensitive);
        break;
    }
    case sym::kOptions:
        m_label = "%%Language - Options";
        s.options = static_cast<uint32_t>(expression());
        break;
    case sym::kExampleText:
        m_label = "%%Language - Example text";
        s.exampleText = stringValue();
        break;
    case sym::kWordWrapColumn:
        m_label = "%%Language - WordWrapColumn";
        s.wrapAtColumn = expression();
        break;
    case sym::kGutter:
        m_label = "%%Language - Gutter width";
        s.gutterWidth = expression();
        break;
    case sym::kAnchor:
        m_label = "%%Language - Anchor";
        if (at(sym::kLBracket))
            m_table.anchorSet() = setValue();
        else
            valueOrSet(m_table.anchorSet());
        if (m_table.anchorSet().empty())
            m_table.anchorSet() = Set256::of({ 0 });
        break;
    case sym::kIndentStep:
        m_label = "%%Language - Indent step";
        s.indentStep = ranged(0, 20);
        break;
    case sym::kWrapOverride:
        m_label = "%%Language - WrapOverride";
        s.wrapOverride = firstChars(stringValue(), TSM_Settings::kMaxWrapOverride);
        break;
    case sym::kStartState:
        m_label = "%%Language - Startstate";
        if (at(sym::kLBracket))
            m_table.startStates() = setValue();
        else
            m_table.startStates() = Set256::of({ 0, ranged(0, 255) });
        break;
    case sym::kSelTextColor:
        m_label = "%%Language - SelTextColor";
        s.selTextColor = colour(s.selTextColorDefault);
        break;
    case sym::kSelTextBack:
        m_label = "%%Language - SelTextBack";
        s.selTextBack = colour(s.selTextBackDefault);
        break;
    case sym::kRightMargin:
        m_label = "%%Language - RightMargin";
        s.rightMargin = expression();
        break;
    case sym::kFontName:
        m_label = "%%Language - FontName";
        s.font.name = stringValue();
        break;
    case sym::kFontSize:
        m_label = "%%Language - FontSize";
        s.font.size = expression();
        break;
    case sym::kFontCharSet:
        m_label = "%%Language - FontCharSet";
        s.font.charSet = static_cast<uint8_t>(ranged(0, 255));
        break;
    case sym::kTabColumns:
        m_label = "%%Language - TabColumns";
        tabColumns(stringValue());
        break;
    case sym::kTabDefault:
        m_label = "%%Language - TabDefault";
        s.tabDefault = expression();
        if (s.tabDefault <= 0)
            error("=Illegal default tab stop value, must be > 0");
        break;
    case sym::kContextStates:
        m_label = "%%Language - ContextState";
        contextStates();
        break;
    case sym::kBoundStates:
        m_label = "%%Language - BoundStates";
        valueOrSet(m_table.boundStates());
        break;
    case sym::kGutterColor:
        m_label = "%%Language - GutterColor";
        s.gutterColor = colour(s.gutterColorDefault);
        break;
    case sym::kMarginColor:
        m_label = "%%Language - MarginColor";
        s.marginColor = colour(s.marginColorDefault);
        break;
    case sym::kMarginWidth:
        m_label = "%%Language - MarginWidth";
        s.marginWidth = expression();
        break;
    case sym::kGutterFontName:
        m_label = "%%Language - GutterFontName";
        s.gutterFont.name = stringValue();
        break;
    case sym::kGutterFontSize:
        m_label = "%%Language - GutterFontSize";
        s.gutterFont.size = expression();
        break;
    case sym::kGutterFontColor:
        m_label = "%%Language - GutterFontColor";
        s.gutterFont.color = expression();
        break;
    default:
        break;
    }
}

// ("name", effect) { "," ("name", effect) }: filled into consecutive slots from the first free one.
void SchemeCompiler::editableStyles()
{
    auto& slots = m_table.settings().editableStyles;
    int slot = m_table.settings().firstFreeEditableStyle();
    for (;;) {
        expect(sym::kLParen, "'(' expected");
        std::string name = firstChars(stringValue(), TSM_Settings::kMaxStyleName);
        expect(sym::kComma, "',' expected");
        int32_t effect = expression();
        if (effect < 0 || effect > 255)
            error("Value must be 0..255");
        expect(sym::kRParen, "')' expected");
        if (slot < 0 || slot >= TSM_Settings::kEditableStyles)
            error("Too many editable styles");
        slots[static_cast<size_t>(slot++)] = { name, static_cast<uint8_t>(effect) };
        if (!at(sym::kComma))
            return;
        next();
    }
}

// entry { "," entry }, entry = "(" value { [","] value } [ set ] ")".
void SchemeCompiler::contextStates()
{
    for (;;) {
        expect(sym::kLParen, "'(' expected");
        std::vector<uint8_t> values;
        while (atExpression()) {
            values.push_back(static_cast<uint8_t>(ranged(0, 255)));
            if (at(sym::kComma))
                next();
        }
        Set256 states;
        if (at(sym::kLBracket))
            states = setValue();
        for (uint8_t v : values) {
            if (!m_table.contextStates(v).empty())
                error(format("Token value %d re-specified in ContextState", v));
            m_table.setContextStates(v, states);
        }
        expect(sym::kRParen, "')' expected");
        if (!at(sym::kComma))
            break;
        next();
    }
    m_table.fillEmptyContextStates();
}

void SchemeCompiler::tabColumns(const std::string& text)
{
    std::vector<int32_t> columns;
    try {
        columns = parseTabColumns(text);
    } catch (const ESyntaxMemo& e) {
        error(e.message());
    }
    auto& s = m_table.settings();
    for (int i = 0; i < TSM_Settings::kTabColumns; ++i)
        s.setTabColumn(i, i < static_cast<int>(columns.size()) ? columns[static_cast<size_t>(i)] : -1);
}

// ---- %%words --------------------------------------------------------------------------------------------

// word-string follow-string token-value [ set ]
void SchemeCompiler::words()
{
    for (;;) {
        if (at(sym::kWords)) {
            next();
            continue;
        }
        if (!at(sym::kString))
            return;
        std::string word = stringValue();
        if (at(sym::kString))
            m_label = "%%Words - " + m_lex->decodedString();
        uint16_t follow = singleClass();
        auto value = static_cast<uint8_t>(ranged(0, 255));
        Set256 states = Set256::of({ 0 });
        if (at(sym::kLBracket))
            states = setValue();
        if (m_table.keywords().hasDefinitionFor(word, states))
            error("Duplicate entry in %%word table");
        m_table.keywords().add(word, { states, follow, value });
        m_table.tokenValueOrAdd(value, Set256::of({ 0 }) | states).valid |= states;
    }
}

// ---- %%kwTables -----------------------------------------------------------------------------------------

// "forstate" set "endswith" terminator "(" { style "is" word { "," word } } ")"
void SchemeCompiler::kwTables()
{
    for (;;) {
        if (at(sym::kKwTables)) {
            next();
            continue;
        }
        if (!at(sym::kForState))
            return;
        next();
        TKeywordDefinitions table;
        Set256 states = setValue();
        if (states.empty())
            states = Set256::of({ 0 });
        table.setStates(states);
        table.setCaseSensitive(m_table.keywords().caseSensitive());
        if (!at(sym::kEndsWith))
            error("'[' expected");
        next();
        if (!at(sym::kString))
            error("String value expected");
        try {
            table.setTerminatorText(m_lex->decodedString());
        } catch (const ESyntaxMemo& e) {
            error(e.message());
        }
        next();
        expect(sym::kLParen, "'(' expected");
        while (atExpression()) {
            auto value = static_cast<uint8_t>(ranged(0, 255));
            if (!at(sym::kIs))
                error("String value expected");
            next();
            table.addWord(stringValue(), value);
            while (at(sym::kComma)) {
                next();
                table.addWord(stringValue(), value);
            }
        }
        expect(sym::kRParen, "')' expected");

        auto& tables = m_table.settings().keywordTables;
        auto same = tables.end();
        for (auto it = tables.begin(); it != tables.end(); ++it) {
            if (it->states() == states)
                same = it;
            else if (it->states().intersects(states))
                error("Ambigious key table state definition");
        }
        if (same != tables.end()) {
            *same = std::move(table);
        } else {
            if (tables.size() >= TSM_Settings::kMaxKeywordTables)
                error("Too many keyword tables declared");
            tables.push_back(std::move(table));
        }
    }
}

// ---- %%handlers -----------------------------------------------------------------------------------------

// token-value start [ "*" ] [ end ]
void SchemeCompiler::handlers()
{
    for (;;) {
        if (at(sym::kHandlers)) {
            next();
            continue;
        }
        if (!atExpression())
            return;
        entryLabel("%%Handlers - ");
        auto value = static_cast<uint8_t>(ranged(0, 255));
        if (m_table.handler(value))
            error("Duplicate entry in %%handler table");
        TSM_Handler h;
        bool custom = false;
        if (at(sym::kMatch)) {
            h.start.routine = matchRoutine();
            h.start.numeric = h.start.custom = custom = true;
        } else if (at(sym::kString)) {
            h.start.charClass = singleClass();
        } else if (atExpression()) {
            h.start.routine = ranged(0, kLastBuiltIn);
            h.start.numeric = true;
        } else {
            error("Script syntax error");
        }
        if (at(sym::kStar)) {
            h.start.repeat = true;
            next();
        }
        if (!custom && at(sym::kMatch)) {
            h.end.routine = matchRoutine();
            h.end.numeric = h.end.custom = true;
            h.end.consume = expression() != 0;
        } else if (!custom && at(sym::kString)) {
            endClasses(h.end);
            h.end.consume = expression() != 0;
        }
        m_table.setHandler(value, h);
    }
}

// ---- %%tokens -------------------------------------------------------------------------------------------

void SchemeCompiler::tokens()
{
    for (;;) {
        if (at(sym::kTokens)) {
            next();
        } else if (at(sym::kQuestion)) {
            // "?" state "(" entries ")": entries that count in that state only, in its own table.
            next();
            auto state = static_cast<uint8_t>(ranged(0, 255));
            m_table.stateTableOrAdd(state);
            expect(sym::kLParen, "'(' expected");
            while (atExpression())
                tokenEntry(state);
            expect(sym::kRParen, "')' expected");
        } else if (atExpression()) {
            tokenEntry(std::nullopt);
        } else {
            return;
        }
    }
}

// token-value start [ body [ "*" ] end flag ] [ set ]
void SchemeCompiler::tokenEntry(std::optional<uint8_t> state)
{
    entryLabel("%%Tokens - ");
    TSM_TokenRecord record;
    record.token = static_cast<uint8_t>(ranged(0, 255));
    TSM_CharGroup startClass;
    if (at(sym::kString)) {
        record.start.charClass = singleClass();
        startClass = m_table.charClass(record.start.charClass);
        if (at(sym::kMatch)) {
            // A "match" body takes the rest of the token; no end follows it.
            record.body.routine = matchRoutine();
            record.body.numeric = record.body.custom = true;
        } else if (at(sym::kString) || atExpression()) {
            if (at(sym::kString)) {
                record.body.charClass = singleClass();
            } else {
                record.body.routine = ranged(0, kLastBuiltIn);
                record.body.numeric = true;
            }
            if (at(sym::kStar)) {
                record.body.repeat = true;
                next();
            }
            if (at(sym::kMatch)) {
                record.end.routine = matchRoutine();
                record.end.numeric = record.end.custom = true;
            } else if (at(sym::kString)) {
                endClasses(record.end);
            } else if (atExpression()) {
                record.end.routine = ranged(0, kMaxRoutine);
                record.end.numeric = true;
            } else {
                error("Script syntax error");
            }
            record.end.consume = expression() != 0;
        }
    } else if (atExpression()) {
        int32_t recogniser = expression();
        if (recogniser < kFirstBuiltIn || recogniser > kLastBuiltIn)
            error("Script syntax error");
        record.start.numeric = true;
        record.start.routine = recogniser;
        startClass = TSM_CharGroup(builtInStartClass(recogniser));
        record.start.charClass = addClass(startClass);
    } else {
        error("Script syntax error");
    }

    Set256 states = Set256::of({ state.value_or(0) });
    if (at(sym::kLBracket))
        states |= setValue();
    record.states = states;

    TSM_TokenTable& table = state ? m_table.stateTableOrAdd(*state) : m_table.tokenTable();
    const Set256& starts = startClass.members();
    for (int c = 0; c < 256; ++c) {
        if (!starts.contains(c))
            continue;
        if (table.has(static_cast<uint8_t>(c)))
            error("Ambigious start set in %%token table");
        table.set(static_cast<uint8_t>(c), record);
    }
    m_table.tokenValueOrAdd(record.token, states).valid |= states;
}

// ---- %%map, %%effects -----------------------------------------------------------------------------------

void SchemeCompiler::map()
{
    for (;;) {
        if (at(sym::kMap)) {
            next();
            continue;
        }
        if (!atExpression())
            return;
        entryLabel("%%Map - ");
        auto value = static_cast<size_t>(ranged(0, 255));
        m_table.settings().map[value] = static_cast<uint8_t>(ranged(0, 255));
    }
}

// effect "[" styles "]" foreground [ "*" ] background [ "*" ] [ 'hotspot' ]
void SchemeCompiler::effects()
{
    for (;;) {
        if (at(sym::kEffects)) {
            next();
            continue;
        }
        if (!atExpression())
            return;
        entryLabel("%%Effects - ");
        auto number = static_cast<size_t>(ranged(0, 255));
        auto& effect = m_table.settings().effects[number];
        if (number != 0 && effect.defined)
            error("Duplicate %%effect entry");
        effect.style = fontStyles();
        effect.foreground = expression();
        effect.foregroundDefault = at(sym::kStar);
        if (effect.foregroundDefault)
            next();
        effect.background = expression();
        effect.backgroundDefault = at(sym::kStar);
        if (effect.backgroundDefault)
            next();
        effect.hotSpot = false;
        if (at(sym::kString)) {
            std::string text = m_lex->decodedString();
            for (auto& c : text)
                c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
            if (text == "hotspot") {
                effect.hotSpot = true;
                next();
            }
        }
        effect.defined = true;
    }
}

// ---- %%states, %%containers -----------------------------------------------------------------------------

// token-value [ "push" | "pop" ] "(" { ("+" | "-") value-or-set } ")" [ "push" | "pop" ]; containers take
// neither "push" nor "pop".
void SchemeCompiler::states(bool containers)
{
    const int sectionToken = containers ? sym::kContainers : sym::kStates;
    const char* prefix = containers ? "%%Containers - " : "%%States - ";
    for (;;) {
        if (at(sectionToken)) {
            next();
            continue;
        }
        if (!atExpression())
            return;
        entryLabel(prefix);
        auto value = static_cast<uint8_t>(ranged(0, 255));
        auto& record = m_table.tokenValueOrAdd(value, Set256::of({ 0 }));
        if (!containers && at(sym::kPush)) {
            record.actions |= TSM_TokenValueRecord::PushBefore;
            next();
        } else if (!containers && at(sym::kPop)) {
            record.actions |= TSM_TokenValueRecord::PopBefore;
            next();
        }
        expect(sym::kLParen, "'(' expected");
        while (at(sym::kPlus) || at(sym::kMinus)) {
            Set256& target = at(sym::kPlus) ? record.entry : record.exit;
            next();
            valueOrSet(target);
        }
        expect(sym::kRParen, "')' expected");
        if (!containers && at(sym::kPush)) {
            record.actions |= TSM_TokenValueRecord::PushAfter;
            next();
        } else if (!containers && at(sym::kPop)) {
            record.actions |= TSM_TokenValueRecord::PopAfter;
            record.entry.clear();
            record.exit.clear();
            next();
        }
        if (containers)
            record.container = true;
        record.updateUnchanged();
    }
}

// ---- %%keys, %%autoreplace, %%templates -----------------------------------------------------------------

// command [ "(" keyspec { "|" keyspec } ")" ] [ name ]
void SchemeCompiler::keys()
{
    m_table.settings().keys.clearBindings();
    for (;;) {
        if (at(sym::kKeys)) {
            next();
            continue;
        }
        if (!atExpression())
            return;
        entryLabel("%%Keys - ");
        int32_t command = ranged(0, std::numeric_limits<int32_t>::max());
        if (at(sym::kLParen)) {
            next();
            keySpec(command);
            while (at(sym::kBar)) {
                next();
                keySpec(command);
            }
            expect(sym::kRParen, "')' expected");
        }
        if (at(sym::kString)) {
            std::string name = m_lex->decodedString();
            if (name.empty())
                error("Key function name cannot be blank");
            m_table.settings().keys.setCommandName(command, name);
            next();
        }
    }
}

// [ modifiers ] key [ "," key ]: the first key with its modifiers, and an optional second key.
void SchemeCompiler::keySpec(int32_t command)
{
    uint16_t first = modifiers();
    first |= keyCode();
    uint16_t second = 0;
    if (at(sym::kComma)) {
        next();
        second = keyCode();
    }
    m_table.settings().keys.addBinding(first, second, command);
}

void SchemeCompiler::autoReplace()
{
    auto& list = m_table.settings().autoReplace;
    list.clear();
    for (;;) {
        if (at(sym::kAutoReplace)) {
            next();
        } else if (at(sym::kActionKeys)) {
            next();
            expect(sym::kEquals, "'=' expected");
            // Taken as written: \{Return}, \{Tab} and \{Space} name keys there.
            list.setActionKeys(rawStringValue());
        } else if (at(sym::kString)) {
            std::string word = stringValue();
            expect(sym::kEquals, "'=' expected");
            list.addReplacement(word, stringValue());
        } else {
            return;
        }
    }
}

void SchemeCompiler::templates()
{
    auto& list = m_table.settings().templates;
    list.clear();
    for (;;) {
        if (at(sym::kTemplates)) {
            next();
        } else if (at(sym::kHotKey)) {
            next();
            expect(sym::kEquals, "'=' expected");
            expect(sym::kLParen, "'(' expected");
            uint16_t key = modifiers();
            key |= keyCode();
            expect(sym::kRParen, "')' expected");
            list.setHotKey(key);
        } else if (at(sym::kString)) {
            std::string name = stringValue();
            std::string description;
            if (at(sym::kLParen)) {
                next();
                description = stringValue();
                expect(sym::kRParen, "')' expected");
            }
            expect(sym::kEquals, "'=' expected");
            list.add(name, description, stringValue());
        } else {
            return;
        }
    }
}

} // namespace lrl
