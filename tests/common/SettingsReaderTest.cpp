#include "common/MemorySettingsStore.h"
#include "common/SettingsReader.h"
#include "common/SettingsWriter.h"

#include <gtest/gtest.h>

using namespace lrl;

TEST(SettingsReader, ParsesDecimalAndHexadecimalWithin32Bits)
{
    EXPECT_EQ(SettingsReader::parseInt("700"), 700);
    EXPECT_EQ(SettingsReader::parseInt(" -5 "), -5);
    EXPECT_EQ(SettingsReader::parseInt("+12"), 12);
    EXPECT_EQ(SettingsReader::parseInt("0x2BC"), 700);
    EXPECT_EQ(SettingsReader::parseInt("0XfF"), 255);
    EXPECT_EQ(SettingsReader::parseInt("0xFFFFFFFF"), -1);
    EXPECT_EQ(SettingsReader::parseInt("0x80000005"), INT32_MIN + 5);
    EXPECT_EQ(SettingsReader::parseInt("2147483647"), INT32_MAX);
    EXPECT_EQ(SettingsReader::parseInt("-2147483648"), INT32_MIN);
    EXPECT_EQ(SettingsReader::parseInt("007"), 7);
}

TEST(SettingsReader, RejectsWhatIsNoNumber)
{
    for (const char* text : { "", " ", "-", "0x", "abc", "12a", "1 2", "--1", "0x1G", "2147483648", "-2147483649",
             "0x100000000", "99999999999999999999999", "1e3", "1.5", "$10", "\x01\xff" })
        EXPECT_FALSE(SettingsReader::parseInt(text)) << '"' << text << '"';
    EXPECT_FALSE(SettingsReader::parseInt(std::string("1\0" "2", 3)));
}

TEST(SettingsReader, FallsBackToTheDefaultForMissingDamagedOrOutOfRangeValues)
{
    MemorySettingsStore store;
    SettingsWriter w(store, "S");
    w.writeText("Garbage", "x");
    w.writeText("Big", "100000");
    w.writeInt("Ok", 50);
    w.writeFlag("On", true);
    w.writeText("Nine", "9");
    w.writeText("Overflow", "4294967296");
    store.writeBinary("S", "Bytes", { '1' });

    SettingsReader r(store, "S");
    EXPECT_EQ(r.readInt("Missing", 3), 3);
    EXPECT_EQ(r.readInt("Garbage", 3), 3);
    EXPECT_EQ(r.readInt("Big", 3, { 0, 1000 }), 3);
    EXPECT_EQ(r.readInt("Ok", 3, { 0, 1000 }), 50);
    EXPECT_EQ(r.readInt("Bytes", 3), 3);
    EXPECT_TRUE(r.readFlag("On", false));
    EXPECT_TRUE(r.readFlag("Nine", false));
    EXPECT_TRUE(r.readFlag("Overflow", true));
    EXPECT_FALSE(r.readFlag("Overflow", false));
    EXPECT_EQ(store.readString("S", "On"), "1");
}
