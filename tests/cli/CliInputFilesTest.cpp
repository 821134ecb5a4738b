#include "cli/CliCommand.h"
#include "common/Exception.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <fcntl.h>
#include <filesystem>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

using namespace lrl;
using namespace lrl::cli;
using lrl::test::TempDir;

namespace {

const CliCommand& command(const std::string& name)
{
    for (const CliCommand& c : cliCommands())
        if (c.name == name)
            return c;
    throw std::runtime_error("no command " + name);
}

// While it lives, opens and closes the FIFO's writing end whenever a reader waits on it, so that a
// command which opens the FIFO reads an empty input instead of waiting for ever.
class FifoUnblocker {
public:
    explicit FifoUnblocker(std::string path)
        : m_path(std::move(path))
        , m_thread([this] {
            while (!m_stop) {
                int fd = ::open(m_path.c_str(), O_WRONLY | O_NONBLOCK);
                if (fd >= 0)
                    ::close(fd);
                std::this_thread::sleep_for(std::chrono::milliseconds(20));
            }
        })
    {
    }
    ~FifoUnblocker()
    {
        m_stop = true;
        m_thread.join();
    }

private:
    std::string m_path;
    std::atomic<bool> m_stop { false };
    std::thread m_thread;
};

struct BadInput {
    const char* kind;
    std::string path;
};

} // namespace

// Every subcommand that reads a file named on its command line refuses one that is not a regular file
// before opening it: a FIFO would block the open, a device give endless or no bytes.
TEST(CliInputFiles, CommandsRefuseWhatIsNoRegularFile)
{
    TempDir dir;
    std::string unit = dir.write("Unit1.pas", "unit Unit1;\r\n");
    std::string out = (dir.path() / "out.bin").string();
    std::string fifo = (dir.path() / "fifo.pas").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    std::string device = (dir.path() / "null.pas").string();
    std::filesystem::create_symlink("/dev/null", device);
    std::string folder = (dir.path() / "folder.pas").string();
    std::filesystem::create_directory(folder);
    FifoUnblocker unblocker(fifo);

    const BadInput inputs[] = { { "FIFO", fifo }, { "link to a device", device }, { "folder", folder } };
    // Each case: the command and its arguments, with "@" where the bad path goes.
    const std::vector<std::vector<std::string>> calls = {
        { "tokens", "@" },
        { "tokens", "--scheme", "@", unit },
        { "export", "--html", "@" },
        { "find", "unit", "@" },
        { "convert-form", "@" },
        { "compress", "@", out },
        { "decompress", "@", out },
        { "compile-scheme", "@", out },
    };
    for (const BadInput& input : inputs) {
        for (const auto& call : calls) {
            std::vector<std::string> args(call.begin() + 1, call.end());
            for (std::string& a : args)
                if (a == "@")
                    a = input.path;
            SCOPED_TRACE(call[0] + " " + input.kind);
            try {
                command(call[0]).run(args);
                ADD_FAILURE() << "accepted";
            } catch (const EFOpenError& e) {
                EXPECT_EQ(e.message(), "Cannot open file \"" + input.path + "\". Not a regular file");
            }
        }
    }
    EXPECT_FALSE(std::filesystem::exists(out));
}
