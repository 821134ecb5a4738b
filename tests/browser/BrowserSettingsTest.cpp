#include "browser/BrowserSettings.h"
#include "common/MemorySettingsStore.h"

#include <gtest/gtest.h>

using namespace lrl;

namespace {

// Remembers the order of the values written.
class OrderStore : public MemorySettingsStore {
public:
    void writeString(const std::string& section, const std::string& name, const std::string& value) override
    {
        order.push_back(section + "/" + name);
        MemorySettingsStore::writeString(section, name, value);
    }
    std::vector<std::string> order;
};

BrowserSettings readFrom(const SettingsStore& store)
{
    BrowserSettings s;
    s.read(store);
    return s;
}

} // namespace

TEST(BrowserSettings, FirstStartGivesTheDefaults)
{
    MemorySettingsStore empty;
    BrowserSettings s;
    s.Srt = false; // reading replaces whatever was there
    s.LmtTVUpDt = false;
    s.read(empty);
    EXPECT_EQ(s.Top, 0);
    EXPECT_EQ(s.Left, 0);
    EXPECT_EQ(s.Width, 700);
    EXPECT_EQ(s.Height, 500);
    EXPECT_EQ(s.P2, 233);
    EXPECT_TRUE(s.Srt);
    EXPECT_TRUE(s.ShHnts);
    EXPECT_TRUE(s.SupBData);
    EXPECT_TRUE(s.DckTlbr);
    EXPECT_TRUE(s.LmtTVUpDt);
    EXPECT_TRUE(s.FlNm);
    EXPECT_TRUE(s.Dt);
    EXPECT_TRUE(s.PgNo);
    EXPECT_FALSE(s.LnNo);
    EXPECT_FALSE(s.ShFrm || s.ShOpt || s.ShLnNum || s.WrdWrp || s.dsf || s.PrtSepPgs);
    EXPECT_EQ(s.DckLoc, ToolbarDock::Top);
}

TEST(BrowserSettings, WrittenValuesReadBackAsStringsInTheirSections)
{
    BrowserSettings s;
    s.Top = -20;
    s.Width = 1024;
    s.P2 = 0;
    s.Srt = s.PgNo = false;
    s.ShFrm = s.LnNo = s.dsf = true;
    s.DckLoc = ToolbarDock::Right;
    MemorySettingsStore store;
    s.write(store);

    EXPECT_EQ(store.readString("FormOps", "Width"), "1024");
    EXPECT_EQ(store.readString("FormOps", "Top"), "-20");
    EXPECT_EQ(store.readString("FormOps", "Srt"), "0");
    EXPECT_EQ(store.readString("FormOps", "DckLoc"), "2");
    EXPECT_EQ(store.readString("PrtOps", "LnNo"), "1");
    EXPECT_FALSE(store.readString("FormOps", "PgNo"));
    BrowserSettings back = readFrom(store);
    EXPECT_EQ(back.Top, -20);
    EXPECT_EQ(back.Width, 1024);
    EXPECT_EQ(back.P2, 0);
    EXPECT_FALSE(back.Srt || back.PgNo);
    EXPECT_TRUE(back.ShFrm && back.LnNo && back.dsf);
    EXPECT_EQ(back.DckLoc, ToolbarDock::Right);
}

TEST(BrowserSettings, WritesInTheCloseOrder)
{
    OrderStore store;
    BrowserSettings().write(store);
    EXPECT_EQ(store.order,
        (std::vector<std::string> { "FormOps/Top", "FormOps/Left", "FormOps/Height", "FormOps/Width", "FormOps/P2",
            "FormOps/ShFrm", "FormOps/Srt", "FormOps/ShOpt", "FormOps/ShHnts", "FormOps/ShLnNum", "FormOps/WrdWrp",
            "FormOps/LmtTVUpDt", "FormOps/SupBData", "FormOps/DckTlbr", "PrtOps/PrtSepPgs", "PrtOps/FlNm",
            "PrtOps/LnNo", "PrtOps/PgNo", "PrtOps/Dt", "PrtOps/dsf", "FormOps/DckLoc", "FormOps/AnsiCP" }));
}

