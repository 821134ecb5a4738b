#include "viewer/TMemoSearch.h"

#include "common/Format.h"
#include "viewer/PlainSearch.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/TEdStream.h"

#include <algorithm>

namespace lrl {

TMemoSearch::TMemoSearch(TCustomSyntaxMemo& memo)
    : m_memo(memo)
{
}

TMemoSearch::~TMemoSearch() = default;

std::string TMemoSearch::notFoundText(const std::string& searchText)
{
    return "Search string \"" + searchText + "\" not found.";
}

bool TMemoSearch::findText(const std::string& text, TSearchResult& result, uint16_t flags)
{
    m_lastText = text;
    m_lastFlags = flags;
    // The flag asks for a pattern; without it the dialog keeps the mode the user chose in it.
    if (flags & sfRegExpr)
        m_regexMode = true;
    if (m_memo.textStore().empty())
        return false;
    if (flags & sfFindNow) {
        rememberSearch(text, flags);
        return search(text, flags, result);
    }

    m_dialog.create = !m_dialogCreated;
    if (!m_dialogCreated) {
        m_dialog.matchCase = (flags & sfMatchCase) != 0;
        m_dialog.wholeWord = (flags & sfWholeWord) != 0;
        m_dialog.down = (flags & sfBackward) == 0;
        m_dialogCreated = true;
    }
    m_dialog.findText = text;
    if (text.empty() && m_memo.selStart() != m_memo.selEnd() && !m_regexMode)
        m_dialog.findText = m_memo.selText();
    m_lastMatchStart = -1;
    return false;
}

bool TMemoSearch::findNext(const TFindRequest& request)
{
    uint16_t flags = sfFindNow;
    if (request.matchCase)
        flags |= sfMatchCase;
    if (request.wholeWord)
        flags |= sfWholeWord;
    if (!request.down)
        flags |= sfBackward;
    if (m_regexMode)
        flags |= sfRegExpr;
    if (m_memo.textStore().empty())
        return false;
    rememberSearch(request.text, flags);
    if (request.unmatchable) {
        reportNotFound(request.text);
        return false;
    }
    TSearchResult result;
    return search(request.text, flags, result);
}

bool TMemoSearch::findAgain(bool forward)
{
    if (!m_lastSearch || m_memo.textStore().empty())
        return false;
    uint16_t flags = static_cast<uint16_t>(m_lastSearch->flags | sfFindNow | (forward ? 0 : sfBackward));
    // A copy: the search may report and a message handler may start another search.
    const std::string text = m_lastSearch->text;
    TSearchResult result;
    return search(text, flags, result);
}

void TMemoSearch::rememberSearch(const std::string& text, uint16_t flags)
{
    if (text.empty())
        return;
    m_lastSearch = LastSearch { text, static_cast<uint16_t>(flags & (sfMatchCase | sfWholeWord | sfRegExpr)) };
}

bool TMemoSearch::search(const std::string& text, uint16_t flags, TSearchResult& result)
{
    const bool backward = flags & sfBackward;
    const int s = m_memo.selStart();
    const int e = m_memo.selEnd();
    if ((backward && s == 0) || (!backward && e >= m_memo.textStore().charCount())) {
        reportNotFound(text);
        return false;
    }
    // A new selection starts the search at its end; asking again after a match moves past that match.
    int from = e;
    if (s == m_lastMatchStart)
        from = backward ? s - 1 : std::max(e, s + 1);

    TEdStream stream(m_memo.textStore());
    const bool found = (flags & sfRegExpr) ? pattern(stream, text, flags, from, result)
                                           : plain(stream, text, flags, from, result);
    if (!found)
        return false;
    m_memo.setSelection(result.start, result.end);
    m_memo.scrollCaret();
    m_lastMatchStart = result.start;
    return true;
}

bool TMemoSearch::plain(
    TEdStream& stream, const std::string& text, uint16_t flags, int from, TSearchResult& result)
{
    m_skip.prepare(text, (flags & sfMatchCase) != 0);
    const auto dir = (flags & sfBackward) ? SearchDirection::Backward : SearchDirection::Forward;
    const WordTests* words = (flags & sfWholeWord) ? &m_memo.wordTests() : nullptr;
    const int64_t hit = plainSearch(stream, m_skip, from, dir, words);
    if (hit < 0) {
        reportNotFound(text);
        return false;
    }
    result.start = static_cast<int>(hit);
    result.end = static_cast<int>(hit + static_cast<int64_t>(text.size()));
    return true;
}

bool TMemoSearch::pattern(
    TEdStream& s, const std::string& text, uint16_t flags, int from, TSearchResult& result)
{
    if (!m_parser.compile(text)) {
        report(TSearchMessage::Error, m_parser.errorText());
        return false;
    }
    s.seek(from);
    try {
        if (!m_parser.search(
                s, (flags & sfBackward) ? SearchDirection::Backward : SearchDirection::Forward)) {
            reportNotFound(text);
            return false;
        }
    } catch (const ERegexError& error) {
        report(TSearchMessage::Error, error.boxText());
        return false;
    }
    result.start = static_cast<int>(m_parser.matchStart());
    result.end = static_cast<int>(m_parser.matchEnd());
    return true;
}

void TMemoSearch::report(TSearchMessage::Kind kind, const std::string& text)
{
    m_message = { kind, text };
    if (onMessage)
        onMessage(m_message);
}

void TMemoSearch::reportNotFound(const std::string& text)
{
    if (onSearchFail) {
        onSearchFail(m_memo, text);
        return;
    }
    report(TSearchMessage::NotFound, notFoundText(text));
}

} // namespace lrl
