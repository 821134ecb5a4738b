// Cross-checks the pattern engine against a slow reference: random patterns are generated together with
// their syntax tree, and the tree is matched by plain recursion with continuations, trying alternatives
// and repeat counts in the engine's order of preference. The reference shares no code with the engine.

#include "viewer/TREParser.h"

#include "common/StringCharStream.h"
#include "support/SegmentedCharStream.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <random>
#include <string>
#include <vector>

using namespace lrl;

namespace {

constexpr int kCR = 13;

struct Node;
using NodeP = std::shared_ptr<Node>;

struct Node {
    enum Kind { Chars, Set, Any, Bol, Eol, Seq, Alt, Repeat } kind;
    std::string chars; // Chars
    std::vector<bool> members; // Set
    std::vector<NodeP> kids; // Seq, Alt; Repeat has one
    int min = 0;
    int max = -1; // Repeat; -1 unbounded
};

// Matching state: the position and where the first recorded consumption started (-1: none yet).
struct State {
    int pos;
    int first;
};
using Cont = std::function<bool(State)>;

class Reference {
public:
    explicit Reference(const std::string& text)
        : m_text(text)
    {
    }

    bool match(const Node& n, State s, const Cont& k) const
    {
        const int len = static_cast<int>(m_text.size());
        auto consume = [&](int count) { return State { s.pos + count, s.first < 0 ? s.pos : s.first }; };
        switch (n.kind) {
        case Node::Chars:
            if (n.chars.empty())
                return k(s);
            return m_text.compare(static_cast<size_t>(s.pos), n.chars.size(), n.chars) == 0
                && s.pos + static_cast<int>(n.chars.size()) <= len
                && k(consume(static_cast<int>(n.chars.size())));
        case Node::Set:
            return s.pos < len && n.members[static_cast<uint8_t>(m_text[s.pos])] && k(consume(1));
        case Node::Any:
            return s.pos < len && m_text[s.pos] != kCR && k(consume(1));
        case Node::Bol:
            return s.pos < len && m_text[s.pos] == kCR && k(State { s.pos + 1, s.first });
        case Node::Eol:
            return s.pos < len && m_text[s.pos] == kCR && k(s);
        case Node::Seq:
            return seq(n, 0, s, k);
        case Node::Alt:
            for (const auto& kid : n.kids)
                if (match(*kid, s, k))
                    return true;
            return false;
        case Node::Repeat:
            return repeat(n, 0, s, k);
        }
        return false;
    }

private:
    bool seq(const Node& n, size_t i, State s, const Cont& k) const
    {
        if (i == n.kids.size())
            return k(s);
        return match(*n.kids[i], s, [&](State t) { return seq(n, i + 1, t, k); });
    }
    // Greedy: one more pass first, then what follows.
    bool repeat(const Node& n, int done, State s, const Cont& k) const
    {
        auto again = [&](State t) { return repeat(n, done + 1, t, k); };
        if (done < n.min)
            return match(*n.kids[0], s, again);
        if (n.max < 0 || done < n.max)
            if (match(*n.kids[0], s, again))
                return true;
        return k(s);
    }

    const std::string& m_text;
};

// Generates a pattern text and its tree at once.
class Generator {
public:
    explicit Generator(unsigned seed)
        : m_rng(seed)
    {
    }

    NodeP pattern(std::string& text)
    {
        m_groups = 0;
        return alternation(text, 0);
    }

private:
    int pick(int n) { return static_cast<int>(m_rng() % static_cast<unsigned>(n)); }

    static NodeP make(Node::Kind kind) { return std::make_shared<Node>(Node { kind, {}, {}, {}, 0, -1 }); }

    static bool hasWidth(const Node& n)
    {
        switch (n.kind) {
        case Node::Chars:
            return !n.chars.empty();
        case Node::Set:
        case Node::Any:
            return true;
        case Node::Bol:
        case Node::Eol:
            return false;
        case Node::Seq:
            for (const auto& k : n.kids)
                if (hasWidth(*k))
                    return true;
            return false;
        case Node::Alt:
            for (const auto& k : n.kids)
                if (!hasWidth(*k))
                    return false;
            return true;
        case Node::Repeat:
            return n.min > 0 && hasWidth(*n.kids[0]);
        }
        return false;
    }

