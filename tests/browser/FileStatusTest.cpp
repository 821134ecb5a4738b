#include "browser/FileStatus.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

using namespace lrl;

namespace {

// Sets the file's last write time to a local time of 7 March 1999.
void touchLocal(const std::string& path, int hour, int minute, int second)
{
    std::tm local {};
    local.tm_year = 99;
    local.tm_mon = 2;
    local.tm_mday = 7;
    local.tm_hour = hour;
    local.tm_min = minute;
    local.tm_sec = second;
    local.tm_isdst = -1;
    auto sys = std::chrono::system_clock::from_time_t(std::mktime(&local));
    std::filesystem::last_write_time(path, std::chrono::file_clock::from_sys(sys));
}

} // namespace

TEST(FileStatus, LastModifiedTextUsesTwelveHourClockWithoutLeadingZeros)
{
    lrl::test::TempDir dir;
    std::string path = dir.write("U.pas", "x");
    touchLocal(path, 0, 30, 0);
    EXPECT_EQ(lastModifiedText(path), "Last modified... 3/7/1999  0:30:00 AM");
    touchLocal(path, 12, 30, 5);
    EXPECT_EQ(lastModifiedText(path), "Last modified... 3/7/1999  12:30:05 PM");
    touchLocal(path, 14, 5, 9);
    EXPECT_EQ(lastModifiedText(path), "Last modified... 3/7/1999  2:05:09 PM");
    touchLocal(path, 11, 59, 59);
    EXPECT_EQ(lastModifiedText(path), "Last modified... 3/7/1999  11:59:59 AM");
    EXPECT_EQ(lastModifiedText((dir.path() / "gone.pas").string()), "");
}
