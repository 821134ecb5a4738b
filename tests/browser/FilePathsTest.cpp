#include "browser/FilePaths.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

using namespace lrl;
using lrl::test::TempDir;

TEST(FilePaths, NamePartsAcceptBothSeparators)
{
    EXPECT_EQ(extractFileExt("..\\Lib\\Unit2.pas'"), ".pas'");
    EXPECT_EQ(extractFileExt("dir.v2/Makefile"), "");
    EXPECT_EQ(lowerFileExt("/p/P.DPR"), ".dpr");
    EXPECT_EQ(extractFileName("..\\Lib\\Unit2.pas"), "Unit2.pas");
    EXPECT_EQ(extractFileName("a/b.dpr"), "b.dpr");
    EXPECT_EQ(extractFilePath("/home/u/P.dpr"), "/home/u/");
    EXPECT_EQ(extractFilePath("P.dpr"), "");
    EXPECT_EQ(changeFileExt("..\\Lib\\Unit2.pas", ".dfm"), "..\\Lib\\Unit2.dfm");
    EXPECT_EQ(changeFileExt("dir.v2/Unit", ".dfm"), "dir.v2/Unit.dfm");
}

TEST(FilePaths, ResolvePathFollowsTheProjectFolder)
{
    EXPECT_EQ(resolvePath("Unit1.pas", "/p/Proj/P.dpr"), "/p/Proj/Unit1.pas");
    EXPECT_EQ(resolvePath("..\\Lib\\Unit2.pas", "/p/Proj/P.dpr"), "/p/Lib/Unit2.pas");
    EXPECT_EQ(resolvePath("../Lib/Unit2.pas", "/p/Proj/"), "/p/Lib/Unit2.pas");
    EXPECT_EQ(resolvePath("..\\..\\Shared\\U.pas", "/p/Proj/P.dpr"), "/Shared/U.pas");
    EXPECT_EQ(resolvePath("Sub\\..\\U.pas", "/p/Proj/P.dpr"), "/p/Proj/U.pas");
    EXPECT_EQ(resolvePath(".\\Sub\\U.pas", "/p/Proj/P.dpr"), "/p/Proj/Sub/U.pas");
    // Absolute names are taken as they are; a drive path cannot exist here and is reported missing.
    EXPECT_EQ(resolvePath("/opt/lib/U.pas", "/p/Proj/P.dpr"), "/opt/lib/U.pas");
    EXPECT_EQ(resolvePath("C:\\Delphi\\Lib\\U.pas", "/p/Proj/P.dpr"), "C:/Delphi/Lib/U.pas");
}

TEST(FilePaths, ResolvePathMatchesLetterCaseOfExistingFiles)
{
    TempDir dir;
    std::string exact = dir.write("Proj/Source/Unit1.pas", "x");
    std::string base = (dir.path() / "Proj/P.dpr").string();
    EXPECT_EQ(resolvePath("source\\UNIT1.PAS", base), exact);
    EXPECT_EQ(resolvePath("..\\PROJ\\Source\\unit1.pas", base), exact);
    EXPECT_TRUE(fileExists(exact));
    // A missing file stays as written, only normalised.
    EXPECT_EQ(resolvePath("Source\\Gone.pas", base), (dir.path() / "Proj/Source/Gone.pas").string());

    // When the exact name exists it wins; among several case variants the first in name order.
    std::string lower = dir.write("Proj/Source/unit1.pas", "y");
    EXPECT_EQ(resolvePath("Source\\unit1.pas", base), lower);
    EXPECT_EQ(resolvePath("Source\\UNIT1.pas", base), exact);
}

TEST(FilePaths, FoldersAreNoFiles)
{
    TempDir dir;
    dir.write("Odd.pas/inner.txt", "x");
    std::string folder = (dir.path() / "Odd.pas").string();
    EXPECT_FALSE(fileExists(folder));
    EXPECT_EQ(fileSizeOf(folder), -1);
    EXPECT_EQ(fileSizeOf(dir.write("five", "12345")), 5);
}