    NodeP alternation(std::string& text, int depth)
    {
        auto alt = make(Node::Alt);
        const int branches = 1 + (pick(3) == 0 ? 1 + pick(2) : 0);
        for (int b = 0; b < branches; ++b) {
            if (b > 0)
                text += "|";
            // A branch between two bars must not be empty, or the bars would read as a double bar.
            const bool inner = b > 0 && b + 1 < branches;
            std::string a;
            NodeP first = branch(a, depth, inner || b > 0);
            if (depth == 0 && pick(8) == 0) {
                // A double bar: A||B is A followed by an optional B, or B followed by an optional A.
                std::string bText;
                NodeP second = branch(bText, depth, false);
                text += a + "||" + bText;
                auto either = make(Node::Alt);
                either->kids = { sequence(first, optional(second)), sequence(second, optional(first)) };
                alt->kids.push_back(either);
            } else {
                text += a;
                alt->kids.push_back(first);
            }
        }
        return alt;
    }

    static NodeP optional(const NodeP& n)
    {
        auto r = make(Node::Repeat);
        r->kids = { n };
        r->max = 1;
        return r;
    }
    static NodeP sequence(const NodeP& a, const NodeP& b)
    {
        auto s = make(Node::Seq);
        s->kids = { a, b };
        return s;
    }

    NodeP branch(std::string& text, int depth, bool nonEmpty)
    {
        auto seq = make(Node::Seq);
        const int pieces = nonEmpty ? 1 + pick(3) : pick(4);
        for (int i = 0; i < pieces; ++i)
            seq->kids.push_back(piece(text, depth));
        return seq;
    }

    NodeP piece(std::string& text, int depth)
    {
        std::string a;
        NodeP atom = this->atom(a, depth);
        text += a;
        const bool width = hasWidth(*atom);
        auto r = make(Node::Repeat);
        r->kids = { atom };
        switch (pick(8)) {
        case 0:
            if (!width)
                return atom;
            text += "*";
            return r;
        case 1:
            if (!width)
                return atom;
            text += "+";
            r->min = 1;
            return r;
        case 2:
            text += "?";
            r->max = 1;
            return r;
        case 3: {
            r->min = pick(3);
            r->max = r->min + pick(3);
            if (pick(4) == 0 && width) {
                r->max = -1;
                text += "{" + std::to_string(r->min) + ",}";
            } else if (r->min == r->max) {
                text += "{" + std::to_string(r->min) + "}";
            } else {
                text += "{" + (r->min ? std::to_string(r->min) : "") + "," + std::to_string(r->max) + "}";
            }
            return r;
        }
        default:
            return atom;
        }
    }

    NodeP atom(std::string& text, int depth)
    {
        const int choice = pick(depth < 2 && m_groups < 9 ? 12 : 11);
        switch (choice) {
        case 0:
        case 1:
        case 2: {
            auto n = make(Node::Chars);
            n->chars = std::string(1, "abc"[pick(3)]);
            text += n->chars;
            return n;
        }
        case 3: {
            auto n = make(Node::Chars);
            n->chars = "\r";
            text += "\\n";
            return n;
        }
        case 4:
            text += ".";
            return make(Node::Any);
        case 5:
            text += "^";
            return make(Node::Bol);
        case 6:
            text += "$";
            return make(Node::Eol);
        case 7: {
            auto n = make(Node::Set);
            n->members.assign(256, false);
            const bool negate = pick(3) == 0;
            text += negate ? "[^" : "[";
            if (pick(2)) {
                text += "a-b";
                n->members['a'] = n->members['b'] = true;
            } else {
                text += "c\\n";
                n->members['c'] = n->members[kCR] = true;
            }
            text += "]";
            if (negate)
                n->members.flip();
            return n;
        }
        case 8: {
            static const char* classes[] = { "\\d", "\\w", "\\s", "\\W" };
            const int c = pick(4);
            text += classes[c];
            auto n = make(Node::Set);
            n->members.assign(256, false);
            for (int ch = 0; ch < 256; ++ch) {
                const bool digit = ch >= '0' && ch <= '9';
                const bool word = digit || (ch >= 'a' && ch <= 'z') || (ch >= 'A' && ch <= 'Z') || ch == '_';
                const bool blank = ch == 13 || ch == 32 || ch == 10 || ch == 12 || ch == 9 || ch == 8;
                n->members[ch] = c == 0 ? digit : c == 1 ? word : c == 2 ? blank : !word;
            }
            return n;
        }
        case 9: {
            auto n = make(Node::Chars);
            n->chars = pick(2) ? "ab" : "";
            text += "\"" + n->chars + "\"";
            return n;
        }
        case 10: {
            auto n = make(Node::Chars);
            n->chars = " ";
            text += "\\ ";
            return n;
        }
        default: {
            ++m_groups;
            text += "(";
            NodeP inner = alternation(text, depth + 1);
            text += ")";
            return inner;
        }
        }
    }

