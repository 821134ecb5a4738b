#pragma once

#include "viewer/SearchDirection.h"
#include "viewer/TREParser.h"
#include "viewer/TSkipTable.h"

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

namespace lrl {

class TCustomSyntaxMemo;
class TEdStream;

// The flag bits of FindText.
enum TSearchFlag : uint16_t {
    sfFindNow = 8, // search at once, without the Find dialog
    sfMatchCase = 16, // plain search only
    sfRegExpr = 32,
    sfWholeWord = 64, // plain search only
    sfBackward = 128,
};

// FindText's result: the match, from start to end.
struct TSearchResult {
    int start = -1;
    int end = -1;
};

// How the Find dialog is to open after a FindText without sfFindNow. The option boxes are set from the
// flags only when the dialog is created (first use); afterwards it keeps what the user chose.
struct TFindDialogSetup {
    bool create = false;
    std::string findText;
    bool matchCase = false;
    bool wholeWord = false;
    bool down = true;
};

// One request of the Find dialog (its Find Next).
struct TFindRequest {
    std::string text;
    bool matchCase = false;
    bool wholeWord = false;
    bool down = true;
    // The text holds characters the text's code page lacks: nothing is searched, it is not found.
    bool unmatchable = false;
};

// A message for the user: the not-found notice or the three-line error text of a pattern.
struct TSearchMessage {
    enum Kind { None, NotFound, Error } kind = None;
    std::string text;
};

// The viewer's search: FindText, the Find dialog's requests, where a search starts, the plain and the
// pattern search through a TEdStream over the viewer's store (made for each search, so that it always
// reads the store the viewer shows), selecting the match, and reporting failures. It works on a
// TCustomSyntaxMemo and keeps the viewer's search state; the Qt layer shows the Find dialog (dialogSetup())
// and the message boxes (onMessage).
class TMemoSearch {
public:
    explicit TMemoSearch(TCustomSyntaxMemo& memo);
    ~TMemoSearch();
    TMemoSearch(const TMemoSearch&) = delete;
    TMemoSearch& operator=(const TMemoSearch&) = delete;

    // Stores text as the last search text and runs the search with the flags. With sfFindNow, answers
    // whether the text was found and fills result; without, prepares the Find dialog (dialogSetup()),
    // forgets the last match and answers false. sfRegExpr switches the regular-expression mode on; a
    // call without it leaves the mode as it is.
    bool findText(const std::string& text, TSearchResult& result, uint16_t flags);

    // The Find dialog's request: searches with its text and options, in the viewer's regular-expression
    // mode, selects the match and reports a failure. Answers whether it found one.
    bool findNext(const TFindRequest& request);

    // Find Next and Find Previous without the dialog: the last search that ran (a Find Next of the
    // dialog, or a FindText with sfFindNow) again, with its text, options and mode as they were then,
    // forwards or backwards. Answers whether it found; false when no search ran yet (hasLastSearch).
    bool findAgain(bool forward);
    bool hasLastSearch() const { return m_lastSearch.has_value(); }

    const TFindDialogSetup& dialogSetup() const { return m_dialog; }
    bool regexMode() const { return m_regexMode; }
    void setRegexMode(bool on) { m_regexMode = on; }
    const std::string& lastSearchText() const { return m_lastText; }
    uint16_t lastFlags() const { return m_lastFlags; }
    // The start offset of the last match, -1 when none.
    int lastMatchStart() const { return m_lastMatchStart; }
    TREParser& parser() { return m_parser; }

    // OnSearchFail (Sender, SearchString): called instead of the not-found message when set.
    std::function<void(TCustomSyntaxMemo&, const std::string&)> onSearchFail;
    // Shows a message to the user (the Qt layer's message box); the last one is also kept.
    std::function<void(const TSearchMessage&)> onMessage;
    const TSearchMessage& lastMessage() const { return m_message; }

    // The not-found notice for a search text.
    static std::string notFoundText(const std::string& searchText);

private:
    bool search(const std::string& text, uint16_t flags, TSearchResult& result);
    bool plain(TEdStream& stream, const std::string& text, uint16_t flags, int from, TSearchResult& result);
    bool pattern(TEdStream& stream, const std::string& text, uint16_t flags, int from, TSearchResult& result);
    void report(TSearchMessage::Kind kind, const std::string& text);
    void reportNotFound(const std::string& text);
    // Keeps a search that runs now as the one findAgain repeats: its text and option flags.
    void rememberSearch(const std::string& text, uint16_t flags);

    struct LastSearch {
        std::string text;
        uint16_t flags = 0; // sfMatchCase, sfWholeWord, sfRegExpr
    };
    std::optional<LastSearch> m_lastSearch;

    TCustomSyntaxMemo& m_memo;
    TREParser m_parser;
    TSkipTable m_skip;
    std::string m_lastText;
    uint16_t m_lastFlags = 0;
    int m_lastMatchStart = -1;
    bool m_regexMode = false;
    bool m_dialogCreated = false;
    TFindDialogSetup m_dialog;
    TSearchMessage m_message;
};

} // namespace lrl
