#include "scheme/StyleString.h"

#include "common/Exception.h"
#include "common/Format.h"
#include "common/MemoryStream.h"
#include "common/ReadOnlyMemoryStream.h"
#include "common/StreamIO.h"
#include "scheme/TabColumns.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>

namespace lrl {

namespace {

constexpr std::string_view kSignatureWord = "Farvel";
// Reading starts after the signature word, the version digit and the ":".
constexpr size_t kFirstField = 8;
constexpr size_t kMaxKey = 4;
// Older positional strings keep at most this many wrap-override characters.
constexpr size_t kMaxPositionalWrapOverride = 20;

[[noreturn]] void invalid() { throw ESyntaxMemo(kInvalidStyleString); }

bool isDigit(char c) { return c >= '0' && c <= '9'; }
bool isAlnum(char c) { return std::isalnum(static_cast<unsigned char>(c)) != 0; }

// ---- Writing

void addField(std::string& out, std::string_view key, const std::string& value)
{
    out += key;
    out += '#';
    out += std::to_string(value.size());
    out += '#';
    out += value;
}

std::string number(int32_t value) { return std::to_string(value); }
std::string flag(bool value) { return value ? "1" : "0"; }

std::string effectsText(const TSM_Settings& s)
{
    int defined = 0;
    std::string entries;
    for (size_t i = 0; i < s.effects.size(); ++i) {
        const TSM_Effect& e = s.effects[i];
        if (!e.defined)
            continue;
        ++defined;
        entries += format("%d,%d,%d,", static_cast<int>(i), e.foreground, e.background);
        if (e.backgroundDefault)
            entries += 'X';
        if (e.foregroundDefault)
            entries += 'Y';
        if (e.style & TSM_Effect::Bold)
            entries += 'B';
        if (e.style & TSM_Effect::Italic)
            entries += 'I';
        if (e.style & TSM_Effect::Underline)
            entries += 'U';
        entries += ';';
    }
    // The count is kept below 256; the reader takes a 256th entry that follows 255 of them.
    int written = std::min(defined, 255);
    std::string text = std::to_string(written);
    if (written != 0)
        text += ',';
    return text + entries;
}

std::vector<int32_t> tabColumnsOf(const TSM_Settings& s)
{
    std::vector<int32_t> columns;
    for (int i = 0; i < TSM_Settings::kTabColumns && s.tabColumn(i) >= 0; ++i)
        columns.push_back(s.tabColumn(i));
    return columns;
}

std::string fontStyleText(uint8_t style)
{
    std::string text;
    if (style & TSM_Effect::Italic)
        text += 'I';
    if (style & TSM_Effect::Bold)
        text += 'B';
    if (style & TSM_Effect::Underline)
        text += 'U';
    if (style & TSM_Effect::StrikeOut)
        text += 'S';
    return text;
}

// ---- Reading

// The comma-separated numbers of the positional form and of the effect list. A number may carry a
// leading minus sign, as negative (system) colours are written with one.
class NumberReader {
public:
    explicit NumberReader(std::string_view text, size_t pos = 0)
        : m_text(text)
        , m_pos(pos)
    {
    }

    bool atEnd() const { return m_pos >= m_text.size(); }
    size_t position() const { return m_pos; }
    char peek() const { return m_text[m_pos]; }
    void skip() { ++m_pos; }

    // At the end or at a "," the default (the "," is consumed); a run of digits is the value and one
    // "," after it is consumed; any other character leaves the default and stays.
    int32_t number(int32_t fallback)
    {
        if (atEnd())
            return fallback;
        if (peek() == ',') {
            skip();
            return fallback;
        }
        bool negative = peek() == '-' && m_pos + 1 < m_text.size() && isDigit(m_text[m_pos + 1]);
        if (negative)
            skip();
        if (!isDigit(peek()))
            return fallback;
        uint32_t value = 0; // wraps like a 32-bit register, without undefined overflow
        while (!atEnd() && isDigit(peek())) {
            value = value * 10u + static_cast<uint32_t>(peek() - '0');
            skip();
        }
        if (!atEnd() && peek() == ',')
            skip();
        return static_cast<int32_t>(negative ? 0u - value : value);
    }

