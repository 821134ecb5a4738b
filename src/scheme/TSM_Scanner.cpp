#include "scheme/TSM_Scanner.h"

#include "common/CharStream.h"
#include "scheme/ScanRoutines.h"
#include "scheme/SchemeTable.h"
#include "scheme/TSyntaxMemoParser.h"

#include <cstring>
#include <deque>
#include <limits>

namespace lrl {

namespace {

    // Whether two sets share a member, a word at a time.
    inline bool shares(const Set256& a, const Set256& b)
    {
        uint64_t x[4];
        uint64_t y[4];
        std::memcpy(x, a.bytes().data(), sizeof x);
        std::memcpy(y, b.bytes().data(), sizeof y);
        return ((x[0] & y[0]) | (x[1] & y[1]) | (x[2] & y[2]) | (x[3] & y[3])) != 0;
    }

    const std::array<uint8_t, 256>& identityTable()
    {
        static const std::array<uint8_t, 256> table = [] {
            std::array<uint8_t, 256> t {};
            for (size_t c = 0; c < t.size(); ++c)
                t[c] = static_cast<uint8_t>(c);
            return t;
        }();
        return table;
    }

} // namespace

TSM_Scanner::TSM_Scanner(TSyntaxMemoParser& owner)
    : m_owner(owner)
{
}

// ---- Reading the table ---------------------------------------------------------------------------------

uint16_t TSM_Scanner::classIndex(uint16_t tableIndex) const
{
    // A class reference outside the pool (a hand-built or damaged table) reads as the empty class.
    return tableIndex < m_owner.table().charClasses().size() ? tableIndex : TSM_CharGroupManager::kEmptyClass;
}

TSM_Scanner::Step TSM_Scanner::makeStep(const TSM_StartPart& part) const
{
    Step step;
    step.repeat = part.repeat;
    step.cls = classIndex(part.charClass);
    step.routine = part.routine;
    if (!part.numeric) {
        step.kind = kClassStep;
    } else if (part.custom) {
        step.kind = kCustomStep;
    } else if (part.routine >= scan::kFirstBuiltIn && part.routine <= scan::kLastBuiltIn) {
        step.kind = kBuiltInStep;
        step.routine = part.routine - scan::kBuiltInOffset;
    } else {
        step.kind = kRoutineStep;
    }
    return step;
}

TSM_Scanner::End TSM_Scanner::makeEnd(const TSM_EndPart& part) const
{
    End end;
    end.consume = part.consume;
    end.routine = part.routine;
    if (part.numeric) {
        end.kind = part.custom ? kCustomEnd : kRoutineEnd;
    } else if (part.classCount > 0) {
        end.kind = kClassEnd;
        end.count = std::min<uint8_t>(part.classCount, TSM_EndPart::kMaxClasses);
        for (size_t i = 0; i < end.count; ++i)
            end.cls[i] = classIndex(part.classes[i]);
    }
    return end;
}

TSM_Scanner::Continuation TSM_Scanner::makeContinuation(const TSM_StartPart& step, const TSM_EndPart& end)
{
    Continuation k { makeStep(step), makeEnd(end) };
    if (k.step.kind == kClassStep && k.end.kind == kClassEnd) {
        std::array<uint8_t, 256> bits {};
        for (size_t c = 0; c < 256; ++c)
            bits[c] = static_cast<uint8_t>((m_classes[k.step.cls].contains(static_cast<int>(c)) ? kInStep : 0)
                | (m_classes[k.end.cls[0]].contains(static_cast<int>(c)) ? kOpensEnd : 0));
        k.stepTable = static_cast<int32_t>(m_stepTables.size());
        m_stepTables.push_back(bits);
    }
    return k;
}

// Lays the trie of words out breadth-first, the children of each node side by side. terminator >= 0
// makes it a keyword table's trie: every word counts in every state, followed by that class.
void TSM_Scanner::rebuildTrie(Trie& trie, const TSyntaxKeywords& words, int terminator)
{
    trie.root.fill(-1);
    trie.chars.clear();
    trie.nodes.clear();
    trie.defs.clear();
    trie.fold = words.caseSensitive() ? identityTable().data() : TSyntaxKeywords::foldTable().data();
    trie.checkStates = terminator < 0;

    // Pairs of (source node, index of its copy).
    std::deque<std::pair<int32_t, int32_t>> queue;
    auto addChildren = [&](int32_t firstSource) {
        auto first = static_cast<int32_t>(trie.nodes.size());
        for (int32_t n = firstSource; n != TSyntaxKeywords::kNoNode; n = words.node(n).sibling) {
            queue.emplace_back(n, static_cast<int32_t>(trie.nodes.size()));
            trie.chars.push_back(words.node(n).ch);
            trie.nodes.emplace_back();
        }
        return std::pair(first, static_cast<int32_t>(trie.nodes.size()) - first);
    };
    for (int c = 0; c < 256; ++c) {
        int32_t n = words.rootChild(static_cast<uint8_t>(c));
        if (n == TSyntaxKeywords::kNoNode)
            continue;
        trie.root[static_cast<size_t>(c)] = static_cast<int32_t>(trie.nodes.size());
        queue.emplace_back(n, static_cast<int32_t>(trie.nodes.size()));
        trie.chars.push_back(static_cast<uint8_t>(c));
        trie.nodes.emplace_back();
    }
    while (!queue.empty()) {
        auto [source, copy] = queue.front();
        queue.pop_front();
        const TSyntaxKeywords::Node& from = words.node(source);
        auto [first, count] = addChildren(from.child);
        Trie::Node& to = trie.nodes[static_cast<size_t>(copy)];
        to.firstChild = first;
        to.childCount = static_cast<uint16_t>(count);
        to.firstDef = static_cast<int32_t>(trie.defs.size());
        for (const TSM_KeywordDefinition& d : from.definitions) {
            WordDef def;
            def.states = d.states;
            def.follow = terminator >= 0 ? static_cast<uint16_t>(terminator) : classIndex(d.follow);
            def.token = d.token;
            trie.defs.push_back(def);
        }
        to.defCount = static_cast<uint16_t>(from.definitions.size());
    }
}

void TSM_Scanner::rebuild()
{
    const SchemeTable& table = m_owner.table();

    m_classes.clear();
    for (size_t i = 0; i < table.charClasses().size(); ++i)
        m_classes.push_back(table.charClass(static_cast<uint16_t>(i)).members());

    rebuildTrie(m_store, table.keywords(), -1);
    const auto& kwTables = table.settings().keywordTables;
    m_kwTables.resize(kwTables.size());
    for (size_t i = 0; i < kwTables.size(); ++i) {
        auto terminator = static_cast<int>(m_classes.size());
        m_classes.push_back(kwTables[i].terminator().members());
        rebuildTrie(m_kwTables[i], kwTables[i].index(), terminator);
        m_kwTables[i].states = kwTables[i].states();
    }
    m_activeKw.reserve(m_kwTables.size());

    m_handlers.clear();
    m_stepTables.clear();
    m_handlerOf.fill(-1);
    for (int v = 0; v < 256; ++v) {
        if (const TSM_Handler* h = table.handler(static_cast<uint8_t>(v))) {
            m_handlerOf[static_cast<size_t>(v)] = static_cast<int16_t>(m_handlers.size());
            m_handlers.push_back(makeContinuation(h->start, h->end));
        }
    }

    m_entries.clear();
    m_tokenTables.clear();
    m_stateTable.fill(-1);
    auto addTable = [&](const TSM_TokenTable& t) {
        std::array<int32_t, 256> slots;
        slots.fill(-1);
        for (int c = 0; c < 256; ++c) {
            const TSM_TokenRecord* r = t.entry(static_cast<uint8_t>(c));
            if (!r)
                continue;
            TokenEntry e;
            e.states = r->states;
            e.token = r->token;
            if (r->start.numeric && r->start.routine >= scan::kFirstBuiltIn && r->start.routine <= scan::kLastBuiltIn)
                e.builtIn = r->start.routine - scan::kBuiltInOffset;
            e.body = makeContinuation(r->body, r->end);
            e.hasBody = r->body.numeric || r->body.charClass != TSM_CharGroupManager::kEmptyClass || r->end.exists();
            slots[static_cast<size_t>(c)] = static_cast<int32_t>(m_entries.size());
            m_entries.push_back(e);
        }
        m_tokenTables.push_back(slots);
    };
    addTable(table.tokenTable());
    m_hasStateTables = false;
    for (int s = 0; s < 256; ++s) {
        if (const TSM_TokenTable* t = table.stateTable(static_cast<uint8_t>(s))) {
            m_stateTable[static_cast<size_t>(s)] = static_cast<int16_t>(m_tokenTables.size());
            addTable(*t);
            m_hasStateTables = true;
        }
    }

    for (int v = 0; v < 256; ++v) {
        auto i = static_cast<size_t>(v);
        const TSM_TokenValueRecord* r = table.tokenValue(static_cast<uint8_t>(v));
        m_values[i] = ValueRecord();
        m_valueFlags[i] = 0;
        if (!r)
            continue;
        m_values[i] = { r->valid, r->entry, r->exit, r->unchanged, r->actions };
        m_valueFlags[i] = kHasRecord;
        if (!r->unchanged || (r->actions & 15) != 0)
            m_valueFlags[i] |= kActs;
        if (r->container)
            m_valueFlags[i] |= kContainer;
    }
    for (int v = 0; v < 256; ++v)
        m_contextStates[static_cast<size_t>(v)] = table.contextStates(static_cast<uint8_t>(v));
    m_startStates = table.startStates();
    m_boundStates = table.boundStates();
    m_built = true;
}

// ---- States ----------------------------------------------------------------------------------------------

void TSM_Scanner::reset(int value)
{
    rebuild();
    const Set256* context = value >= 0 && value <= 255 ? &m_contextStates[static_cast<size_t>(value)] : nullptr;
    m_states = context && !context->empty() ? *context : m_startStates;
    m_stack.clear();
    m_inContainer = false;
    m_busy = false;
    m_containerEnd = 0;
    m_containerValue = 0;
    statesChanged();
}

bool TSM_Scanner::inBoundState() const
{
    return shares(m_states, m_boundStates);
}

void TSM_Scanner::statesChanged()
{
    for (WordDef& d : m_store.defs)
        d.active = shares(d.states, m_states);
    m_activeKw.clear();
    for (const Trie& t : m_kwTables)
        if (shares(t.states, m_states))
            m_activeKw.push_back(&t);
    for (size_t c = 0; c < 256; ++c) {
        uint8_t starts = m_store.root[m_store.fold[c]] >= 0 ? kStoreWord : 0;
        for (const Trie* t : m_activeKw)
            if (t->root[t->fold[c]] >= 0)
                starts |= kTableWord;
        m_wordStart[c] = starts;
    }

    // The table for all states; with tables of their own, that of the lowest current state that has
    // one. When no current state has one, the table for all states still holds.
    size_t tableIndex = 0;
    if (m_hasStateTables) {
        for (int s = 0; s < 256; ++s) {
            if (m_stateTable[static_cast<size_t>(s)] >= 0 && m_states.contains(s)) {
                tableIndex = static_cast<size_t>(m_stateTable[static_cast<size_t>(s)]);
                break;
            }
        }
    }
    const auto& slots = m_tokenTables[tableIndex];
    for (size_t c = 0; c < 256; ++c) {
        int32_t e = slots[c];
        m_startEntry[c] = e >= 0 && shares(m_entries[static_cast<size_t>(e)].states, m_states)
            ? &m_entries[static_cast<size_t>(e)]
            : nullptr;
    }
    for (size_t v = 0; v < 256; ++v)
        m_validNow[v] = !(m_valueFlags[v] & kHasRecord) || shares(m_values[v].valid, m_states);
}

void TSM_Scanner::applyActions(uint8_t value)
{
    const ValueRecord& r = m_values[value];
    Set256 states = m_states;
    if (r.actions & TSM_TokenValueRecord::PopBefore)
        m_stack.pop(states);
    else if (r.actions & TSM_TokenValueRecord::PushBefore)
        m_stack.push(states);
    if (!r.unchanged) {
        states |= r.entry;
        states -= r.exit;
    }
    if (r.actions & TSM_TokenValueRecord::PopAfter)
        m_stack.pop(states);
    else if (r.actions & TSM_TokenValueRecord::PushAfter)
        m_stack.push(states);
    if (!(states == m_states)) {
        m_states = states;
        statesChanged();
    }
}

// State actions of the token's value, then the container state.
void TSM_Scanner::afterToken(uint8_t value, int64_t pos, bool atEnd)
{
    uint8_t flags = m_valueFlags[value];
    bool enters = !m_inContainer && (flags & kContainer);
    Set256 before;
    if (enters)
        before = m_states;
    if (flags & kActs)
        applyActions(value);
    if (enters) {
        m_inContainer = true;
        m_containerSaved = before;
        m_containerEnd = pos;
        m_containerValue = value;
    } else if (m_inContainer && (pos >= m_containerEnd || atEnd)) {
        m_inContainer = false;
        if (!(m_containerSaved == m_states)) {
            m_states = m_containerSaved;
            statesChanged();
        }
    }
    m_busy = m_inContainer;
}

// ---- Recognising ---------------------------------------------------------------------------------------

// Whether node ends a word that counts before the character next; sets value to its token value.
inline bool TSM_Scanner::wordEnds(const Trie& trie, const Trie::Node& n, uint8_t next, uint8_t& value) const
{
    const WordDef* d = &trie.defs[static_cast<size_t>(n.firstDef)];
    for (const WordDef* e = d + n.defCount; d < e; ++d) {
        if (d->active && contains(d->follow, next)) {
            value = d->token;
            return true;
        }
    }
    return false;
}

// The child of n for the text character c, or -1.
inline int32_t TSM_Scanner::childOf(const Trie& trie, const Trie::Node& n, uint8_t c)
{
    const uint8_t k = trie.fold[c];
    const uint8_t* first = trie.chars.data() + n.firstChild;
    const uint8_t* last = first + n.childCount;
    for (const uint8_t* x = first; x < last; ++x)
        if (*x == k)
            return n.firstChild + static_cast<int32_t>(x - first);
    return -1;
}

// Walks the trie on the characters of the current segment without moving the stream; a word that may
// run on past the segment is left to matchWordAcross.
int64_t TSM_Scanner::matchWord(const Trie& trie, CharStream& s, uint8_t& value) const
{
    const uint8_t* p = s.segmentCursor();
    const uint8_t* e = s.segmentEnd();
    if (p == e)
        return matchWordAcross(trie, s, value);
    int32_t node = trie.root[trie.fold[*p]];
    if (node < 0)
        return 0;
    int64_t best = 0;
    for (const uint8_t* q = p + 1;; ++q) {
        if (q == e)
            return matchWordAcross(trie, s, value);
        const Trie::Node& n = trie.nodes[static_cast<size_t>(node)];
        if (n.defCount && wordEnds(trie, n, *q, value))
            best = q - p;
        node = childOf(trie, n, *q);
        if (node < 0)
            return best;
    }
}

// The walk through the stream's stepping, across segments and up to its end (where the follow classes
// see character 0). Leaves the stream anywhere after the start.
int64_t TSM_Scanner::matchWordAcross(const Trie& trie, CharStream& s, uint8_t& value) const
{
    int32_t node = trie.root[trie.fold[s.current()]];
    if (node < 0)
        return 0;
    s.next();
    int64_t depth = 1;
    int64_t best = 0;
    for (;;) {
        const Trie::Node& n = trie.nodes[static_cast<size_t>(node)];
        const bool end = s.atEnd();
        const uint8_t next = end ? 0 : s.current();
        if (n.defCount && wordEnds(trie, n, next, value))
            best = depth;
        node = end ? -1 : childOf(trie, n, next);
        if (node < 0)
            return best;
        s.next();
        ++depth;
    }
}

bool TSM_Scanner::custom(int32_t id, CharStream& s, int64_t p0, uint8_t& value)
{
    if (!m_owner.OnCustomParse)
        return false;
    auto length = static_cast<int32_t>(std::min<int64_t>(s.position() - p0, std::numeric_limits<int32_t>::max()));
    int32_t v = value;
    if (!m_owner.OnCustomParse(m_owner, id, s, length, v))
        return false;
    value = static_cast<uint8_t>(v);
    return true;
}

bool TSM_Scanner::matchEnd(const End& end, CharStream& s, int64_t p0, uint8_t value)
{
    int64_t mark = s.position();
    bool matched = false;
    switch (end.kind) {
    case kClassEnd:
        // The first character is looked at in place: most tries fail there, without a step to undo.
        if (s.atEnd() || !contains(end.cls[0], s.current()))
            return false;
        matched = true;
        s.next();
        for (size_t i = 1; i < end.count && matched; ++i) {
            matched = !s.atEnd() && contains(end.cls[i], s.current());
            s.next();
        }
        break;
    case kRoutineEnd:
        matched = scan::runRoutine(end.routine, s, p0);
        break;
    case kCustomEnd:
        matched = custom(end.routine, s, p0, value);
        break;
    case kNoEnd:
        return false;
    }
    if (!matched || !end.consume || s.position() < mark)
        s.seek(mark);
    return matched;
}

// The loop that goes on after a token's first part, for a handler (body false) and for the body of a
// token entry (body true). Answers whether the token is complete; the stream stands after it.
TSM_Scanner::Outcome TSM_Scanner::runContinuation(
    const Continuation& k, CharStream& s, int64_t p0, uint8_t& value, bool body)
{
    const bool hasEnd = k.end.kind != kNoEnd;
    for (bool first = true;; first = false) {
        Outcome outcome;
        if (k.stepTable >= 0 && runClassSteps(k, s, first, outcome))
            return outcome;
        if (s.atEnd())
            return kComplete;
        if (hasEnd && (!first || k.step.repeat) && matchEnd(k.end, s, p0, value))
            return kComplete;
        int64_t before = s.position();
        switch (k.step.kind) {
        case kClassStep:
            if (!contains(k.step.cls, s.current()))
                return kFailed;
            s.next();
            break;
        case kRoutineStep:
            if (!scan::runRoutine(k.step.routine, s, p0))
                return kFailed;
            break;
        case kBuiltInStep:
            return scan::runRoutine(k.step.routine, s, p0) ? kComplete : kFailed;
        case kCustomStep: {
            uint8_t v = value;
            if (!custom(k.step.routine, s, p0, v))
                return kFailed;
            if (body) {
                value = v;
                return kComplete;
            }
            break;
        }
        case kNoStep:
            return kFailed;
        }
        // A step that took nothing cannot take more in the next round.
        if (!hasEnd || s.position() <= before)
            return kComplete;
    }
}

// The rounds of a class step and a class end inside the current segment, on plain pointers: answers true
// with the outcome when the token ends or fails there, false when a round must cross the segment's end
// (the stream then stands where that round begins, and first tells whether it is the first round).
bool TSM_Scanner::runClassSteps(const Continuation& k, CharStream& s, bool& first, Outcome& outcome) const
{
    const std::array<uint8_t, 256>& bits = m_stepTables[static_cast<size_t>(k.stepTable)];
    const End& end = k.end;
    const uint8_t* p = s.segmentCursor();
    const uint8_t* e = s.segmentEnd();
    const bool endFirst = k.step.repeat;
    for (; p < e; ++p, first = false) {
        const uint8_t b = bits[*p];
        if ((b & kOpensEnd) && (!first || endFirst)) {
            if (p + end.count > e)
                break; // the closing sequence may run on into the next segment
            size_t i = 1;
            while (i < end.count && contains(end.cls[i], p[i]))
                ++i;
            if (i == end.count) {
                s.setSegmentCursor(end.consume ? p + end.count : p);
                outcome = kComplete;
                return true;
            }
        }
        if (!(b & kInStep)) {
            s.setSegmentCursor(p);
            outcome = kFailed;
            return true;
        }
    }
    s.setSegmentCursor(p);
    return false;
}

uint8_t TSM_Scanner::next(CharStream& s, int32_t& length)
{
    if (!m_built)
        reset(-1);
    const int64_t p0 = s.position();
    if (s.atEnd()) {
        length = 0;
        afterToken(0, p0, true);
        return 0;
    }
    const uint8_t c0 = s.current();

    uint8_t value = 0;
    bool fromKeywordTable = false;
    Outcome outcome = kComplete;
    const uint8_t starts = m_wordStart[c0];
    int64_t word = (starts & kStoreWord) ? matchWord(m_store, s, value) : 0;
    if (word == 0 && (starts & kTableWord)) {
        for (const Trie* t : m_activeKw) {
            s.seek(p0);
            uint8_t v = 0;
            int64_t w = matchWord(*t, s, v);
            if (w > word) {
                word = w;
                value = v;
            }
        }
        fromKeywordTable = word > 0;
    }

    if (word > 0) {
        s.seek(p0 + word);
        int16_t h = m_handlerOf[value];
        if (h >= 0)
            outcome = runContinuation(m_handlers[static_cast<size_t>(h)], s, p0, value, false);
    } else if (const TokenEntry* e = m_startEntry[c0]) {
        value = e->token;
        s.seek(p0);
        if (e->builtIn >= 0) {
            outcome = scan::runRoutine(e->builtIn, s, p0) ? kComplete : kFailed;
        } else {
            s.next();
            if (e->hasBody)
                outcome = runContinuation(e->body, s, p0, value, true);
        }
    } else {
        s.seek(p0 + 1);
    }

    int64_t pos = s.position();
    if (outcome == kFailed || pos <= p0 || (!fromKeywordTable && !m_validNow[value])) {
        value = 0;
        s.seek(p0 + 1);
        pos = s.position();
    }
    length = static_cast<int32_t>(std::min<int64_t>(pos - p0, std::numeric_limits<int32_t>::max()));
    afterToken(value, pos, s.atEnd());
    return value;
}

} // namespace lrl
