#pragma once

#include <functional>
#include <string>

namespace lrl {

// Shortens a path to fit a width by putting "..." in place of folders, first those next to the root
// ("C:\...\Src\Unit1.pas", "/.../Src/Unit1.pas"), then all of them ("...\Unit1.pas"); when even that is
// too wide, the file name is cut at its end ("Unit..."). A path that fits is answered as it is. measure
// gives a text's width in the same units as maxWidth.
std::string shortenPath(
    const std::string& path, int maxWidth, const std::function<int(const std::string&)>& measure);

} // namespace lrl
