#include "browser/IniFile.h"

#include "browser/TextCompare.h"
#include "common/Exception.h"
#include "common/Format.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

namespace fs = std::filesystem;

namespace lrl {

namespace {

    std::string_view trim(std::string_view s)
    {
        size_t b = 0;
        size_t e = s.size();
        while (b < e && (s[b] == ' ' || s[b] == '\t'))
            ++b;
        while (e > b && (s[e - 1] == ' ' || s[e - 1] == '\t'))
            --e;
        return s.substr(b, e - b);
    }

    // The section name of a header line "[name]", if the line is one.
    std::optional<std::string_view> sectionName(std::string_view line)
    {
        line = trim(line);
        if (line.size() < 2 || line.front() != '[')
            return std::nullopt;
        size_t close = line.rfind(']');
        if (close == 0 || close == std::string_view::npos)
            return std::nullopt;
        return trim(line.substr(1, close - 1));
    }

    // Splits "key=value"; false for lines without "=" and comments.
    bool splitEntry(std::string_view line, std::string_view& key, std::string_view& value)
    {
        std::string_view t = trim(line);
        if (t.empty() || t.front() == ';')
            return false;
        size_t eq = line.find('=');
        if (eq == std::string_view::npos)
            return false;
        key = trim(line.substr(0, eq));
        value = trim(line.substr(eq + 1));
        return true;
    }

} // namespace

IniFile IniFile::load(const std::string& path)
{
    std::error_code ec;
    if (!fs::exists(path, ec))
        return IniFile();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw EFOpenError(format("Cannot open file \"%s\". %s", path.c_str(), std::strerror(errno)));
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return parse(bytes.str());
}

IniFile IniFile::parse(std::string_view text)
{
    IniFile ini;
    while (!text.empty()) {
        size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        ini.m_lines.emplace_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return ini;
}

size_t IniFile::findSection(std::string_view section) const
{
    for (size_t i = 0; i < m_lines.size(); ++i) {
        auto name = sectionName(m_lines[i]);
        if (name && sameText(*name, section))
            return i;
    }
    return std::string::npos;
}

size_t IniFile::sectionEnd(size_t header) const
{
    size_t i = header + 1;
    while (i < m_lines.size() && !sectionName(m_lines[i]))
        ++i;
    return i;
}

size_t IniFile::findKey(size_t header, std::string_view key) const
{
    size_t end = sectionEnd(header);
    for (size_t i = header + 1; i < end; ++i) {
        std::string_view k;
        std::string_view v;
        if (splitEntry(m_lines[i], k, v) && sameText(k, key))
            return i;
    }
    return std::string::npos;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    size_t header = findSection(section);
    if (header == std::string::npos)
        return std::nullopt;
    size_t at = findKey(header, key);
    if (at == std::string::npos)
        return std::nullopt;
    std::string_view k;
    std::string_view v;
    splitEntry(m_lines[at], k, v);
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.substr(1, v.size() - 2);
    return std::string(v);
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    std::string line(key);
    line += '=';
    for (char c : value)
        line += (c == '\r' || c == '\n') ? ' ' : c;
    size_t header = findSection(section);
    if (header == std::string::npos) {
        if (!m_lines.empty() && !trim(m_lines.back()).empty())
            m_lines.emplace_back();
        m_lines.push_back("[" + std::string(section) + "]");
        m_lines.push_back(std::move(line));
        return;
    }
    size_t at = findKey(header, key);
    if (at != std::string::npos) {
        m_lines[at] = std::move(line);
        return;
    }
    // After the section's last non-blank line, so that a blank line before the next section stays.
    size_t insertAt = sectionEnd(header);
    while (insertAt > header + 1 && trim(m_lines[insertAt - 1]).empty())
        --insertAt;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(insertAt), std::move(line));
}

std::string IniFile::text() const
{
    std::string out;
    for (const auto& line : m_lines) {
        out += line;
        out += "\r\n";
    }
    return out;
}

void IniFile::save(const std::string& path) const
{
    fs::path target(path);
    std::error_code ec;
    if (target.has_parent_path())
        fs::create_directories(target.parent_path(), ec);
    std::ostringstream suffix;
    suffix << ".tmp" << std::random_device {}();
    fs::path temp = target;
    temp += suffix.str();
    std::string bytes = text();
    bool written = false;
    {
        std::ofstream out(temp, std::ios::binary | std::ios::trunc);
        if (out) {
            out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
            out.close();
            written = !out.fail();
        }
    }
    int error = errno;
    if (written) {
        fs::rename(temp, target, ec);
        if (!ec)
            return;
        error = ec.value();
    }
    fs::remove(temp, ec);
    throw EFCreateError(format("Cannot create file \"%s\". %s", path.c_str(), std::strerror(error)));
}

} // namespace lrl
