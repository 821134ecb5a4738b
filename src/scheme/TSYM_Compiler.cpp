#include "scheme/TSYM_Compiler.h"

#include "common/Format.h"
#include "common/Stream.h"
#include "scheme/ESYM_COMP_ERROR.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <limits>

namespace lrl {

namespace {

    bool isLetter(uint8_t c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
    bool isDigit(uint8_t c) { return c >= '0' && c <= '9'; }
    bool isWordStart(uint8_t c) { return isLetter(c) || c == '_'; }
    bool isWordChar(uint8_t c) { return isWordStart(c) || isDigit(c); }
    // Blanks within a line: space, TAB and the no-break space.
    bool isLineBlank(uint8_t c) { return c == ' ' || c == '\t' || c == 160; }
    std::string lowerCase(std::string_view text)
{
    std::string out(text);
    for (auto& c : out)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c + 32);
    return out;
}
// A text ends at its first NUL.
    std::string cutAtNul(std::string text)
    {
        auto nul = text.find('\0');
        if (nul != std::string::npos)
            text.resize(nul);
        return text;
    }
    int hexValue(uint8_t c)
    {
        if (isDigit(c))
            return c - '0';
        if (c >= 'a' && c <= 'f')
            return c - 'a' + 10;
        if (c >= 'A' && c <= 'F')
            return c - 'A' + 10;
        return -1;
    }

    struct NamedValue {
        const char* name;
        int32_t value;
    };

