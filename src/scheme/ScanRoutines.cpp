#include "scheme/ScanRoutines.h"

namespace lrl::scan {

namespace {

    std::array<uint8_t, 256> makeCharKinds()
    {
        std::array<uint8_t, 256> k {};
        auto add = [&](int from, int to, uint8_t kind) {
            for (int c = from; c <= to; ++c)
                k[static_cast<size_t>(c)] |= kind;
        };
        add('0', '9', kDigit | kHexDigit | kIdentChar | kMailChar);
        add('A', 'F', kHexDigit);
        add('a', 'f', kHexDigit);
        add('A', 'Z', kIdentStart | kIdentChar | kMailChar);
        add('a', 'z', kIdentStart | kIdentChar | kMailChar);
        add('_', '_', kIdentStart | kIdentChar | kMailChar);
        // Bytes above ASCII are letters of the text's code page (umlauts, Cyrillic, Greek ...) that go on
        // a name; which characters start one is the scheme table's business.
        add(0x80, 0xFF, kIdentChar);
        for (int c : { '~', '.', '@', '-' })
            add(c, c, kMailChar);
        // "#", "&", "-" to ":", "=", "?" to "Z", backslash, "_", "a" to "z", vertical bar, "~".
        for (int c : { '#', '&', '=', '\\', '_', '|', '~' })
            add(c, c, kAddressChar);
        add('-', ':', kAddressChar);
        add('?', 'Z', kAddressChar);
        add('a', 'z', kAddressChar);
        return k;
    }

    const std::array<uint8_t, 256> kKinds = makeCharKinds();

    bool is(uint8_t c, uint8_t kind) { return (kKinds[c] & kind) != 0; }

    // The character at the position, or -1 at the end of the stream.
    int peek(CharStream& s) { return s.atEnd() ? -1 : s.current(); }

    bool takeIf(CharStream& s, int c)
    {
        if (peek(s) != c)
            return false;
        s.next();
        return true;
    }

    // After a run that may end in ".", gives that "." back.
    void giveBackFinalDot(CharStream& s, int64_t start)
    {
        if (s.position() > start) {
            s.prev();
            if (s.current() != '.')
                s.next();
        }
    }

    bool quotedContinuation(CharStream& s)
    {
        for (;;) {
            skipWhile(s, [](uint8_t c) { return c != '\'' && c != kCR; });
            if (peek(s) != '\'')
                return true; // a CR or the end
            s.next();
            if (!takeIf(s, '\'')) {
                s.prev(); // a lone quote ends the string and stays
                return true;
            }
        }
    }

    bool addressRun(CharStream& s)
    {
        int64_t start = s.position();
        skipWhile(s, [](uint8_t c) { return is(c, kAddressChar); });
        giveBackFinalDot(s, start);
        return s.position() > start;
    }

    bool restOfLine(CharStream& s, int64_t tokenStart)
    {
        if (tokenStart > 0) {
            int64_t here = s.position();
            s.seek(tokenStart - 1);
            bool lineStart = s.current() == kCR;
            s.seek(here);
            if (!lineStart)
                return false;
        }
        skipWhile(s, [](uint8_t c) { return c != kCR; });
        return true;
    }

    bool identifier(CharStream& s)
    {
        if (s.atEnd() || !is(s.current(), kIdentStart))
            return false;
        s.next();
        skipWhile(s, [](uint8_t c) { return is(c, kIdentChar); });
        return true;
    }

    int64_t digits(CharStream& s)
    {
        int64_t start = s.position();
        skipWhile(s, [](uint8_t c) { return is(c, kDigit); });
        return s.position() - start;
    }

    bool number(CharStream& s)
    {
        int64_t count = digits(s);
        if (takeIf(s, '.')) {
            if (peek(s) == '.')
                s.prev(); // "1..2": the "." belongs to the ".."
            else
                count += digits(s);
        }
        if (count == 0)
            return false;
        int c = peek(s);
        if (c == 'e' || c == 'E') {
            int64_t mark = s.position();
            s.next();
            if (!takeIf(s, '+'))
                takeIf(s, '-');
            if (digits(s) == 0)
                s.seek(mark);
        }
        return true;
    }

    bool pascalString(CharStream& s)
    {
        if (!takeIf(s, '\''))
            return false;
        for (;;) {
            skipWhile(s, [](uint8_t c) { return c != '\'' && c != kCR; });
            if (!takeIf(s, '\''))
                return true; // a CR or the end
            if (!takeIf(s, '\''))
                return true; // the closing quote
        }
    }

    // A string in quote characters in which a backslash escapes the next character (not a CR).
    bool escapedString(CharStream& s, uint8_t quote)
    {
        if (!takeIf(s, quote))
            return false;
        for (;;) {
            skipWhile(s, [quote](uint8_t c) { return c != quote && c != '\\' && c != kCR; });
            int c = peek(s);
            if (c < 0 || c == kCR)
                return true;
            s.next();
            if (c == quote)
                return true;
            c = peek(s);
            if (c >= 0 && c != kCR)
                s.next();
        }
    }

    bool signedNumber(CharStream& s)
    {
        if (!takeIf(s, '+'))
            takeIf(s, '-');
        return number(s);
    }

    bool mailAddress(CharStream& s)
    {
        int64_t start = s.position();
        bool at = false;
        skipWhile(s, [&at](uint8_t c) {
            at = at || c == '@';
            return is(c, kMailChar);
        });
        if (!at) {
            s.seek(start);
            return false;
        }
        giveBackFinalDot(s, start);
        return true;
    }

    bool htmlString(CharStream& s)
    {
        if (!takeIf(s, '"'))
            return false;
        skipWhile(s, [](uint8_t c) { return c != '"' && c != kCR; });
        takeIf(s, '"');
        return true;
    }

    bool scriptLineComment(CharStream& s)
    {
        for (;;) {
            skipWhile(s, [](uint8_t c) { return c != '-' && c != kCR; });
            if (peek(s) != '-')
                return true;
            int64_t mark = s.position();
            int dashes = 0;
            while (takeIf(s, '-'))
                ++dashes;
            if (dashes >= 2 && peek(s) == '>') {
                s.seek(mark);
                return true;
            }
        }
    }

} // namespace

const std::array<uint8_t, 256>& charKinds()
{
    return kKinds;
}

bool runRoutine(int n, CharStream& s, int64_t tokenStart)
{
    switch (n) {
    case 0:
        return quotedContinuation(s);
    case 1:
        return addressRun(s);
    case 2:
        return restOfLine(s, tokenStart);
    case 3:
        return identifier(s);
    case 4:
        return number(s);
    case 5:
        return pascalString(s);
    case 6:
        return escapedString(s, '"');
    case 7:
    case 13:
        return escapedString(s, '\'');
    case 8:
        return signedNumber(s);
    case 9:
        return digits(s) > 0;
    case 10:
        return mailAddress(s);
    case 11:
        return htmlString(s);
    case 12:
        return scriptLineComment(s);
    default:
        return false;
    }
}

} // namespace lrl::scan
