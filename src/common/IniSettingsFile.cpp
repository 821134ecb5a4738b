#include "common/IniSettingsFile.h"

#include <fstream>
#include <iterator>
#include <optional>
#include <sstream>
#include <vector>

namespace lrl {

namespace {

int hexValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// A section or value name: "%XX" names the byte XX.
std::string unescapeName(std::string_view name)
{
    std::string out;
    for (size_t i = 0; i < name.size(); ++i) {
        if (name[i] == '%' && i + 2 < name.size() && hexValue(name[i + 1]) >= 0
            && hexValue(name[i + 2]) >= 0) {
            out += static_cast<char>(hexValue(name[i + 1]) * 16 + hexValue(name[i + 2]));
            i += 2;
        } else {
            out += name[i];
        }
    }
    return out;
}

void appendUtf8(std::string& out, uint32_t code)
{
    if (code < 0x80) {
        out += static_cast<char>(code);
    } else if (code < 0x800) {
        out += static_cast<char>(0xC0 | (code >> 6));
        out += static_cast<char>(0x80 | (code & 0x3F));
    } else {
        out += static_cast<char>(0xE0 | (code >> 12));
        out += static_cast<char>(0x80 | ((code >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (code & 0x3F));
    }
}

// One value as a list of texts: quoted parts keep commas, unquoted commas separate entries, blanks
// around unquoted parts go. Escaped characters come out as UTF-8 (each is one 16-bit character).
std::vector<std::string> unescapeValue(std::string_view text)
{
    std::vector<std::string> items(1);
    // The length of the current item up to its last quoted or escaped character: trailing blanks
    // after it are trimmed, those inside quotes kept.
    size_t kept = 0;
    bool quoted = false;
    auto trim = [&] {
        std::string& item = items.back();
        while (item.size() > kept && (item.back() == ' ' || item.back() == '\t'))
            item.pop_back();
    };
    size_t i = 0;
    while (i < text.size()) {
        char c = text[i++];
        std::string& item = items.back();
        if (c == '"') {
            quoted = !quoted;
            kept = item.size();
            continue;
        }
        if (c == ',' && !quoted) {
            trim();
            items.emplace_back();
            kept = 0;
            continue;
        }
        if (c == '\\' && i < text.size()) {
            char e = text[i++];
            switch (e) {
            case 'a':
                item += '\a';
                break;
            case 'b':
                item += '\b';
                break;
            case 'f':
                item += '\f';
                break;
            case 'n':
                item += '\n';
                break;
            case 'r':
                item += '\r';
                break;
            case 't':
                item += '\t';
                break;
            case 'v':
                item += '\v';
                break;
            case 'x': {
                uint32_t code = 0;
                while (i < text.size() && hexValue(text[i]) >= 0)
                    code = ((code << 4) | static_cast<uint32_t>(hexValue(text[i++]))) & 0xFFFF;
                appendUtf8(item, code);
                break;
            }
            default:
                if (e >= '0' && e <= '7') {
                    uint32_t code = static_cast<uint32_t>(e - '0');
                    while (i < text.size() && text[i] >= '0' && text[i] <= '7')
                        code = ((code << 3) | static_cast<uint32_t>(text[i++] - '0')) & 0xFFFF;
                    appendUtf8(item, code);
                } else {
                    item += e; // \" \\ and any other escaped character stand for themselves
                }
            }
            kept = item.size();
            continue;
        }
        if (quoted) {
            item += c;
            kept = item.size();
        } else if ((c != ' ' && c != '\t') || item.size() > 0) {
            item += c;
        }
    }
    trim();
    return items;
}

// UTF-8 characters back to the bytes of a byte array (each character is one byte).
std::optional<std::vector<uint8_t>> latin1Bytes(std::string_view text)
{
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        auto c = static_cast<uint8_t>(text[i]);
        if (c < 0x80) {
            bytes.push_back(c);
        } else if ((c & 0xE0) == 0xC0 && i + 1 < text.size()) {
            uint32_t code = ((c & 0x1Fu) << 6) | (static_cast<uint8_t>(text[++i]) & 0x3Fu);
            if (code > 0xFF)
                return std::nullopt;
            bytes.push_back(static_cast<uint8_t>(code));
        } else {
            return std::nullopt;
        }
    }
    return bytes;
}

void store(
    MemorySettingsStore& out, const std::string& section, const std::string& name, std::string_view raw)
{
    std::vector<std::string> items = unescapeValue(raw);
    if (items.size() != 1)
        return;
    const std::string& value = items.front();
    if (value.starts_with("@@")) {
        out.writeString(section, name, value.substr(1));
    } else if (value.starts_with("@String(") && value.ends_with(")")) {
        out.writeString(section, name, value.substr(8, value.size() - 9));
    } else if (value.starts_with("@ByteArray(") && value.ends_with(")")) {
        std::string_view inner = std::string_view(value).substr(11, value.size() - 12);
        if (std::optional<std::vector<uint8_t>> bytes = latin1Bytes(inner))
            out.writeBinary(section, name, *bytes);
    } else if (!value.starts_with("@")) {
        out.writeString(section, name, value);
    }
}

} // namespace

MemorySettingsStore IniSettingsFile::parse(std::string_view text)
{
    MemorySettingsStore out;
    std::string section = "General";
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        std::string_view line
            = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        pos = end == std::string_view::npos ? text.size() : end + 1;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        size_t first = line.find_first_not_of(" \t");
        if (first == std::string_view::npos || line[first] == ';' || line[first] == '#')
            continue;
        line.remove_prefix(first);
        if (line.front() == '[') {
            size_t close = line.find(']');
            if (close != std::string_view::npos)
                section = unescapeName(line.substr(1, close - 1));
            continue;
        }
        size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            continue;
        std::string_view name = line.substr(0, equals);
        while (!name.empty() && (name.back() == ' ' || name.back() == '\t'))
            name.remove_suffix(1);
        std::string_view value = line.substr(equals + 1);
        while (!value.empty() && (value.front() == ' ' || value.front() == '\t'))
            value.remove_prefix(1);
        store(out, section, unescapeName(name), value);
    }
    return out;
}

MemorySettingsStore IniSettingsFile::load(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return {};
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    return parse(text);
}

} // namespace lrl
