#pragma once

#include "browser/BrowserViewer.h"

#include <cstdint>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace lrl::test {

// One token of fakePascalTokens.
struct FakeToken {
    int value;
    int32_t start;
    int32_t end; // one past the last character
};

// A small stand-in for the Object Pascal scanner: splits text into the tokens the browser reads, with
// the token values of the stored scheme (1, 8, 9 comments, 2 identifier, 3 string with its quotes,
// 30 begin/case/try, 31 end, 35 implementation, 60 ".", 61 blanks, 62..65 the routine words). Other
// reserved words get 4, numbers 6, other symbols 5.
std::vector<FakeToken> fakePascalTokens(const std::string& text);

// The viewer's line ends: CR LF and lone LF become one CR, so that each line end counts one character.
std::string toViewerText(const std::string& bytes);

// The viewer offset just after word, searched from the first occurrence of context in source.
int32_t offsetAfter(const std::string& source, const std::string& context, const std::string& word);

// A viewer that keeps the text of the last loaded file and reports fakePascalTokens to its sink. It
// records what the browser asked of it.
class FakePascalViewer : public BrowserViewer {
public:
    void load(const std::string& path) override;
    void setTokenSink(TokenSink* sink) override { m_sink = sink; }
    std::string tokenText(int32_t start, int32_t end) const override;
    int lineCount() const override;
    int32_t textLength() const override { return static_cast<int32_t>(m_text.size()); }
    void clear() override
    {
        m_text.clear();
        m_lines = 0;
    }
    void suspendLineUpdates() override { ++suspendDepth; }
    void resumeLineUpdates() override { --suspendDepth; }
    void setWordWrap(bool on) override { wordWrap = on; }
    void setFocusLineVisible(bool on) override { focusLine = on; }
    void loadText(const std::string& text) override;
    void setLines(const std::vector<std::string>& lines) override;
    void moveCaretTo(int32_t offset) override { caret = offset; }
    void showSelectionNearTop(int32_t start, int32_t end) override { shownSelection = { start, end }; }

    const std::string& text() const { return m_text; }
    // Loads of these paths raise an error, as for an unreadable file.
    std::set<std::string> failingPaths;
    std::vector<std::string> loads;
    int suspendDepth = 0;
    bool wordWrap = true;
    bool focusLine = true;
    // Lines reported by lineCount when not negative (to drive the big-text paths).
    int forcedLineCount = -1;
    // Where moveCaretTo and setLines put the caret; -1 before either.
    int32_t caret = -1;
    // What showSelectionNearTop was last given; -1, -1 before.
    std::pair<int32_t, int32_t> shownSelection { -1, -1 };

private:
    void setViewerText(const std::string& bytes);

    TokenSink* m_sink = nullptr;
    std::string m_text;
    int m_lines = 0;
};

} // namespace lrl::test
