#include "browser/FormFileDisplay.h"

#include "browser/BrowserViewer.h"
#include "browser/formconv/FormConvert.h"
#include "common/Exception.h"
#include "common/FileStream.h"

#include <cstdint>
#include <span>

namespace lrl {

namespace {

std::vector<uint8_t> readWholeFile(const std::string& path)
{
    FileStream in(path, FileStream::Mode::OpenRead);
    std::vector<uint8_t> bytes;
    uint8_t chunk[65536];
    while (size_t got = in.read(chunk, sizeof chunk))
        bytes.insert(bytes.end(), chunk, chunk + got);
    return bytes;
}

// Where a line opens binary data: the position of its first "{" outside quoted strings, or npos.
// A quote doubled inside a string toggles twice and so keeps the string open, as it should.
size_t binaryOpening(const std::string& line)
{
    bool quoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\'')
            quoted = !quoted;
        else if (line[i] == '{' && !quoted)
            return i;
    }
    return std::string::npos;
}

} // namespace

std::string formFileErrorText(const std::string& message)
{
    return kFormFileErrorLead + message + "\r\n\r\n" + kNotBinaryForm;
}

std::vector<std::string> splitLines(std::string_view text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] != '\r' && text[i] != '\n')
            continue;
        lines.emplace_back(text.substr(start, i - start));
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        start = i + 1;
    }
    if (start < text.size())
        lines.emplace_back(text.substr(start));
    return lines;
}

std::vector<std::string> suppressBinaryData(const std::vector<std::string>& lines)
{
    std::vector<std::string> kept;
    bool copying = true;
    for (const std::string& line : lines) {
        if (!copying) {
            // Hexadecimal digits only; the line with the closing brace ends the data.
            if (line.find('}') != std::string::npos)
                copying = true;
            continue;
        }
        size_t open = binaryOpening(line);
        if (open == std::string::npos) {
            kept.push_back(line);
            continue;
        }
        kept.push_back(line.substr(0, open + 1) + kBinaryDataSuppressed);
        copying = line.find('}', open) != std::string::npos;
    }
    return kept;
}

void convertFormFile(const std::string& path, BrowserViewer& viewer, bool supBData, int legacyCodePage)
{
    std::string text;
    try {
        std::vector<uint8_t> bytes = readWholeFile(path);
        text = formFileText(std::span<const uint8_t>(bytes), legacyCodePage);
    } catch (const std::exception& e) {
        throw Exception(formFileErrorText(e.what()));
    }
    if (supBData)
        viewer.setLines(suppressBinaryData(splitLines(text)));
    else
        viewer.loadText(text);
}

} // namespace lrl
