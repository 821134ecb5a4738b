#pragma once

#include "browser/BrowserViewer.h"

#include <memory>

namespace lrl {

class TCustomSyntaxMemo;
class TEdStream;

// The browser's view of a real viewer: loads go through the viewer's own LoadFromFile, whose scan
// reports every token to OnTokenSeen; while a sink is set the adapter installs that notification and
// passes the tokens on. Whatever scanner the viewer is bound to does the scanning, so the browser reads
// exactly the tokens the viewer colours its text by.
class SyntaxMemoBrowserViewer : public BrowserViewer {
public:
    explicit SyntaxMemoBrowserViewer(TCustomSyntaxMemo& memo);
    ~SyntaxMemoBrowserViewer() override;
    SyntaxMemoBrowserViewer(const SyntaxMemoBrowserViewer&) = delete;
    SyntaxMemoBrowserViewer& operator=(const SyntaxMemoBrowserViewer&) = delete;

    TCustomSyntaxMemo& memo() { return m_memo; }

    void load(const std::string& path) override;
    void setTokenSink(TokenSink* sink) override;
    std::string tokenText(int32_t start, int32_t end) const override;
    void setLegacyCodePage(int codePage) override;
    SourceEncodingInfo sourceEncoding() const override;
    int lineCount() const override;
    int32_t textLength() const override;
    void clear() override;
    void suspendLineUpdates() override;
    void resumeLineUpdates() override;
    void setWordWrap(bool on) override;
    void setFocusLineVisible(bool on) override;
    void loadText(const std::string& text) override;
    void setLines(const std::vector<std::string>& lines) override;
    void moveCaretTo(int32_t offset) override;
    void showSelectionNearTop(int32_t start, int32_t end) override;

    // At most this many lines stand above a line shown near the top (fewer in a short view).
    static constexpr int kLinesAboveTop = 3;

private:
    TCustomSyntaxMemo& m_memo;
    TokenSink* m_sink = nullptr;
    // Tokens are read in text order, so one stream that stays near the last token finds each next one
    // without walking the line list from its start.
    std::unique_ptr<TEdStream> m_reader;
};

} // namespace lrl
