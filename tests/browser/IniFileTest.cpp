#include "browser/IniFile.h"
#include "common/Exception.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace lrl;
using lrl::test::TempDir;

TEST(IniFile, ReadsTheWayProfileFunctionsDo)
{
    TempDir dir;
    std::string path
        = dir.write("a.ini", "; note\n[P.dpr]\n  CsmtTxt =  \"Quoted text\"  \r\n[other]\nCsmtTxt=x\n");
    IniFile ini = IniFile::load(path);
    EXPECT_EQ(ini.value("p.DPR", "csmttxt"), "Quoted text");
    EXPECT_EQ(ini.value("other", "CsmtTxt"), "x");
    EXPECT_FALSE(ini.value("P.dpr", "Missing"));
    EXPECT_FALSE(ini.value("none", "CsmtTxt"));
    EXPECT_FALSE(IniFile::load((dir.path() / "absent.ini").string()).value("a", "b"));
}

TEST(IniFile, WritingKeepsEverythingElseAndReplacesAtomically)
{
    TempDir dir;
    std::string path = dir.write("sub/a.ini", "; note\r\n[A]\r\nK=1\r\n\r\n[B]\r\nK=2\r\n");
    IniFile ini = IniFile::load(path);
    ini.setValue("a", "k", "one");
    ini.setValue("A", "New", "line1\r\nline2");
    ini.setValue("C", "K", "3");
    ini.save(path);
    EXPECT_EQ(lrl::test::readFile(path),
        "; note\r\n[A]\r\nk=one\r\nNew=line1  line2\r\n\r\n[B]\r\nK=2\r\n\r\n[C]\r\nK=3\r\n");
    size_t files = 0;
    for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir.path() / "sub"))
        ++files;
    EXPECT_EQ(files, 1u);

    // A folder that cannot be created leaves nothing behind and says so.
    std::string blocker = dir.write("blocker", "file");
    EXPECT_THROW(ini.save(blocker + "/x.ini"), EFCreateError);
}
