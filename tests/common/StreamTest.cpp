#include "common/Exception.h"
#include "common/FileStream.h"
#include "common/MemoryStream.h"
#include "common/ReadOnlyMemoryStream.h"
#include "common/StreamIO.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace lrl;

TEST(MemoryStream, WritesGrowAndReadsStopAtEnd)
{
    MemoryStream s;
    s.writeBuffer("abc", 3);
    s.setPosition(5);
    s.writeBuffer("z", 1);
    EXPECT_EQ(s.size(), 6);
    EXPECT_EQ(s.bytes()[3], 0);
    s.setPosition(4);
    char buf[8];
    EXPECT_EQ(s.read(buf, 8), 2u);
    EXPECT_THROW(s.readBuffer(buf, 1), EReadError);
    EXPECT_THROW(s.seek(-1, SeekOrigin::Begin), EStreamError);
}

TEST(StreamIO, LittleEndianAndStringsRoundTrip)
{
    MemoryStream s;
    writeLE<uint16_t>(s, 51);
    writeLE<int32_t>(s, -2);
    writeShortString(s, "Ctrl+J");
    writeLongString(s, std::string("a\0b", 3));
    EXPECT_EQ(s.bytes()[0], 51);
    EXPECT_EQ(s.bytes()[1], 0);
    EXPECT_EQ(s.bytes()[2], 0xFE);
    s.setPosition(0);
    EXPECT_EQ(readLE<uint16_t>(s), 51);
    EXPECT_EQ(readLE<int32_t>(s), -2);
    EXPECT_EQ(readShortString(s), "Ctrl+J");
    EXPECT_EQ(readLongString(s), std::string("a\0b", 3));
}

TEST(StreamIO, LongStringLengthBeyondStreamFailsWithoutAllocating)
{
    const uint8_t bytes[] = { 0xFF, 0xFF, 0xFF, 0x7F, 'a' };
    ReadOnlyMemoryStream s(bytes);
    EXPECT_THROW(readLongString(s), EReadError);
}

TEST(FileStream, MissingFileAndDirectoryFailToOpen)
{
    EXPECT_THROW(FileStream("/nonexistent/x.pas", FileStream::Mode::OpenRead), EFOpenError);
    EXPECT_THROW(FileStream(std::filesystem::temp_directory_path().string(), FileStream::Mode::OpenRead),
        EFOpenError);
}

TEST(FileStream, CreateWriteAndReadBack)
{
    auto path = (std::filesystem::temp_directory_path() / "lrl_filestream_test.bin").string();
    {
        FileStream out(path, FileStream::Mode::Create);
        out.writeBuffer("hello", 5);
    }
    FileStream in(path, FileStream::Mode::OpenRead);
    EXPECT_EQ(in.size(), 5);
    MemoryStream copy;
    copy.copyFrom(in, 0);
    EXPECT_EQ(std::string(copy.bytes().begin(), copy.bytes().end()), "hello");
    std::filesystem::remove(path);
}

TEST(FileStream, CloseReportsAWriteThatCannotReachTheDisk)
{
    if (!std::filesystem::exists("/dev/full"))
        GTEST_SKIP() << "no /dev/full";
    FileStream out("/dev/full", FileStream::Mode::Create);
    out.writeBuffer("x", 1); // buffered, so it succeeds here
    EXPECT_THROW(out.close(), EWriteError);
    char c;
    EXPECT_EQ(out.read(&c, 1), 0u);
}
