#include "support/ShellCommand.h"

#include <sys/wait.h>

#include <array>
#include <cstdio>

namespace lrl::test {

CommandResult runCommand(const std::string& command)
{
    CommandResult result;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return result;
    std::array<char, 4096> chunk {};
    for (size_t n; (n = fread(chunk.data(), 1, chunk.size(), pipe)) > 0;)
        result.out.append(chunk.data(), n);
    const int status = pclose(pipe);
    result.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return result;
}

std::string pdfText(const std::string& path, bool layout)
{
    return runCommand(std::string("pdftotext ") + (layout ? "-layout '" : "'") + path + "' - 2>/dev/null")
        .out;
}

} // namespace lrl::test