    // Names every script may use; their texts are the decimal values.
    constexpr NamedValue kPredefined[] = {
        { "pt_DEFAULT", 0 },
        { "_discard_", 0 },
        { "__insensitive", 0 },
        { "_edge", 0 },
        { "_DEFAULT_START_ANCHOR", 0 },
        { "None", 0 },
        { "_use_", 1 },
        { "__sensitive", 1 },
        { "_default_gutter", 34 },
        { "__DEFAULT_OPTIONS", 67099632 },
        // Viewer option bits.
        { "__OPT_LINE_NUMBERS", 1 },
        { "__OPT_SYNTAX_HIGHLIGHT", 16 },
        { "__OPT_PRINT_WRAP", 32 },
        { "__OPT_PRINT_LINENOS", 64 },
        { "__OPT_PRINT_FILENAME", 128 },
        { "__OPT_PRINT_DATE", 256 },
        { "__OPT_PRINT_PAGENOS", 512 },
        { "__OPT_WORDWRAP", 1024 },
        { "__OPT_AUTOINDENT", 2048 },
        { "__OPT_TABCOLUMN", 4096 },
        { "__OPT_WRAP_OVERRIDE", 8192 },
        { "__WORD_SELECT", 16384 },
        { "__OPT_SHOW_RIGHT_MARGIN", 32768 },
        { "__OPT_SHOW_RMARGIN", 32768 },
        { "__OPT_SHOW_GUTTER", 65536 },
        { "__OPT_SHOW_WRAPCOLUMN", 131072 },
        { "__OPT_TITLE_AS_FILENAME", 262144 },
        { "__OPT_PROCESS_DROP_FILES", 524288 },
        { "__OPT_BLOCK_CURSOR", 1048576 },
        { "__OPT_WRAP_GLYPH", 2097152 },
        { "__OPT_COLUMN_TRACK", 4194304 },
        { "__OPT_USE_TAB", 8388608 },
        { "__OPT_SMART_FILL", 16777216 },
        { "__OPT_OLE_DRAG_SOURCE", 33554432 },
        { "__OPT_SHOW_CONTROL_CHARS", 67108864 },
        { "__OPT_CARET_AFTER_EOL", 134217728 },
        // Character-handling codes.
        { "_PASCAL_CHAR", 0 },
        { "_WEB_CHAR", 1 },
        { "_ORIGINAL_CHAR", 2 },
        // Built-in token recognisers.
        { "__STD_IDENTIFIER", 10 },
        { "__STD_NUMBER_OR_FP", 11 },
        { "__STD_PASCALSTRING", 12 },
        { "__STD_C_STRING", 13 },
        { "__STD_C_CHAR", 14 },
        { "__STD_C_NUMBER_OR_FP_SIGNED", 15 },
        { "__STD_NUMBER", 16 },
        { "__STD_MAIL_URL", 17 },
        { "__STD_HTML_STRING", 18 },
        { "__STD_JS_LINE_COMMENT", 19 },
        { "__STD_C_STRING_SQ", 20 },
        // Font styles.
        { "fsBold", 0 },
        { "fsItalic", 1 },
        { "fsUnderline", 2 },
        { "fsStrikeout", 3 },
        // Colours, 0x00BBGGRR.
        { "clBlack", 0 },
        { "clMaroon", 128 },
        { "clGreen", 32768 },
        { "clOlive", 32896 },
        { "clNavy", 8388608 },
        { "clPurple", 8388736 },
        { "clTeal", 8421376 },
        { "clGray", 8421504 },
        { "clDkGray", 8421504 },
        { "clSilver", 12632256 },
        { "clLtGray", 12632256 },
        { "clRed", 255 },
        { "clLime", 65280 },
        { "clYellow", 65535 },
        { "clBlue", 16711680 },
        { "clFuchsia", 16711935 },
        { "clAqua", 16776960 },
        { "clWhite", 16777215 },
        // Editor commands.
        { "caLEFT", 0 },
        { "caRIGHT", 1 },
        { "caLINEHOME", 2 },
        { "caLINEEND", 3 },
        { "caUP", 4 },
        { "caDOWN", 5 },
        { "caPAGEUP", 6 },
        { "caPAGEDOWN", 7 },
        { "caWORDLEFT", 8 },
        { "caWORDRIGHT", 9 },
        { "caDOCSTART", 10 },
        { "caDOCEND", 11 },
        { "caCUT", 12 },
        { "caCOPY", 13 },
        { "caPASTE", 14 },
        { "caDELETE", 15 },
        { "caBACKSPACE", 16 },
        { "caBLOCKIND", 17 },
        { "caBLOCKUND", 18 },
        { "caINSTOGGLE", 19 },
        { "caDELETELINE", 40 },
        { "caUNDO", 41 },
        { "caREDO", 42 },
        { "caDELPREVWORD", 43 },
        { "caPRINTSEL", 44 },
        { "caDELNEXTWORD", 45 },
        // Virtual keys.
        { "LEFT", 37 },
        { "UP", 38 },
        { "RIGHT", 39 },
        { "DOWN", 40 },
        { "PGUP", 33 },
        { "PGDN", 34 },
        { "END", 35 },
        { "HOME", 36 },
        { "INSERT", 45 },
        { "DELETE", 46 },
        { "BACKSPACE", 8 },
        // Font character sets.
        { "ANSI_CHARSET", 0 },
        { "DEFAULT_CHARSET", 1 },
        { "SYMBOL_CHARSET", 2 },
        { "MAC_CHARSET", 77 },
        { "SHIFTJIS_CHARSET", 128 },
        { "HANGEUL_CHARSET", 129 },
        { "JOHAB_CHARSET", 130 },
        { "GB2312_CHARSET", 134 },
        { "CHINESEBIG5_CHARSET", 136 },
        { "GREEK_CHARSET", 161 },
        { "TURKISH_CHARSET", 162 },
        { "HEBREW_CHARSET", 177 },
        { "ARABIC_CHARSET", 178 },
        { "BALTIC_CHARSET", 186 },
        { "RUSSIAN_CHARSET", 204 },
        { "THAI_CHARSET", 222 },
        { "EASTEUROPE_CHARSET", 238 },
        { "OEM_CHARSET", 255 },
    };

