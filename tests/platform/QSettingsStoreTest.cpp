#include "platform/QSettingsStore.h"
#include "common/Exception.h"
#include "common/IniSettingsFile.h"
#include "common/SettingsReader.h"
#include "common/SettingsWriter.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QFile>

#include <filesystem>

using namespace lrl;
using lrl::test::TempDir;

namespace {

QString iniPath(const TempDir& dir) { return QString::fromStdString((dir.path() / "settings.ini").string()); }

} // namespace

TEST(QSettingsStore, StringsAndBytesSurviveAReopen)
{
    TempDir dir;
    const std::vector<std::string> texts { "", "plain", "a, b", "x;y#z", "  padded  ", "\"quoted\"",
        "back\\slash", "line\nbreak", "key=value", "caf\xc3\xa9 \xe2\x82\xac", "@ByteArray(1)",
        "Farvel6:OPT#8#67099632#EFF#14#2,0,16777215,XB;#END#",
        "\x01"
        "F\t0",
        "\tlead", "@x", "@@", "tail ",
        std::string("nul\0"
                    "7",
            5) };
    std::vector<uint8_t> bytes;
    for (int i = 0; i < 256; ++i)
        bytes.push_back(static_cast<uint8_t>(i));
    {
        QSettingsStore store(iniPath(dir));
        for (size_t i = 0; i < texts.size(); ++i)
            store.writeString("FormOps", "V" + std::to_string(i), texts[i]);
        store.writeBinary("FormOps", "Key Assignments - Object Pascal", bytes);
        store.writeString("MRU Items", "F0", "/home/u/My Project/a,b.dpr");
        store.flush();
    }
    QSettingsStore store(iniPath(dir));
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(store.readString("FormOps", "V" + std::to_string(i)), texts[i]) << i;
    EXPECT_EQ(store.readBinary("FormOps", "Key Assignments - Object Pascal"), bytes);
    EXPECT_FALSE(store.readString("FormOps", "Key Assignments - Object Pascal"));
    EXPECT_FALSE(store.readBinary("FormOps", "V1"));
    EXPECT_EQ(store.readString("MRU Items", "F0"), "/home/u/My Project/a,b.dpr");
    EXPECT_FALSE(store.readString("PrtOps", "V1"));

    // Tools without the settings layer read the same file to the same values.
    MemorySettingsStore file = IniSettingsFile::load(iniPath(dir).toStdString());
    for (size_t i = 0; i < texts.size(); ++i)
        EXPECT_EQ(file.readString("FormOps", "V" + std::to_string(i)), texts[i]) << i;
    EXPECT_EQ(file.readBinary("FormOps", "Key Assignments - Object Pascal"), bytes);
    EXPECT_FALSE(file.readString("FormOps", "Key Assignments - Object Pascal"));
    EXPECT_EQ(file.readString("MRU Items", "F0"), "/home/u/My Project/a,b.dpr");
}

TEST(QSettingsStore, SectionsListAndRemoveWhole)
{
    TempDir dir;
    QSettingsStore store(iniPath(dir));
    store.writeString("MRU Items", "F1", "/b");
    store.writeString("MRU Items", "F0", "/a");
    store.writeString("FormOps", "F0", "kept");
    std::vector<std::string> names = store.valueNames("MRU Items");
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names, (std::vector<std::string> { "F0", "F1" }));
    store.removeSection("MRU Items");
    store.flush();
    QSettingsStore again(iniPath(dir));
    EXPECT_TRUE(again.valueNames("MRU Items").empty());
    EXPECT_EQ(again.readString("FormOps", "F0"), "kept");
}

TEST(QSettingsStore, ADamagedFileReadsAsDefaultsAndIsReplacedWhole)
{
    TempDir dir;
    const char raw[] = "\x89PNG\r\n\x1a\n\x00\xff\xfe[FormOps\nWidth=\x01\x02\n===\n[\n]]]\n";
    std::string garbage(raw, sizeof raw - 1);
    for (int i = 0; i < 2000; ++i)
        garbage.push_back(static_cast<char>((i * 7919) & 0xFF));
    dir.write("settings.ini", garbage);

    QSettingsStore store(iniPath(dir));
    SettingsReader r(store, "FormOps");
    EXPECT_EQ(r.readInt("Width", 700, { 100, 32767 }), 700);
    EXPECT_EQ(r.readInt("Height", 500), 500);
    EXPECT_TRUE(r.readFlag("Srt", true));
    EXPECT_FALSE(store.readString("MRU Items", "F0"));

    SettingsWriter(store, "FormOps").writeInt("Width", 900);
    store.flush();
    QSettingsStore again(iniPath(dir));
    EXPECT_EQ(SettingsReader(again, "FormOps").readInt("Width", 700), 900);
}

TEST(QSettingsStore, ValuesOfTheWrongKindReadAsDefaults)
{
    TempDir dir;
    dir.write("settings.ini",
        "[FormOps]\nWidth=@ByteArray(900)\nHeight=600, 700\nTop=@Variant(\\0\\0\\0\\x7f\\0\\0\\0\\x1)\n"
        "Left=-20\nP2=0x100\n");
    QSettingsStore store(iniPath(dir));
    SettingsReader r(store, "FormOps");
    EXPECT_EQ(r.readInt("Width", 700), 700);
    EXPECT_EQ(r.readInt("Height", 500), 500);
    EXPECT_EQ(r.readInt("Top", 0), 0);
    EXPECT_EQ(r.readInt("Left", 0), -20);
    EXPECT_EQ(r.readInt("P2", 233), 256);
}

TEST(QSettingsStore, SavingLeavesOnlyTheCompleteFile)
{
    TempDir dir;
    QSettingsStore store(iniPath(dir));
    store.writeString("FormOps", "Width", "700");
    store.flush();
    store.writeString("FormOps", "Width", "800");
    store.flush();
    std::vector<std::string> files;
    for (const auto& e : std::filesystem::directory_iterator(dir.path()))
        files.push_back(e.path().filename().string());
    EXPECT_EQ(files, std::vector<std::string> { "settings.ini" });
    EXPECT_EQ(QSettingsStore(iniPath(dir)).readString("FormOps", "Width"), "800");
}

TEST(QSettingsStore, AFailedSaveIsReported)
{
    QSettingsStore store("/proc/no-such-folder/settings.ini");
    store.writeString("FormOps", "Width", "700");
    EXPECT_THROW(store.flush(), Exception);
}
