#include "support/FakePascalViewer.h"

#include "browser/TokenSink.h"
#include "common/Exception.h"

#include <algorithm>
#include <cctype>
#include <fstream>
#include <sstream>
#include <unordered_map>

namespace lrl::test {

namespace {

    bool isIdentStart(char c) { return std::isalpha(static_cast<unsigned char>(c)) || c == '_'; }

    bool isIdentChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

    int wordValue(std::string word)
    {
        static const std::unordered_map<std::string, int> words = {
            { "implementation", 35 },
            { "constructor", 62 },
            { "destructor", 63 },
            { "function", 64 },
            { "procedure", 65 },
            { "begin", 30 },
            { "case", 30 },
            { "try", 30 },
            { "end", 31 },
            { "unit", 4 },
            { "program", 4 },
            { "interface", 4 },
            { "uses", 4 },
            { "in", 4 },
            { "type", 4 },
            { "class", 4 },
            { "var", 4 },
            { "const", 4 },
            { "of", 4 },
            { "object", 4 },
            { "private", 4 },
            { "public", 4 },
            { "published", 4 },
            { "protected", 4 },
            { "if", 4 },
            { "then", 4 },
            { "else", 4 },
            { "while", 4 },
            { "do", 4 },
            { "for", 4 },
            { "to", 4 },
            { "overload", 4 },
            { "override", 4 },
            { "virtual", 4 },
            { "forward", 4 },
            { "finally", 4 },
            { "except", 4 },
            { "initialization", 4 },
            { "finalization", 4 },
            { "array", 4 },
            { "record", 4 },
            { "nil", 4 },
            { "not", 4 },
            { "and", 4 },
            { "or", 4 },
            { "div", 4 },
            { "mod", 4 },
            { "with", 4 },
            { "inherited", 4 },
            { "property", 4 },
            { "read", 4 },
            { "write", 4 },
        };
        std::transform(
            word.begin(), word.end(), word.begin(), [](unsigned char c) { return std::tolower(c); });
        auto it = words.find(word);
        return it == words.end() ? 2 : it->second;
    }

} // namespace

std::vector<FakeToken> fakePascalTokens(const std::string& text)
{
    std::vector<FakeToken> tokens;
    size_t i = 0;
    size_t n = text.size();
    auto until = [&](size_t from, const std::string& close) {
        size_t at = text.find(close, from);
        return at == std::string::npos ? n : at + close.size();
    };
    while (i < n) {
        size_t start = i;
        char c = text[i];
        int value;
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            while (i < n && (text[i] == ' ' || text[i] == '\t' || text[i] == '\r' || text[i] == '\n'))
                ++i;
            value = 61;
        } else if (c == '/' && i + 1 < n && text[i + 1] == '/') {
            while (i < n && text[i] != '\r' && text[i] != '\n')
                ++i;
            value = 1;
        } else if (c == '{') {
            i = until(i + 1, "}");
            value = 8;
        } else if (c == '(' && i + 1 < n && text[i + 1] == '*') {
            i = until(i + 2, "*)");
            value = 9;
        } else if (c == '\'') {
            ++i;
            while (i < n) {
                if (text[i] == '\'' && i + 1 < n && text[i + 1] == '\'') {
                    i += 2;
                } else if (text[i] == '\'' || text[i] == '\r') {
                    i += text[i] == '\'' ? 1 : 0;
                    break;
                } else {
                    ++i;
                }
            }
            value = 3;
        } else if (isIdentStart(c)) {
            while (i < n && isIdentChar(text[i]))
                ++i;
            value = wordValue(text.substr(start, i - start));
        } else if (std::isdigit(static_cast<unsigned char>(c))) {
            while (i < n && std::isalnum(static_cast<unsigned char>(text[i])))
                ++i;
            value = 6;
        } else {
            ++i;
            value = c == '.' ? 60 : 5;
        }
        tokens.push_back({ value, static_cast<int32_t>(start), static_cast<int32_t>(i) });
    }
    return tokens;
}

std::string toViewerText(const std::string& bytes)
{
    std::string out;
    out.reserve(bytes.size());
    for (size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n')
            continue;
        out += bytes[i] == '\n' ? '\r' : bytes[i];
    }
    return out;
}

int32_t offsetAfter(const std::string& source, const std::string& context, const std::string& word)
{
    std::string text = toViewerText(source);
    return static_cast<int32_t>(text.find(word, text.find(context)) + word.size());
}

void FakePascalViewer::load(const std::string& path)
{
    loads.push_back(path);
    if (failingPaths.count(path))
        throw EFOpenError("Cannot open file \"" + path + "\". Permission denied");
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EFOpenError("Cannot open file \"" + path + "\". No such file or directory");
    std::ostringstream bytes;
    bytes << in.rdbuf();
    setViewerText(bytes.str());
    if (!m_sink)
        return;
    for (const FakeToken& t : fakePascalTokens(m_text))
        m_sink->tokenSeen(t.value, t.start, t.end);
}

void FakePascalViewer::setViewerText(const std::string& bytes)
{
    m_text = toViewerText(bytes);
    m_lines = static_cast<int>(std::count(m_text.begin(), m_text.end(), '\r'));
    if (!m_text.empty() && m_text.back() != '\r')
        ++m_lines;
}

void FakePascalViewer::loadText(const std::string& text) { setViewerText(text); }

void FakePascalViewer::setLines(const std::vector<std::string>& lines)
{
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r";
    setViewerText(text);
    caret = 0;
}

std::string FakePascalViewer::tokenText(int32_t start, int32_t end) const
{
    if (start < 0 || end <= start || static_cast<size_t>(start) >= m_text.size())
        return {};
    return m_text.substr(static_cast<size_t>(start), static_cast<size_t>(end - start));
}

int FakePascalViewer::lineCount() const
{
    return forcedLineCount >= 0 ? forcedLineCount : m_lines;
}

} // namespace lrl::test