    constexpr NamedValue kKeywords[] = {
        { "%%language", sym::kLanguage },
        { "name", sym::kName },
        { "case", sym::kCase },
        { "options", sym::kOptions },
        { "%%words", sym::kWords },
        { "=", sym::kEquals },
        { "%%handler", sym::kHandlers },
        { "%%handlers", sym::kHandlers },
        { "%%tokens", sym::kTokens },
        { "%%map", sym::kMap },
        { "%%effects", sym::kEffects },
        { "exampletext", sym::kExampleText },
        { "editablestyles", sym::kEditableStyles },
        { "(", sym::kLParen },
        { ")", sym::kRParen },
        { ",", sym::kComma },
        { "+", sym::kPlus },
        { "-", sym::kMinus },
        { "[", sym::kLBracket },
        { "]", sym::kRBracket },
        { "?", sym::kQuestion },
        { "wordwrapcolumn", sym::kWordWrapColumn },
        { "gutter", sym::kGutter },
        { "anchor", sym::kAnchor },
        { "%%states", sym::kStates },
        { "indentstep", sym::kIndentStep },
        { "wrapoverride", sym::kWrapOverride },
        { "%%containers", sym::kContainers },
        { "%%keys", sym::kKeys },
        { "shift", sym::kShift },
        { "ctrl", sym::kCtrl },
        { "alt", sym::kAlt },
        { "startstate", sym::kStartState },
        { "seltextcolor", sym::kSelTextColor },
        { "seltextback", sym::kSelTextBack },
        { "rightmargin", sym::kRightMargin },
        { "fontname", sym::kFontName },
        { "fontsize", sym::kFontSize },
        { "tabcolumns", sym::kTabColumns },
        { "tabdefault", sym::kTabDefault },
        { "contextstates", sym::kContextStates },
        { "InState", sym::kInState },
        { "boundstates", sym::kBoundStates },
        { "guttercolor", sym::kGutterColor },
        { "match", sym::kMatch },
        { "|", sym::kBar },
        { "%%autoreplace", sym::kAutoReplace },
        { "%%templates", sym::kTemplates },
        { "margincolor", sym::kMarginColor },
        { "marginwidth", sym::kMarginWidth },
        { "*", sym::kStar },
        { "actionkeys", sym::kActionKeys },
        { "hotkey", sym::kHotKey },
        { "%%kwTables", sym::kKwTables },
        { "forstate", sym::kForState },
        { "endswith", sym::kEndsWith },
        { "is", sym::kIs },
        { "push", sym::kPush },
        { "pop", sym::kPop },
        { "or", sym::kOr },
        { "fontcharset", sym::kFontCharSet },
        { "GutterFontName", sym::kGutterFontName },
        { "GutterFontSize", sym::kGutterFontSize },
        { "GutterFontColor", sym::kGutterFontColor },
        { "GutterFontStyle", sym::kGutterFontStyle },
    };

} // namespace

TSYM_Compiler::TSYM_Compiler(Stream& script, std::string includeDir, IncludeReader reader)
    : m_includeDir(std::move(includeDir))
    , m_reader(reader ? std::move(reader) : fileReader())
    , m_macros(predefinedMacros())
    , m_keywords(keywordTable())
{
    std::string text;
    char buffer[4096];
    for (size_t n; (n = script.read(buffer, sizeof buffer)) > 0;)
        text.append(buffer, n);
    m_inputs.push_back({ "-main-", std::make_shared<const std::string>(cutAtNul(std::move(text))), 0 });
    m_activeNames["-main-"] = 1;
}

TSYM_Compiler::~TSYM_Compiler() = default;

// Both stores are built once and copied into every lexer, which is much cheaper than building them anew.
const TWordStore& TSYM_Compiler::keywordTable()
{
    static const TWordStore store = [] {
        TWordStore s;
        for (const auto& k : kKeywords)
            s.add(k.name, k.value);
        return s;
    }();
    return store;
}

const TWordStore& TSYM_Compiler::predefinedMacros()
{
    static const TWordStore store = [] {
        TWordStore s;
        for (const auto& m : kPredefined)
            s.add(m.name, -1, std::to_string(m.value));
        for (int i = 0; i <= 9; ++i) {
            s.add("caSETBOOKMARK" + std::to_string(i), -1, std::to_string(20 + i));
            s.add("caGOTOBOOKMARK" + std::to_string(i), -1, std::to_string(30 + i));
        }
        for (int i = 1; i <= 12; ++i)
            s.add("F" + std::to_string(i), -1, std::to_string(111 + i));
        // A marker for #ifdef; used in script text it expands to itself, which is a recursion.
        s.add("ver200", -1, std::string("ver200"));
        return s;
    }();
    return store;
}

TSYM_Compiler::IncludeReader TSYM_Compiler::fileReader()
{
    return [](const std::string& path, size_t maxBytes) -> std::optional<std::string> {
        std::error_code ec;
        if (!std::filesystem::is_regular_file(path, ec))
            return std::nullopt;
        std::ifstream in(path, std::ios::binary);
        if (!in)
            return std::nullopt;
        // Never more than maxBytes: the caller asks for one byte past what the script may still add, so
        // that a file too large for it is refused without being read whole.
        std::string text;
        char buffer[4096];
        while (text.size() < maxBytes) {
            in.read(buffer, static_cast<std::streamsize>(std::min(sizeof buffer, maxBytes - text.size())));
            if (in.gcount() <= 0)
                break;
            text.append(buffer, static_cast<size_t>(in.gcount()));
        }
        return text;
    };
}

void TSYM_Compiler::error(const std::string& message) const
{
    throw ESYM_COMP_ERROR(
        format("** ERROR near line %d, Column %d: %s", m_line + 1, m_column + 1, message.c_str()));
}

uint8_t TSYM_Compiler::peek(size_t offset) const
{
    const auto& in = m_inputs.back();
    size_t at = in.pos + offset;
    return at < in.text->size() ? static_cast<uint8_t>((*in.text)[at]) : 0;
}

std::string_view TSYM_Compiler::rest() const
{
    const auto& in = m_inputs.back();
    return std::string_view(*in.text).substr(in.pos);
}

void TSYM_Compiler::advance()
{
    auto& in = top();
    if (in.pos >= in.text->size())
        return;
    uint8_t c = static_cast<uint8_t>((*in.text)[in.pos++]);
    if (c == 13) {
        ++m_line;
        m_column = 0;
    } else if (c != 10) {
        ++m_column;
    }
}

void TSYM_Compiler::advance(size_t count)
{
    for (size_t i = 0; i < count; ++i)
        advance();
}

void TSYM_Compiler::push(std::string name, std::shared_ptr<const std::string> text)
{
    std::string key = lowerCase(name);
    if (m_activeNames.count(key) != 0)
        error(format("Recursive expansion of macro '%s'", name.c_str()));
    m_expanded += text->size();
    if (m_expanded > kExpansionLimit)
        error(format("Macro expansion too large: '%s'", name.c_str()));
    ++m_activeNames[key];
    m_inputs.push_back({ std::move(name), std::move(text), 0 });
}

void TSYM_Compiler::pop()
{
    auto it = m_activeNames.find(lowerCase(m_inputs.back().name));
    if (it != m_activeNames.end() && --it->second == 0)
        m_activeNames.erase(it);
    m_inputs.pop_back();
}

void TSYM_Compiler::skipToToken()
{
    for (;;) {
        if (atInputEnd()) {
            if (m_inputs.size() == 1)
                return;
            pop();
            continue;
        }
        uint8_t c = peek();
        if (isLineBlank(c) || c == 10 || c == 13) {
            advance();
        } else if (c == '/' && peek(1) == '/') {
            while (!atInputEnd() && peek() != 13)
                advance();
        } else if (c == '/' && peek(1) == '*') {
            advance(2);
            while (!atInputEnd() && !(peek() == '*' && peek(1) == '/'))
                advance();
            advance(2);
        } else if (c == '#') {
            if (!tryDirective())
                return;
        } else if (isWordStart(c) && !m_skipping) {
            if (!tryMacroCall())
                return;
        } else {
            return;
        }
    }
}

void TSYM_Compiler::skipBlanksOnLine()
{
    while (!atInputEnd() && isLineBlank(peek()))
        advance();
}

std::string TSYM_Compiler::readWord()
{
    std::string word;
    while (!atInputEnd() && isWordChar(peek())) {
        word.push_back(static_cast<char>(peek()));
        advance();
    }
    return word;
}

bool TSYM_Compiler::tryMacroCall()
{
    auto text = rest();
    size_t n = 0;
    while (n < text.size() && isWordChar(static_cast<uint8_t>(text[n])))
        ++n;
    const auto* macro = m_macros.find(text.substr(0, n));
    if (!macro)
        return false;
    std::string name(text.substr(0, n));
    advance(n);
    push(std::move(name), std::make_shared<const std::string>(macro->text.value_or(std::string())));
    return true;
}

bool TSYM_Compiler::tryDirective()
{
    size_t n = 1;
    while (isLetter(peek(n)))
        ++n;
    const std::string word(rest().substr(1, n - 1));
    if (word != "define" && word != "ifdef" && word != "ifndef" && word != "else" && word != "endif"
        && word != "include")
        return false;
    advance(n);
    if (word == "define")
        doDefine();
    else if (word == "ifdef" || word == "ifndef")
        doIfdef(word == "ifdef");
    else if (word == "else")
        doElse();
    else if (word == "endif")
        doEndif();
    else
        doInclude();
    return true;
}

void TSYM_Compiler::doDefine()
{
    skipBlanksOnLine();
    if (atInputEnd() || !isWordStart(peek()))
        error("Macro name expected");
    std::string name = readWord();
    skipBlanksOnLine();
    std::string text;
    while (!atInputEnd() && peek() != 13) {
        text.push_back(static_cast<char>(peek()));
        advance();
    }
    while (!text.empty() && isLineBlank(static_cast<uint8_t>(text.back())))
        text.pop_back();
    if (lowerCase(text) != lowerCase(name))
        m_macros.add(name, -1, std::move(text));
}

void TSYM_Compiler::doIfdef(bool wantDefined)
{
    m_conditions.push_back(m_skipping);
    if (m_skipping)
        return;
    skipBlanksOnLine();
    if (atInputEnd() || !isWordStart(peek()))
        error("Macro name expected after #ifdef");
    bool defined = m_macros.contains(readWord());
    m_skipping = defined != wantDefined;
}

void TSYM_Compiler::doElse()
{
    if (m_conditions.empty())
        error("Script syntax error");
    if (!m_conditions.back())
        m_skipping = !m_skipping;
}

void TSYM_Compiler::doEndif()
{
    if (m_conditions.empty())
        error("Script syntax error");
    m_skipping = m_conditions.back();
    m_conditions.pop_back();
}

void TSYM_Compiler::doInclude()
{
    if (m_skipping)
        return;
    skipBlanksOnLine();
    uint8_t open = peek();
    if (atInputEnd() || (open != '"' && open != '<'))
        error("#include filename not enclosed in \"...\" or <...>");
    const char close = open == '<' ? '>' : '"';
    advance();
    std::string name;
    while (!atInputEnd() && peek() != static_cast<uint8_t>(close)) {
        if (peek() == 13)
            break;
        name.push_back(static_cast<char>(peek()));
        advance();
    }
    if (atInputEnd() || peek() != static_cast<uint8_t>(close))
        error(format("#include filename missing terminating %c", close));
    advance();
    std::string path = name;
    if (open == '<' && !m_includeDir.empty()) {
        char last = m_includeDir.back();
        path = m_includeDir + (last == '/' || last == '\\' ? "" : "/") + name;
    }
    auto text = m_reader(path, kExpansionLimit - std::min(m_expanded, kExpansionLimit) + 1);
    if (!text)
        error(format("Unable to open #include file %c%s%c", static_cast<char>(open), path.c_str(), close));
    push("-file-: " + path, std::make_shared<const std::string>(cutAtNul(std::move(*text))));
}

int TSYM_Compiler::nextToken()
{
    skipToToken();
    if (atInputEnd())
        return m_token = sym::kEndOfInput;

    auto text = rest();
    auto matches = m_keywords.prefixesOf(text);
    for (auto it = matches.rbegin(); it != matches.rend(); ++it) {
        uint8_t last = static_cast<uint8_t>(text[it->length - 1]);
        uint8_t after = it->length < text.size() ? static_cast<uint8_t>(text[it->length]) : 0;
        if (isWordChar(last) && isWordChar(after))
            continue;
        advance(it->length);
        return m_token = it->word->value;
    }

    uint8_t c = peek();
    if (m_skipping) {
        m_unknownChar = c;
        advance();
        return m_token = sym::kUnknown;
    }
    if (c == '\'')
        return m_token = readString();
    if (isDigit(c))
        return m_token = readNumber();
    if (isWordStart(c))
        return m_token = readIdentifier();
    m_unknownChar = c;
    advance();
    return m_token = sym::kUnknown;
}

int TSYM_Compiler::next()
{
    for (;;) {
        int t = nextToken();
        if (m_skipping && t != sym::kEndOfInput)
            continue;
        if (t == sym::kIdentifier)
            error(format("Identifier \"%s\" Unknown", m_identifier.c_str()));
        if (t == sym::kUnknown)
            error(format("Unknown character in input stream: #$%.2x", static_cast<unsigned>(m_unknownChar)));
        return t;
    }
}

int TSYM_Compiler::readString()
{
    advance(); // the opening quote
    m_rawString.clear();
    while (!atInputEnd()) {
        uint8_t c = peek();
        if (c == '\'') {
            advance();
            break;
        }
        if (c == '\\' && peek(1) == 13) {
            // A backslash before the line end joins the lines, dropping the next line's indentation and
            // one backslash that may mark where the continued text begins.
            advance(2);
            while (!atInputEnd() && ((peek() >= 1 && peek() <= 32) || peek() == 160))
                advance();
            if (!atInputEnd() && peek() == '\\')
                advance();
            continue;
        }
        m_rawString.push_back(static_cast<char>(c));
        advance();
        if (c == '\\' && !atInputEnd()) {
            m_rawString.push_back(static_cast<char>(peek()));
            advance();
        }
    }
    return sym::kString;
}

int TSYM_Compiler::readNumber()
{
    int64_t value = 0;
    while (!atInputEnd() && isDigit(peek())) {
        value = value * 10 + (peek() - '0');
        if (value > std::numeric_limits<int32_t>::max())
            error(format("Range error, value outwith %d .. %d", 0, std::numeric_limits<int32_t>::max()));
        advance();
    }
    m_number = static_cast<int32_t>(value);
    return sym::kNumber;
}

int TSYM_Compiler::readIdentifier()
{
    m_identifier = readWord();
    return sym::kIdentifier;
}

std::string TSYM_Compiler::decodeEscapes(std::string_view raw)
{
    std::string out;
    for (size_t i = 0; i < raw.size();) {
        char c = raw[i++];
        if (c != '\\') {
            out.push_back(c);
            continue;
        }
        if (i >= raw.size())
            break;
        auto e = static_cast<uint8_t>(raw[i]);
        if (e >= '0' && e <= '7') {
            unsigned v = 0;
            while (i < raw.size() && raw[i] >= '0' && raw[i] <= '7')
                v = v * 8 + static_cast<unsigned>(raw[i++] - '0');
            out.push_back(static_cast<char>(v & 0xFF));
            continue;
        }
        ++i;
        switch (e) {
        case 'b':
        case 'B':
            out.push_back(8);
            break;
        case 'e':
        case 'E':
            out.push_back(27);
            break;
        case 'n':
        case 'N':
            out.push_back(13);
            break;
        case 'r':
        case 'R':
            out.push_back(10);
            break;
        case 's':
        case 'S':
            out.push_back(32);
            break;
        case 't':
        case 'T':
            out.push_back(9);
            break;
        case 'x':
        case 'X': {
            if (i >= raw.size())
                break;
            unsigned v = 0;
            while (i < raw.size() && hexValue(static_cast<uint8_t>(raw[i])) >= 0)
                v = v * 16 + static_cast<unsigned>(hexValue(static_cast<uint8_t>(raw[i++])));
            out.push_back(static_cast<char>(v & 0xFF));
            break;
        }
        default:
            out.push_back(static_cast<char>(e));
            break;
        }
    }
    return out;
}

} // namespace lrl
