#include "browser/RecentFileList.h"
#include "common/MemorySettingsStore.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

using namespace lrl;
using lrl::test::TempDir;

namespace {

std::vector<std::string> paths(std::initializer_list<const char*> names)
{
    return { names.begin(), names.end() };
}

} // namespace

TEST(RecentFileList, ReopeningMovesToTheTopAndTheEleventhDropsTheOldest)
{
    RecentFileList list;
    list.add("/p/a.dpr");
    list.add("/p/b.pas");
    list.add("/p/a.dpr");
    EXPECT_EQ(list.entries(), paths({ "/p/a.dpr", "/p/b.pas" }));

    for (int i = 0; i < 10; ++i)
        list.add("/p/f" + std::to_string(i) + ".pas");
    ASSERT_EQ(list.entries().size(), 10u);
    EXPECT_EQ(list.entries().front(), "/p/f9.pas");
    EXPECT_EQ(list.entries().back(), "/p/f0.pas");

    list.add("/p/f0.pas");
    EXPECT_EQ(list.entries().front(), "/p/f0.pas");
    EXPECT_EQ(list.entries().back(), "/p/f1.pas");
    EXPECT_EQ(list.entries().size(), 10u);
}

TEST(RecentFileList, PathsDifferingInCaseAreDistinctFilesHere)
{
#ifdef _WIN32
    GTEST_SKIP() << "file names ignore letter case on Windows";
#endif
    RecentFileList list;
    list.add("/p/Unit1.pas");
    list.add("/p/unit1.pas");
    EXPECT_EQ(list.entries().size(), 2u);
}

TEST(RecentFileList, RelativePathsAreStoredAbsolute)
{
    RecentFileList list;
    list.add("sub/../a.dpr");
    ASSERT_EQ(list.entries().size(), 1u);
    EXPECT_EQ(list.entries()[0], (std::filesystem::current_path() / "a.dpr").string());
    list.add("");
    EXPECT_EQ(list.entries().size(), 1u);
}

TEST(RecentFileList, SavesTheWholeSectionAndLoadsItBack)
{
    MemorySettingsStore store;
    for (int i = 0; i < 10; ++i)
        store.writeString(RecentFileList::kSection, "F" + std::to_string(i), "/old" + std::to_string(i));
    store.writeString(RecentFileList::kSection, "Stray", "x");

    RecentFileList list;
    list.add("/b");
    list.add("/a");
    list.save(store);
    EXPECT_EQ(store.valueNames("MRU Items"), paths({ "F0", "F1" }));
    EXPECT_EQ(store.readString("MRU Items", "F0"), "/a");

    RecentFileList again;
    again.load(store);
    EXPECT_EQ(again.entries(), paths({ "/a", "/b" }));
    again.clear();
    again.save(store);
    EXPECT_TRUE(store.valueNames("MRU Items").empty());
}

TEST(RecentFileList, LoadSkipsDamagedEntries)
{
    MemorySettingsStore store;
    store.writeString("MRU Items", "F0", "/a");
    store.writeString("MRU Items", "F1", "");
    store.writeString("MRU Items", "F2", "/a");
    store.writeString("MRU Items", "F3", "/bad\nname");
    store.writeString("MRU Items", "F4", std::string(RecentFileList::kMaxPathLength + 1, 'x'));
    store.writeBinary("MRU Items", "F5", { '/', 'b' });
    store.writeString("MRU Items", "F7", "/c");
    store.writeString("MRU Items", "F10", "/beyond");
    RecentFileList list;
    list.load(store);
    EXPECT_EQ(list.entries(), paths({ "/a", "/c" }));
}

TEST(RecentFileList, ADeletedFileDisappearsAtTheNextStart)
{
    TempDir dir;
    std::string kept = dir.write("kept.dpr", "program P;");
    std::string gone = dir.write("gone.pas", "unit U;");
    MemorySettingsStore store;
    RecentFileList list;
    list.add(kept);
    list.add(gone);
    list.add(dir.path().string()); // a folder is no file
    list.save(store);
    std::filesystem::remove(gone);

    RecentFileList next;
    next.load(store);
    next.removeObsolete();
    EXPECT_EQ(next.entries(), std::vector<std::string> { kept });
}
