#include "cli/CliArgs.h"

#include "common/CodePage.h"

#include "browser/FilePaths.h"
#include "common/Exception.h"
#include "common/FileStream.h"
#include "common/Format.h"

#include <algorithm>
#include <filesystem>

namespace lrl::cli {

CliArgs::CliArgs(const std::vector<std::string>& args, const std::vector<std::string>& flags,
    const std::vector<std::string>& valued)
{
    auto contains = [](const std::vector<std::string>& v, const std::string& s) {
        return std::find(v.begin(), v.end(), s) != v.end();
    };
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& a = args[i];
        if (a.size() > 2 && a.rfind("--", 0) == 0) {
            std::string name = a;
            std::string val;
            auto eq = a.find('=');
            bool inlineValue = eq != std::string::npos;
            if (inlineValue) {
                name = a.substr(0, eq);
                val = a.substr(eq + 1);
            }
            if (contains(flags, name) && !inlineValue) {
                m_options.emplace_back(name, "");
            } else if (contains(valued, name)) {
                if (!inlineValue) {
                    if (i + 1 >= args.size())
                        throw UsageError { "option " + name + " needs a value" };
                    val = args[++i];
                }
                m_options.emplace_back(name, val);
            } else {
                throw UsageError { "unknown option " + a };
            }
        } else {
            m_positional.push_back(a);
        }
    }
}

bool CliArgs::has(const std::string& option) const
{
    return std::any_of(m_options.begin(), m_options.end(), [&](auto& o) { return o.first == option; });
}

std::string CliArgs::value(const std::string& option, const std::string& fallback) const
{
    for (auto it = m_options.rbegin(); it != m_options.rend(); ++it)
        if (it->first == option)
            return it->second;
    return fallback;
}

void CliArgs::expectPositional(size_t min, size_t max) const
{
    if (m_positional.size() < min)
        throw UsageError { "missing arguments" };
    if (m_positional.size() > max)
        throw UsageError { "too many arguments" };
}

const std::string& CliArgs::inputFile(size_t index) const
{
    const std::string& path = m_positional.at(index);
    requireRegularFile(path);
    return path;
}

void requireRegularFile(const std::string& path)
{
    std::error_code ec;
    if (std::filesystem::exists(path, ec) && !fileExists(path))
        throw EFOpenError(format("Cannot open file \"%s\". Not a regular file", path.c_str()));
}

std::vector<uint8_t> readFileBytes(const std::string& path)
{
    requireRegularFile(path);
    FileStream in(path, FileStream::Mode::OpenRead);
    std::vector<uint8_t> bytes(static_cast<size_t>(in.size()));
    in.readBuffer(bytes.data(), bytes.size());
    return bytes;
}

void writeFileBytes(const std::string& path, const std::vector<uint8_t>& bytes)
{
    FileStream out(path, FileStream::Mode::Create);
    out.writeBuffer(bytes.data(), bytes.size());
    out.close();
}

int codePageOption(const CliArgs& args)
{
    if (!args.has("--codepage"))
        return CodePage::kDefault;
    const std::string value = args.value("--codepage");
    for (int page : CodePage::kStoragePages)
        if (value == std::to_string(page))
            return page;
    throw UsageError { "--codepage takes 1252, 1250, 1251, 1253, 1254 or 1257" };
}

} // namespace lrl::cli
