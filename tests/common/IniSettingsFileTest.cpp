#include "common/IniSettingsFile.h"

#include <gtest/gtest.h>

using namespace lrl;

// What the platform's settings layer writes is checked against it in the platform's tests; here the
// reader's own rules on text it would not write.
TEST(IniSettingsFile, ReadsSectionsNamesAndValueKindsItUnderstands)
{
    MemorySettingsStore s = IniSettingsFile::parse("; a comment\r\n"
                                                   "top=1\r\n"
                                                   "[MRU%20Items]\r\n"
                                                   "F%30 = spaced  \r\n"
                                                   "list=a, b\r\n"
                                                   "variant=@Variant(\\0\\0)\r\n"
                                                   "bytes=@ByteArray(A\\0\\xff\\x41)\r\n"
                                                   "broken line\r\n"
                                                   "[FormOps]\n"
                                                   "q=\"x\" \"y\"\n"
                                                   "esc=\\\"\\\\\\n\\101\\xe9");
    EXPECT_EQ(s.readString("General", "top"), "1");
    EXPECT_EQ(s.readString("MRU Items", "F0"), "spaced");
    EXPECT_FALSE(s.readString("MRU Items", "list"));
    EXPECT_FALSE(s.readString("MRU Items", "variant"));
    EXPECT_FALSE(s.readBinary("MRU Items", "variant"));
    EXPECT_EQ(s.readBinary("MRU Items", "bytes"), (std::vector<uint8_t> { 'A', 0, 0xFF, 'A' }));
    EXPECT_EQ(s.readString("FormOps", "q"), "x y");
    EXPECT_EQ(s.readString("FormOps", "esc"), "\"\\\nA\xc3\xa9");
}

TEST(IniSettingsFile, AMissingFileIsEmpty)
{
    MemorySettingsStore s = IniSettingsFile::load("/nonexistent/folder/Listrel Delphi.conf");
    EXPECT_TRUE(s.valueNames("FormOps").empty());
}
