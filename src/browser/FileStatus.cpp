#include "browser/FileStatus.h"

#include "browser/FilePaths.h"
#include "common/Format.h"

#include <chrono>
#include <filesystem>

namespace lrl {

std::string formatLastModified(const std::tm& local)
{
    int hour = local.tm_hour > 12 ? local.tm_hour - 12 : local.tm_hour;
    return format("Last modified... %d/%d/%d  %d:%02d:%02d %s", local.tm_mon + 1, local.tm_mday,
        local.tm_year + 1900, hour, local.tm_min, local.tm_sec, local.tm_hour < 12 ? "AM" : "PM");
}

std::string lastModifiedText(const std::string& path)
{
    if (!fileExists(path))
        return {};
    std::error_code ec;
    auto written = std::filesystem::last_write_time(path, ec);
    if (ec)
        return {};
    auto sys = std::chrono::file_clock::to_sys(written);
    std::time_t t = std::chrono::system_clock::to_time_t(std::chrono::floor<std::chrono::seconds>(sys));
    std::tm local {};
#ifdef _WIN32
    localtime_s(&local, &t);
#else
    localtime_r(&t, &local);
#endif
    return formatLastModified(local);
}

} // namespace lrl