    std::mt19937 m_rng;
    int m_groups = 0;
};

struct Found {
    int start = -1;
    int end = -1;
    bool operator==(const Found&) const = default;
};

// The reference's answer for one search: the first (or, backward, last) start position with a counted
// match, and that match.
Found referenceSearch(const Node& root, const std::string& text, bool backward)
{
    Reference ref(text);
    const int len = static_cast<int>(text.size());
    for (int i = 0; i < len; ++i) {
        const int start = backward ? len - 1 - i : i;
        Found f;
        ref.match(root, State { start, -1 }, [&](State s) {
            if (s.first < 0 || s.pos <= s.first)
                return false;
            f = { s.first, s.pos };
            return true;
        });
        if (f.start >= 0)
            return f;
    }
    return {};
}

std::string show(std::string s)
{
    for (size_t i = s.find('\r'); i != std::string::npos; i = s.find('\r', i))
        s.replace(i, 1, "<CR>");
    return s;
}

Found engineSearch(TREParser& re, CharStream& s, bool backward)
{
    s.seek(backward ? s.size() : 0);
    if (!re.search(s, backward ? SearchDirection::Backward : SearchDirection::Forward))
        return {};
    return { static_cast<int>(re.matchStart()), static_cast<int>(re.matchEnd()) };
}

} // namespace

TEST(RegexReference, EngineAgreesWithTheReferenceOnGeneratedCases)
{
    Generator gen(20240611);
    std::mt19937 rng(99);
    const std::string alphabet = "aabbc\r 1_";
    int compared = 0;
    int skipped = 0;
    while (compared < 12000) {
        std::string pattern;
        NodeP root = gen.pattern(pattern);
        if (pattern.empty())
            continue;
        TREParser re;
        if (!re.compile(pattern)) {
            // Double bars may add more groups than nine; anything else is a fault.
            ASSERT_EQ(re.error(), RegexError::TooManySubExpressions) << pattern << "\n" << re.errorText();
            ++skipped;
            continue;
        }
        for (int t = 0; t < 3; ++t) {
            std::string text(rng() % 17, ' ');
            for (char& c : text)
                c = alphabet[rng() % alphabet.size()];
            const bool backward = rng() % 2;
            const Found expected = referenceSearch(*root, text, backward);
            StringCharStream whole(text);
            test::SegmentedCharStream pieces(text, 1 + rng() % 3);
            SCOPED_TRACE("pattern " + pattern + (backward ? " backward" : " forward"));
            Found a;
            try {
                a = engineSearch(re, whole, backward);
            } catch (const ERegexError& e) {
                // Nested repeats such as (.+)+ backtrack exponentially; the step allowance stops them.
                ASSERT_EQ(e.code(), RegexError::TooComplex);
                ++skipped;
                continue;
            }
            const Found b = engineSearch(re, pieces, backward);
            ASSERT_EQ(a.start, expected.start) << "text \"" << show(text) << "\"";
            ASSERT_EQ(a.end, expected.end) << "text \"" << show(text) << "\"";
            ASSERT_EQ(b, a) << "text \"" << show(text) << "\"";
            ++compared;
        }
    }
    EXPECT_LT(skipped, compared / 10);
}