TEST(BrowserSettings, ToolbarDockIsStoredAsADockOnly)
{
    MemorySettingsStore store;
    BrowserSettings s;
    s.DckLoc = ToolbarDock::Floating;
    s.write(store);
    EXPECT_EQ(store.readString("FormOps", "DckLoc"), "0");
    s.DckLoc = ToolbarDock::Left;
    s.write(store);
    EXPECT_EQ(readFrom(store).DckLoc, ToolbarDock::Left);

    for (const char* stored : { "3", "-1", "x", "0x2" }) {
        store.writeString("FormOps", "DckLoc", stored);
        EXPECT_EQ(readFrom(store).DckLoc, stored == std::string("0x2") ? ToolbarDock::Right : ToolbarDock::Top)
            << stored;
    }
}

TEST(BrowserSettings, LimitTreeUpdatesIsAlwaysOnAfterReading)
{
    MemorySettingsStore store;
    store.writeString("FormOps", "LmtTVUpDt", "0");
    EXPECT_TRUE(readFrom(store).LmtTVUpDt);
}

TEST(BrowserSettings, HexadecimalWidthReadsAsItsNumber)
{
    MemorySettingsStore store;
    store.writeString("FormOps", "Width", "0x320");
    EXPECT_EQ(readFrom(store).Width, 800);
}

TEST(BrowserSettings, DamagedValuesReadAsDefaults)
{
    MemorySettingsStore store;
    store.writeString("FormOps", "Width", "-5");
    store.writeString("FormOps", "Height", "1000000000");
    store.writeString("FormOps", "Top", "-32000000");
    store.writeString("FormOps", "Left", "4294967296");
    store.writeString("FormOps", "P2", "-1");
    store.writeString("FormOps", "Srt", "\xff\xfe garbage");
    store.writeString("FormOps", "ShFrm", "99999999999999");
    store.writeBinary("FormOps", "ShHnts", { 0, 0, 0, 0 });
    store.writeString("PrtOps", "PgNo", "");
    BrowserSettings s = readFrom(store);
    BrowserSettings d;
    EXPECT_EQ(s.Width, d.Width);
    EXPECT_EQ(s.Height, d.Height);
    EXPECT_EQ(s.Top, d.Top);
    EXPECT_EQ(s.Left, d.Left);
    EXPECT_EQ(s.P2, d.P2);
    EXPECT_EQ(s.Srt, d.Srt);
    EXPECT_EQ(s.ShFrm, d.ShFrm);
    EXPECT_EQ(s.ShHnts, d.ShHnts);
    EXPECT_EQ(s.PgNo, d.PgNo);

    store.writeString("FormOps", "Width", "99");
    store.writeString("FormOps", "Height", "100");
    store.writeString("FormOps", "Top", "-32000");
    EXPECT_EQ(readFrom(store).Width, 700);
    EXPECT_EQ(readFrom(store).Height, 100);
    EXPECT_EQ(readFrom(store).Top, -32000);
}

TEST(BrowserSettings, LegacyCodePageIsOneTheViewerCanUse)
{
    MemorySettingsStore store;
    EXPECT_EQ(readFrom(store).AnsiCP, 1252);
    BrowserSettings s;
    s.AnsiCP = 1251;
    s.write(store);
    EXPECT_EQ(store.readString("FormOps", "AnsiCP"), "1251");
    EXPECT_EQ(readFrom(store).AnsiCP, 1251);
    for (const char* damaged : { "437", "65001", "-1", "x" }) {
        store.writeString("FormOps", "AnsiCP", damaged);
        EXPECT_EQ(readFrom(store).AnsiCP, 1252) << damaged;
    }
}

TEST(BrowserSettings, ReviewDialogWritesDsfAlone)
{
    MemorySettingsStore store;
    BrowserSettings::writeDsf(store, true);
    EXPECT_EQ(store.valueNames("PrtOps"), std::vector<std::string> { "dsf" });
    EXPECT_TRUE(readFrom(store).dsf);
}