    // Up to count characters (fewer at the end of the text).
    std::string_view take(int32_t count)
    {
        size_t n = count <= 0
            ? 0
            : std::min(static_cast<size_t>(count), m_text.size() - std::min(m_pos, m_text.size()));
        std::string_view part = m_text.substr(std::min(m_pos, m_text.size()), n);
        m_pos += n;
        return part;
    }

private:
    std::string_view m_text;
    size_t m_pos;
};

void readEffect(TSM_Settings& s, NumberReader& in)
{
    int32_t number = in.number(255);
    if (number < 0 || number > 255)
        invalid();
    TSM_Effect& e = s.effects[static_cast<size_t>(number)];
    e.foreground = in.number(0x000000);
    e.background = in.number(0xFFFFFF);
    e.style &= TSM_Effect::StrikeOut;
    e.foregroundDefault = false;
    e.backgroundDefault = false;
    e.defined = true;
    while (!in.atEnd()) {
        char c = static_cast<char>(std::tolower(static_cast<unsigned char>(in.peek())));
        switch (c) {
        case ';':
            in.skip();
            return;
        case 'b':
            e.style |= TSM_Effect::Bold;
            break;
        case 'i':
            e.style |= TSM_Effect::Italic;
            break;
        case 'u':
            e.style |= TSM_Effect::Underline;
            break;
        case 'x':
            e.backgroundDefault = true;
            break;
        case 'y':
            e.foregroundDefault = true;
            break;
        default:
            return;
        }
        in.skip();
    }
}

// The effect count and its entries. An entry that consumes nothing would be read again identically,
// so reading ends there however large the count; after 255 entries a 256th is read when one follows,
// since the writer never writes a count above 255.
void readEffects(TSM_Settings& s, NumberReader& in)
{
    int32_t count = in.number(0);
    int32_t done = 0;
    while (done < count || (count == 255 && done == 255 && !in.atEnd())) {
        size_t before = in.position();
        readEffect(s, in);
        ++done;
        if (in.position() == before)
            break;
    }
}

void setTabColumns(TSM_Settings& s, std::string_view text)
{
    std::vector<int32_t> columns = parseTabColumns(text);
    s.tabColumns.fill(0xFF);
    for (size_t i = 0; i < columns.size(); ++i)
        s.setTabColumn(static_cast<int>(i), columns[i]);
}

// A whole value as a signed 32-bit number: optional sign, then decimal digits or "$" and hex digits.
int32_t toInteger(std::string_view text)
{
    size_t i = 0;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+'))
        negative = text[i++] == '-';
    unsigned base = 10;
    if (i < text.size() && text[i] == '$') {
        base = 16;
        ++i;
    } else if (i + 1 < text.size() && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        base = 16;
        i += 2;
    }
    if (i >= text.size())
        invalid();
    uint64_t value = 0;
    for (; i < text.size(); ++i) {
        char c = static_cast<char>(std::tolower(static_cast<unsigned char>(text[i])));
        unsigned digit;
        if (isDigit(c))
            digit = static_cast<unsigned>(c - '0');
        else if (base == 16 && c >= 'a' && c <= 'f')
            digit = static_cast<unsigned>(c - 'a' + 10);
        else
            invalid();
        value = value * base + digit;
        if (value > 0xFFFFFFFFull)
            invalid();
    }
    // Hexadecimal values name all 32 bits; decimal ones must fit the signed range.
    if (base == 10 && value > (negative ? 0x80000000ull : 0x7FFFFFFFull))
        invalid();
    auto bits = static_cast<uint32_t>(value);
    return static_cast<int32_t>(negative ? 0u - bits : bits);
}

uint8_t fontStyleOf(std::string_view text)
{
    uint8_t style = 0;
    if (text.find('I') != std::string_view::npos)
        style |= TSM_Effect::Italic;
    if (text.find('B') != std::string_view::npos)
        style |= TSM_Effect::Bold;
    if (text.find('U') != std::string_view::npos)
        style |= TSM_Effect::Underline;
    if (text.find('S') != std::string_view::npos)
        style |= TSM_Effect::StrikeOut;
    return style;
}

// Stores one keyed field; answers false for a key that is none of the 24.
bool storeField(TSM_Settings& s, std::string_view key, std::string_view value)
{
    auto integer = [&] { return toInteger(value); };
    auto isSet = [&] { return value == "1"; };
    if (key == "OPT")
        s.options = static_cast<uint32_t>(integer());
    else if (key == "GWD")
        s.gutterWidth = integer();
    else if (key == "GCL")
        s.gutterColor = integer();
    else if (key == "WRC")
        s.wrapAtColumn = integer();
    else if (key == "IDS")
        s.indentStep = integer();
    else if (key == "WRO")
        s.wrapOverride = std::string(value.substr(0, TSM_Settings::kMaxWrapOverride));
    else if (key == "FON")
        s.font.name = std::string(value);
    else if (key == "FOS")
        s.font.size = integer();
    else if (key == "STC")
        s.selTextColor = integer();
    else if (key == "STB")
        s.selTextBack = integer();
    else if (key == "TBC")
        setTabColumns(s, value);
    else if (key == "TBD")
        s.tabDefault = integer();
    else if (key == "EFF") {
        NumberReader in(value);
        readEffects(s, in);
    } else if (key == "GDF")
        s.gutterColorDefault = isSet();
    else if (key == "MDF")
        s.marginColorDefault = isSet();
    else if (key == "SDF")
        s.selTextColorDefault = isSet();
    else if (key == "BDF")
        s.selTextBackDefault = isSet();
    else if (key == "FOC")
        s.font.charSet = static_cast<uint8_t>(integer());
    else if (key == "RMG")
        s.rightMargin = integer();
    else if (key == "LNN")
        s.gutterFont.name = std::string(value);
    else if (key == "LNS")
        s.gutterFont.size = integer();
    else if (key == "LNC")
        s.gutterFont.color = integer();
    else if (key == "LNT")
        s.gutterFont.charSet = static_cast<uint8_t>(integer());
    else if (key == "LNE")
        s.gutterFont.style = fontStyleOf(value);
    else
        return false;
    return true;
}

void applyKeyed(TSM_Settings& s, std::string_view text)
{
    size_t pos = kFirstField;
    while (pos < text.size()) {
        size_t keyStart = pos;
        while (pos < text.size() && pos - keyStart < kMaxKey && isAlnum(text[pos]))
            ++pos;
        std::string_view key = text.substr(keyStart, pos - keyStart);
        // The terminator "#END#" gives an empty key here.
        if (key.empty() || key == "END" || pos >= text.size() || text[pos] != '#')
            return;
        ++pos;
        if (pos >= text.size() || !isDigit(text[pos]))
            invalid();
        size_t length = 0;
        while (pos < text.size() && isDigit(text[pos])) {
            length = std::min<size_t>(length * 10 + static_cast<size_t>(text[pos] - '0'), text.size());
            ++pos;
        }
        if (pos >= text.size() || text[pos] != '#')
            invalid();
        ++pos;
        std::string_view value = text.substr(pos, std::min(length, text.size() - pos));
        pos += value.size();
        if (!storeField(s, key, value))
            return;
    }
}

void applyPositional(TSM_Settings& s, std::string_view text, int version)
{
    NumberReader in(text, kFirstField);
    s.options = static_cast<uint32_t>(in.number(static_cast<int32_t>(TSM_Settings::kDefaultOptions)));
    s.gutterWidth = in.number(34);
    s.wrapAtColumn = in.number(0);
    s.indentStep = in.number(1);
    std::string_view wrap = in.take(in.number(0));
    s.wrapOverride = std::string(wrap.substr(0, kMaxPositionalWrapOverride));
    if (version == 1) {
        s.font = { "Courier New", 10, 1 };
        s.selTextColor = TSM_Settings::clHighlightText;
        s.selTextBack = TSM_Settings::clHighlight;
    } else {
        s.font.name = std::string(in.take(in.number(0)));
        s.font.size = in.number(10);
        if (version >= 3) {
            s.selTextColor = in.number(TSM_Settings::clHighlightText);
            s.selTextBack = in.number(TSM_Settings::clHighlight);
        } else {
            s.selTextColor = TSM_Settings::clHighlightText;
            s.selTextBack = TSM_Settings::clHighlight;
        }
        if (version == 4) {
            setTabColumns(s, in.take(in.number(0)));
            s.tabDefault = in.number(4);
        }
    }
    std::array<TSM_Effect, 256> before = s.effects;
    try {
        readEffects(s, in);
    } catch (...) {
        s.effects = before;
        throw;
    }
}

} // namespace

std::string writeStyleString(const TSM_Settings& s)
{
    std::string out(kStyleSignature);
    addField(out, "OPT", number(static_cast<int32_t>(s.options)));
    addField(out, "GWD", number(s.gutterWidth));
    addField(out, "GCL", number(s.gutterColor));
    addField(out, "WRC", number(s.wrapAtColumn));
    addField(out, "IDS", number(s.indentStep));
    addField(out, "WRO", s.wrapOverride);
    addField(out, "FON", s.font.name);
    addField(out, "FOS", number(s.font.size));
    addField(out, "STC", number(s.selTextColor));
    addField(out, "STB", number(s.selTextBack));
    addField(out, "TBC", tabColumnsText(tabColumnsOf(s)));
    addField(out, "TBD", number(s.tabDefault));
    addField(out, "EFF", effectsText(s));
    addField(out, "GDF", flag(s.gutterColorDefault));
    addField(out, "MDF", flag(s.marginColorDefault));
    addField(out, "SDF", flag(s.selTextColorDefault));
    addField(out, "BDF", flag(s.selTextBackDefault));
    addField(out, "FOC", number(s.font.charSet));
    addField(out, "RMG", number(s.rightMargin));
    addField(out, "LNN", s.gutterFont.name);
    addField(out, "LNS", number(s.gutterFont.size));
    addField(out, "LNC", number(s.gutterFont.color));
    addField(out, "LNT", number(s.gutterFont.charSet));
    addField(out, "LNE", fontStyleText(s.gutterFont.style));
    out += "#END#";
    return out;
}

void applyStyleString(TSM_Settings& settings, std::string_view text)
{
    if (text.size() < kSignatureWord.size() + 1 || !text.starts_with(kSignatureWord))
        invalid();
    char digit = text[kSignatureWord.size()];
    if (digit < '1' || digit > '9')
        invalid();
    int version = digit - '0';
    if (version >= 5)
        applyKeyed(settings, text);
    else
        applyPositional(settings, text, version);
}

std::vector<uint8_t> writeKeyAssignments(const TSM_Settings& settings)
{
    MemoryStream out;
    writeShortString(out, std::string(kStyleSignature));
    settings.keys.saveToStream(out);
    return out.takeBytes();
}

bool applyKeyAssignments(TSM_Settings& settings, std::span<const uint8_t> bytes)
{
    std::string_view text(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    if (text.find(kStyleSignature) == std::string_view::npos)
        return false;
    constexpr size_t kSignatureBytes = 1 + kStyleSignature.size();
    ReadOnlyMemoryStream in(bytes.subspan(std::min(bytes.size(), kSignatureBytes)));
    // Read into a map of its own first, so that a damaged value leaves the current assignments.
    TKeyboardActionContoller loaded;
    loaded.loadFromStream(in);
    settings.keys.assign(loaded);
    return true;
}

} // namespace lrl
