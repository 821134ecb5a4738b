#include "SampleScheme.h"

#include "common/Exception.h"
#include "common/MemoryStream.h"
#include "common/ReadOnlyMemoryStream.h"
#include "common/StreamIO.h"
#include "scheme/ESyntaxMemoParserError.h"
#include "scheme/SchemeTableReader.h"
#include "scheme/SchemeTableWriter.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/compress/TCompressor.h"

#include <gtest/gtest.h>

using namespace lrl;

namespace {

std::vector<uint8_t> layoutOf(const SchemeTable& table, uint16_t version = 51)
{
    MemoryStream out;
    SchemeTableWriter(out, table, version).write();
    return out.takeBytes();
}

// The stored form around a layout: version, size, KH-compressed layout.
std::vector<uint8_t> framed(uint16_t version, const std::vector<uint8_t>& layout)
{
    MemoryStream out;
    writeLE<uint16_t>(out, version);
    writeLE<int32_t>(out, static_cast<int32_t>(layout.size()));
    MemoryStream in(layout);
    TCompressor c;
    c.StreamMode = true;
    c.InputStream = &in;
    c.OutputStream = &out;
    c.Compress();
    return out.takeBytes();
}

std::unique_ptr<TSyntaxMemoParser> richParser()
{
    auto p = std::make_unique<TSyntaxMemoParser>("SyntaxMemoParser1");
    p->table() = test::richSchemeTable();
    return p;
}

std::string loadError(TSyntaxMemoParser& p, const std::vector<uint8_t>& bytes)
{
    try {
        p.setParser(bytes);
    } catch (const ESyntaxMemo& e) {
        return e.message();
    }
    return "loaded";
}

} // namespace

TEST(TSyntaxMemoParser, SaveLoadSaveIsByteIdentical)
{
    std::vector<uint8_t> first = richParser()->parser();

    TSyntaxMemoParser loaded("SyntaxMemoParser1");
    loaded.setParser(first);
    EXPECT_EQ(loaded.parser(), first);
    EXPECT_EQ(loaded.settings().languageName, "Object Pascal");
    EXPECT_EQ(loaded.settings().templates.hotKey(), scCtrl | 'J');
    EXPECT_EQ(loaded.settings().keys.keyStore().bindingCount(), 6u);
    EXPECT_TRUE(loaded.table().customParse());
    EXPECT_EQ(loaded.table().contextStates(9), Set256::of({ 3, 4 }));
    EXPECT_EQ(loaded.table().contextStates(200), Set256::of({ 0 }));
    ASSERT_NE(loaded.table().stateTable(2), nullptr);
    EXPECT_EQ(loaded.table().stateTable(2)->ranges().size(), 1u);
    ASSERT_NE(loaded.table().stateTable(5), nullptr);
    EXPECT_EQ(loaded.table().statesWithTables(), Set256::of({ 2, 5 }));

    TSyntaxMemoParser again("other");
    again.setParser(loaded.parser());
    EXPECT_TRUE(again.table() == loaded.table());
}

TEST(TSyntaxMemoParser, StoredFormIsVersionSizeAndKhStream)
{
    auto p = richParser();
    std::vector<uint8_t> bytes = p->parser();
    std::vector<uint8_t> layout = layoutOf(p->table());
    ASSERT_GT(bytes.size(), 14u);
    EXPECT_EQ(bytes[0], 51);
    EXPECT_EQ(bytes[1], 0);
    ReadOnlyMemoryStream s(bytes);
    s.setPosition(2);
    EXPECT_EQ(readLE<int32_t>(s), static_cast<int32_t>(layout.size()));
    EXPECT_EQ(std::string(bytes.begin() + 6, bytes.begin() + 10), "WRZL");
    EXPECT_EQ(bytes, framed(51, layout));
}

TEST(TSyntaxMemoParser, LayoutIsReadToItsLastByte)
{
    SchemeTable table = test::richSchemeTable();
    std::vector<uint8_t> layout = layoutOf(table);
    MemoryStream in(layout);
    SchemeTable loaded;
    SchemeTableReader(in, loaded, 51).read();
    EXPECT_EQ(in.position(), static_cast<int64_t>(layout.size()));
    EXPECT_EQ(layoutOf(loaded), layout);
}

TEST(TSyntaxMemoParser, Version50TableLoadsWithoutGutterFont)
{
    SchemeTable rich = test::richSchemeTable();
    std::vector<uint8_t> v50 = layoutOf(rich, 50);
    EXPECT_LT(v50.size(), layoutOf(rich).size());

    TSyntaxMemoParser p("SyntaxMemoParser1");
    p.setParser(framed(50, v50));
    EXPECT_EQ(p.settings().gutterFont, TSM_Settings().gutterFont);
    EXPECT_EQ(p.settings().languageName, "Object Pascal");
    EXPECT_TRUE(p.table().customParse());
    // Saved again it becomes a version-51 table with the default gutter font.
    rich.settings().gutterFont = TSM_Settings().gutterFont;
    EXPECT_EQ(layoutOf(p.table()), layoutOf(rich));
}

