// The file-information data file is plain text a user may edit: reading, looking up, changing and
// writing it back must survive any bytes, and a value that was set must read back.
#include "browser/IniFile.h"

#include <cctype>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    lrl::IniFile ini = lrl::IniFile::parse(text);
    ini.value("P.dpr", "CsmtTxt");
    std::string section = text.substr(0, text.find_first_of("[]\r\n=")).substr(0, 16);
    if (section.empty() || std::isspace(static_cast<unsigned char>(section.front()))
        || std::isspace(static_cast<unsigned char>(section.back())) || section.front() == ';')
        section = "P.dpr";
    ini.setValue(section, "CsmtTxt", "Header text");
    lrl::IniFile again = lrl::IniFile::parse(ini.text());
    if (again.value(section, "CsmtTxt") != "Header text")
        std::abort();
    return 0;
}
