#pragma once

#include <ctime>
#include <string>

namespace lrl {

// "Last modified... " + month/day/year + two spaces + hour:minute:second + " AM" or " PM", for a local
// time. Month, day, year and hour have no leading zeros; hours 13 to 23 show as 1 to 11, 0 and 12 stay.
// Minutes and seconds have two digits.
std::string formatLastModified(const std::tm& local);

// The last-modified text of a file's last write time in local time; empty when the file is not found.
std::string lastModifiedText(const std::string& path);

} // namespace lrl