TEST(TSyntaxMemoParser, OlderVersionsAreReportedAndLeaveTheTableEmpty)
{
    std::vector<uint8_t> v49 = framed(49, layoutOf(test::richSchemeTable()));
    TSyntaxMemoParser p("SyntaxMemoParser1");
    p.table() = test::richSchemeTable();

    std::vector<std::pair<int, int>> reported;
    p.OnParserVersionError = [&](TSyntaxMemoParser& sender, uint16_t found, uint16_t expected) {
        EXPECT_EQ(&sender, &p);
        reported.emplace_back(found, expected);
    };
    p.setParser(v49);
    EXPECT_EQ(reported, (std::vector<std::pair<int, int>> { { 49, 51 } }));
    EXPECT_TRUE(p.table() == SchemeTable());

    const std::string text = "SyntaxMemoParser1: DFM file saved by different version of TSyntaxMemoParser.\r\n"
                             "Recompile script to update DFM file.\r\n"
                             "Expected version was 51 read version was 49";
    p.OnParserVersionError = nullptr;
    std::string shown;
    p.informationBox = [&](const std::string& t) { shown = t; };
    p.setParser(v49);
    EXPECT_EQ(shown, text);

    p.setReadingFromForm(true);
    try {
        p.setParser(v49);
        FAIL();
    } catch (const ESyntaxMemoParserError& e) {
        EXPECT_EQ(e.message(), text);
    }
}

TEST(TSyntaxMemoParser, TruncatedStreamsFailWithTheComponentName)
{
    std::vector<uint8_t> good = richParser()->parser();
    TSyntaxMemoParser p("SyntaxMemoParser1");
    for (size_t cut = 0; cut < good.size(); cut += (cut < 16 ? 1 : 97)) {
        p.table() = test::richSchemeTable();
        std::string error = loadError(p, std::vector<uint8_t>(good.begin(), good.begin() + static_cast<long>(cut)));
        EXPECT_EQ(error.rfind("SyntaxMemoParser1: ", 0), 0u) << "cut at " << cut << ": " << error;
        EXPECT_TRUE(p.table() == SchemeTable()) << "cut at " << cut;
    }
    EXPECT_EQ(loadError(p, {}), "SyntaxMemoParser1: Stream read error");
}

TEST(TSyntaxMemoParser, CorruptLayoutsFailWithTheReadError)
{
    SchemeTable rich = test::richSchemeTable();
    TSyntaxMemoParser p("SyntaxMemoParser1");

    // A layout cut short inside, and one whose first count claims more than the layout holds.
    std::vector<uint8_t> layout = layoutOf(rich);
    std::vector<uint8_t> cut(layout.begin(), layout.end() - 40);
    EXPECT_EQ(loadError(p, framed(51, cut)), "SyntaxMemoParser1: Stream read error");

    SchemeTable plain;
    std::vector<uint8_t> small = layoutOf(plain);
    // Settings start with three long strings (4-byte lengths, all empty but the wrap-override text ">|:")
    // and eleven 32-bit numbers; then the effect count.
    size_t effectCount = 4 + 4 + 4 + 3 + 11 * 4;
    small[effectCount + 3] = 0x7F;
    EXPECT_EQ(loadError(p, framed(51, small)), "SyntaxMemoParser1: Stream read error");

    std::vector<uint8_t> header = richParser()->parser();
    header[6] = 'X';
    EXPECT_EQ(loadError(p, header),
        "SyntaxMemoParser1: Compressor decompression : input stream contains no valid header !");
}

TEST(TSyntaxMemoParser, SaveFailuresCarryTheComponentName)
{
    auto p = richParser();
    uint8_t none[1];
    ReadOnlyMemoryStream readOnly(std::span<const uint8_t>(none, 0));
    try {
        p->saveTableToStream(readOnly);
        FAIL();
    } catch (const ESyntaxMemo& e) {
        EXPECT_EQ(e.message(), "SyntaxMemoParser1: Stream write error");
    }
}

TEST(TSyntaxMemoParser, AssignCopiesTheTableOfAnotherScanner)
{
    auto source = richParser();
    TSyntaxMemoParser target("SyntaxMemoParser2");
    target.assign(*source);
    EXPECT_EQ(target.parser(), source->parser());

    struct Other : Persistent {
        const char* className() const override { return "TMemo"; }
    } other;
    try {
        target.assign(other);
        FAIL();
    } catch (const ESyntaxMemo& e) {
        EXPECT_EQ(e.message(), "Cannot assign a TMemo to TSyntaxMemoParser");
    }
}
