// Scans arbitrary text with the shipped scheme, with schemes compiled from fuzzed scripts, and with small
// tables built from the input byte by byte. Whatever the scheme and the text, every call must give a
// token of at least one character that the stream stands right behind, the tokens must cover the text
// exactly once, a scan must end, and rescanning containers must stay bounded.
//
// Input: byte 0 picks the scheme (bits 0-1: shipped, script, built) and the segment size of the stream
// (bits 2-5: 0 for one segment, else that many characters per segment). A script runs up to the first
// zero byte; a built table is described by the number of bytes in byte 1 and those bytes. The rest is
// the text.

#include "../tests/scheme/ChoppedCharStream.h"
#include "common/ReadOnlyMemoryStream.h"
#include "scheme/CharSpecifier.h"
#include "scheme/ESYM_COMP_ERROR.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/TokenScan.h"
#include "scheme/shipped/ShippedScheme.h"

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

using namespace lrl;

namespace {

class Bytes {
public:
    Bytes(const uint8_t* p, size_t n)
        : m_p(p)
        , m_n(n)
    {
    }
    uint8_t next()
    {
        if (m_n == 0)
            return 0;
        --m_n;
        return *m_p++;
    }
    bool more() const { return m_n > 0; }

private:
    const uint8_t* m_p;
    size_t m_n;
};

// Characters the tables are built from, so that words and classes meet the text often.
constexpr char kAlphabet[] = "ab01 #'\"\r.-{}*()/<>@$\\_;";

uint8_t letter(Bytes& b) { return static_cast<uint8_t>(kAlphabet[b.next() % (sizeof kAlphabet - 1)]); }

Set256 someStates(Bytes& b)
{
    Set256 s;
    uint8_t x = b.next();
    for (int i = 0; i < 4; ++i)
        if (x & (1 << i))
            s.insert(i);
    return s;
}

uint16_t someClass(SchemeTable& t, Bytes& b)
{
    Set256 s;
    bool negated = false;
    switch (b.next() % 6) {
    case 0:
        return t.addCharClass(TSM_CharGroup::any());
    case 1:
        s.insert(letter(b));
        break;
    case 2: {
        uint8_t lo = letter(b);
        uint8_t hi = letter(b);
        for (int c = std::min(lo, hi); c <= std::max(lo, hi); ++c)
            s.insert(c);
        break;
    }
    case 3:
        s.insert(letter(b));
        negated = true;
        break;
    case 4:
        for (int c = 'a'; c <= 'z'; ++c)
            s.insert(c);
        break;
    default:
        for (int c = '0'; c <= '9'; ++c)
            s.insert(c);
        break;
    }
    return t.addCharClass(TSM_CharGroup(s, negated));
}

int32_t someRoutine(Bytes& b) { return static_cast<int32_t>(b.next() % 25) - 2; }

TSM_StartPart somePart(SchemeTable& t, Bytes& b)
{
    TSM_StartPart p;
    uint8_t x = b.next();
    p.repeat = x & 4;
    switch (x % 4) {
    case 0:
        p.charClass = someClass(t, b);
        break;
    case 1:
        p.numeric = true;
        p.routine = someRoutine(b);
        break;
    case 2:
        p.numeric = p.custom = true;
        p.routine = b.next();
        break;
    default:
        p.numeric = true;
        p.routine = 10 + b.next() % 11;
        break;
    }
    return p;
}

TSM_EndPart someEnd(SchemeTable& t, Bytes& b)
{
    TSM_EndPart e;
    uint8_t x = b.next();
    e.consume = x & 4;
    switch (x % 4) {
    case 0:
        break;
    case 1:
        e.classCount = static_cast<uint8_t>(1 + b.next() % 4);
        for (int i = 0; i < e.classCount; ++i)
            e.classes[static_cast<size_t>(i)] = someClass(t, b);
        break;
    case 2:
        e.numeric = true;
        e.routine = someRoutine(b);
        break;
    default:
        e.numeric = e.custom = true;
        e.routine = b.next();
        break;
    }
    return e;
}

void buildTable(SchemeTable& t, Bytes& b)
{
    while (b.more()) {
        switch (b.next() % 9) {
        case 0: {
            std::string w(1 + b.next() % 4, ' ');
            for (char& c : w)
                c = static_cast<char>(letter(b));
            TSM_KeywordDefinition d { someStates(b), someClass(t, b), b.next() };
            t.keywords().add(w, d);
            break;
        }
        case 1: {
            uint8_t v = b.next();
            t.setHandler(v, { somePart(t, b), someEnd(t, b) });
            break;
        }
        case 2: {
            TSM_TokenRecord r;
            uint8_t c = letter(b);
            uint8_t x = b.next();
            if (x & 1) {
                r.start.numeric = true;
                r.start.routine = 10 + b.next() % 11;
            }
            r.states = someStates(b);
            if (x & 2) {
                r.body = somePart(t, b);
                r.end = someEnd(t, b);
            }
            r.token = b.next();
            TSM_TokenTable& table = (x & 4) ? t.stateTableOrAdd(b.next() % 4) : t.tokenTable();
            table.set(c, r);
            break;
        }
        case 3: {
            TSM_TokenValueRecord& r = t.tokenValueOrAdd(b.next(), someStates(b));
            r.entry = someStates(b);
            r.exit = someStates(b);
            r.updateUnchanged();
            uint8_t x = b.next();
            r.actions = x & 15;
            r.container = x & 16;
            r.valid = someStates(b);
            break;
        }
        case 4: {
            auto& tables = t.settings().keywordTables;
            if (tables.size() >= 4)
                break;
            TKeywordDefinitions& k = tables.emplace_back();
            k.setStates(someStates(b));
            k.setTerminatorText(b.next() & 1 ? "[^a-z0-9_]" : "");
            k.setCaseSensitive(b.next() & 1);
            for (int n = b.next() % 4; n >= 0; --n) {
                std::string w(1 + b.next() % 3, 'a');
                for (char& c : w)
                    c = static_cast<char>(letter(b));
                k.addWord(w, b.next());
            }
            break;
        }
        case 5:
            t.setContextStates(b.next(), someStates(b));
            break;
        case 6:
            t.startStates() = someStates(b);
            t.boundStates() = someStates(b);
            break;
        case 7:
            t.keywords().setCaseSensitive(b.next() & 1);
            break;
        default:
            t.setCustomParse(true);
            break;
        }
    }
}

// A custom routine that behaves well or badly by its number.
bool customParse(TSyntaxMemoParser&, int32_t id, CharStream& s, int32_t& length, int32_t& value)
{
    value = id * 7;
    switch (id % 5) {
    case 0:
        for (int i = 0; i < 3 && !s.atEnd() && s.current() != ' '; ++i, ++length)
            s.next();
        return true;
    case 1:
        return false;
    case 2:
        return true; // accepts without taking anything
    case 3:
        s.seek(0); // walks away backwards
        return true;
    default:
        s.seek(s.size());
        return true;
    }
}

[[noreturn]] void fail() { __builtin_trap(); }

void check(TSyntaxMemoParser& parser, const std::string& text, size_t segment, int start)
{
    parser.OnCustomParse = customParse;
    test::ChoppedCharStream s(text, segment == 0 ? text.size() + 1 : segment);
    const auto size = static_cast<int64_t>(text.size());

    // Token by token: each at least one character, the stream right behind it, the text covered once.
    parser.reset(start);
    int64_t pos = 0;
    int32_t length = 0;
    while (!s.atEnd()) {
        parser.nextToken(nullptr, s, length);
        if (length < 1 || s.position() != pos + length)
            fail();
        pos += length;
    }
    if (pos != size || parser.nextToken(nullptr, s, length) != 0 || length != 0 || s.position() != size)
        fail();

    // As a viewer scans, containers scanned again: it ends, and each character is scanned at most twice.
    s.seek(0);
    int64_t chars = 0;
    scanTokens(parser, s, start, [&](const ScannedToken& t) {
        chars += t.length;
        if (t.length < 1 || chars > 2 * size)
            fail();
    });
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0 || size > 64 * 1024)
        return 0;
    const uint8_t mode = data[0];
    const size_t segment = (mode >> 2) & 15;
    TSyntaxMemoParser parser("SyntaxMemoParser1");
    const uint8_t* text = data + 1;
    size_t textSize = size - 1;
    switch (mode & 3) {
    case 1: {
        const auto* end = static_cast<const uint8_t*>(std::memchr(text, 0, textSize));
        size_t scriptSize = end ? static_cast<size_t>(end - text) : textSize;
        ReadOnlyMemoryStream script({ text, scriptSize });
        try {
            parser.compileScript(script, "");
        } catch (const Exception&) {
            // The table as far as it was built.
        }
        text += std::min(textSize, scriptSize + 1);
        textSize -= std::min(textSize, scriptSize + 1);
        break;
    }
    case 2: {
        if (textSize == 0)
            break;
        size_t recipeSize = std::min<size_t>(text[0], textSize - 1);
        Bytes recipe(text + 1, recipeSize);
        buildTable(parser.table(), recipe);
        text += 1 + recipeSize;
        textSize -= 1 + recipeSize;
        break;
    }
    default: {
        // Loaded once: expanding the stored table on every run would take most of the time.
        static const SchemeTable shipped = createShippedParser()->table();
        parser.table() = shipped;
        break;
    }
    }
    std::string t(reinterpret_cast<const char*>(text), textSize);
    check(parser, t, segment, mode >> 6 ? static_cast<int>(mode) : -1);
    return 0;
}
