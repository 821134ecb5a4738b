#include "common/MemorySettingsStore.h"

#include <gtest/gtest.h>

using namespace lrl;

TEST(MemorySettingsStore, KindsAreKeptApartAndSectionsRemoveWhole)
{
    MemorySettingsStore s;
    EXPECT_FALSE(s.readString("FormOps", "Srt"));
    s.writeString("FormOps", "Srt", "1");
    s.writeBinary("FormOps", "Key Assignments - Object Pascal", { 1, 2 });
    EXPECT_EQ(s.readString("FormOps", "Srt"), "1");
    EXPECT_FALSE(s.readString("FormOps", "Key Assignments - Object Pascal"));
    EXPECT_FALSE(s.readBinary("FormOps", "Srt"));
    s.writeString("MRU Items", "F0", "/a.dpr");
    s.writeString("MRU Items", "F1", "/b.dpr");
    EXPECT_EQ(s.valueNames("MRU Items").size(), 2u);
    s.removeSection("MRU Items");
    EXPECT_TRUE(s.valueNames("MRU Items").empty());
    EXPECT_EQ(s.readString("FormOps", "Srt"), "1");
}

TEST(SettingsStore, SectionOfAKeyPathDropsTheProgramsKey)
{
    EXPECT_EQ(SettingsStore::sectionOfKey("\\Software\\Corvane\\Listrel Delphi\\FormOps"), "FormOps");
    EXPECT_EQ(SettingsStore::sectionOfKey("software\\corvane\\LISTREL DELPHI\\MRU Items\\"), "MRU Items");
    EXPECT_EQ(SettingsStore::sectionOfKey("\\Software\\Corvane\\Listrel Delphi"), "");
    EXPECT_EQ(SettingsStore::sectionOfKey("\\Software\\Corvane\\Listrel DelphiX\\A"), "Software/Corvane/Listrel DelphiX/A");
    EXPECT_EQ(SettingsStore::sectionOfKey("\\\\Other\\\\Key"), "Other/Key");
}
