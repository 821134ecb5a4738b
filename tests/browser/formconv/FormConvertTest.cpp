#include "browser/formconv/FormConvert.h"
#include "browser/formconv/FormBytes.h"
#include "browser/formconv/FormStreamConverter.h"
#include "common/CodePage.h"
#include "common/Exception.h"
#include "common/MemoryStream.h"
#include "common/ReadOnlyMemoryStream.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

using namespace lrl;
using lrl::test::FormBytes;

namespace {

std::string convert(const FormBytes& form) { return convertFormResource(form.data()); }

// The message of the conversion's failure, or "" when it succeeds.
std::string failure(const FormBytes& form)
{
    try {
        convert(form);
    } catch (const EReadError& e) {
        return e.what();
    }
    return "";
}

// A form holding the one property P: its value as written, or the failure's message.
std::string valueText(const std::function<void(FormBytes&)>& value)
{
    FormBytes form;
    form.header().signature().object("TForm1", "Form1").property("P");
    value(form);
    form.end().end();
    const std::string head = "object Form1: TForm1\r\n  P = ";
    const std::string tail = "\r\nend\r\n";
    std::string text;
    try {
        text = convert(form);
    } catch (const EReadError& e) {
        return e.what();
    }
    EXPECT_EQ(text.substr(0, head.size()), head);
    EXPECT_GE(text.size(), head.size() + tail.size());
    EXPECT_EQ(text.substr(text.size() - tail.size()), tail);
    return text.substr(head.size(), text.size() - head.size() - tail.size());
}

std::vector<uint8_t> counting(size_t count)
{
    std::vector<uint8_t> data(count);
    for (size_t i = 0; i < count; ++i)
        data[i] = static_cast<uint8_t>(i * 7 + 0xA0);
    return data;
}

std::string hex(const std::vector<uint8_t>& data, size_t from, size_t count)
{
    static const char* digits = "0123456789ABCDEF";
    std::string out;
    for (size_t i = from; i < from + count; ++i) {
        out += digits[data[i] >> 4];
        out += digits[data[i] & 15];
    }
    return out;
}

} // namespace

TEST(FormConvert, NestedObjectsIndentOneLevelPerObject)
{
    FormBytes form;
    form.header().signature().object("TForm1", "Form1");
    form.property("Left").int16(300).property("Caption").string("Form1").end();
    form.object("TLabel", "Label1")
        .property("Caption")
        .string("Name:")
        .property("Visible")
        .byte(9)
        .end()
        .end();
    form.end();
    EXPECT_EQ(convert(form),
        "object Form1: TForm1\r\n"
        "  Left = 300\r\n"
        "  Caption = 'Form1'\r\n"
        "  object Label1: TLabel\r\n"
        "    Caption = 'Name:'\r\n"
        "    Visible = True\r\n"
        "  end\r\n"
        "end\r\n");
}

TEST(FormConvert, ObjectPrefixFlags)
{
    FormBytes form;
    form.header().signature().byte(0xF1).object("TForm2", "Form2").end();
    form.byte(0xF2).int8(3).object("TButton", "").end().end();
    form.byte(0xF4).object("TFrame1", "Frame11").end().end();
    form.byte(0xF3).int16(1000).object("TPanel", "Panel1").end().end();
    form.end();
    EXPECT_EQ(convert(form),
        "inherited Form2: TForm2\r\n"
        "  object TButton [3]\r\n"
        "  end\r\n"
        "  object Frame11: TFrame1\r\n"
        "  end\r\n"
        "  inherited Panel1: TPanel [1000]\r\n"
        "  end\r\n"
        "end\r\n");
}

TEST(FormConvert, IntegersAreSignedLittleEndian)
{
    EXPECT_EQ(valueText([](FormBytes& f) { f.bytes({ 2, 0xFF }); }), "-1");
    EXPECT_EQ(valueText([](FormBytes& f) { f.int16(-32768); }), "-32768");
    EXPECT_EQ(valueText([](FormBytes& f) { f.int32(-2147483647 - 1); }), "-2147483648");
    EXPECT_EQ(valueText([](FormBytes& f) { f.int32(0x12345678); }), "305419896");
}

TEST(FormConvert, ScalarsIdentifiersAndSets)
{
    EXPECT_EQ(valueText([](FormBytes& f) { f.byte(8); }), "False");
    EXPECT_EQ(valueText([](FormBytes& f) { f.byte(13); }), "nil");
    EXPECT_EQ(valueText([](FormBytes& f) { f.ident("clBtnFace"); }), "clBtnFace");
    EXPECT_EQ(valueText([](FormBytes& f) { f.byte(11).byte(0); }), "[]");
    EXPECT_EQ(valueText([](FormBytes& f) { f.byte(11).shortString("akLeft").shortString("akTop").byte(0); }),
        "[akLeft, akTop]");
}

TEST(FormConvert, ExtendedFloatInGeneralFormat)
{
    // 2.5 = 0xA000000000000000 × 2^(16384 - 16383 - 63)
    EXPECT_EQ(valueText([](FormBytes& f) {
        f.byte(5).bytes({ 0, 0, 0, 0, 0, 0, 0, 0xA0, 0x00, 0x40 });
    }),
        "2.5");
}

TEST(FormConvert, QuotedStringsUseCodesForApostrophesAndControls)
{
    EXPECT_EQ(valueText([](FormBytes& f) { f.string("It's"); }), "'It'#39's'");
    EXPECT_EQ(valueText([](FormBytes& f) { f.string(""); }), "''");
    EXPECT_EQ(valueText([](FormBytes& f) { f.string("a\r\nb\t"); }), "'a'#13#10'b'#9");
    EXPECT_EQ(valueText([](FormBytes& f) { f.string("''"); }), "#39#39");
    // The text form is UTF-8: 8-bit strings that are no UTF-8 are read in the legacy code page.
    EXPECT_EQ(valueText([](FormBytes& f) { f.string("Gr\xFC\xDF"); }), "'Gr\xC3\xBC\xC3\x9F'");
    EXPECT_EQ(valueText([](FormBytes& f) { f.string("Gr\xC3\xBC\xC3\x9F"); }), "'Gr\xC3\xBC\xC3\x9F'");
}

TEST(FormConvert, LongStringsBreakIntoSegmentsOfSixtyFour)
{
    const std::string a64(64, 'a');
    const std::string b36(36, 'b');
    // 64 characters still fit on the property's line; 100 start on their own line one level deeper.
    EXPECT_EQ(valueText([&](FormBytes& f) { f.string(a64); }), "'" + a64 + "'");
    EXPECT_EQ(valueText([&](FormBytes& f) { f.string(a64 + b36); }),
        "\r\n    '" + a64 + "' +\r\n    '" + b36 + "'");
    // A 300-character long string: four full segments and a 44-character one.
    std::string text;
    for (int i = 0; i < 300; ++i)
        text += static_cast<char>('a' + i % 26);
    std::string expected = "\r\n    '" + text.substr(0, 64) + "' +";
    for (size_t at = 64; at < 256; at += 64)
        expected += "\r\n    '" + text.substr(at, 64) + "' +";
    expected += "\r\n    '" + text.substr(256) + "'";
    EXPECT_EQ(valueText([&](FormBytes& f) { f.longString(text); }), expected);
    // Codes count one character each towards the segment.
    std::string codes = std::string(62, 'x') + "'''z";
    EXPECT_EQ(valueText([&](FormBytes& f) { f.string(codes + std::string(60, 'y')); }),
        "\r\n    '" + std::string(62, 'x') + "'#39#39 +\r\n    #39'z" + std::string(60, 'y') + "'");
}

TEST(FormConvert, BinaryDataInLinesOfThirtyTwoBytes)
{
    auto twenty = counting(20);
    auto forty = counting(40);
    auto thirtyTwo = counting(32);
    EXPECT_EQ(valueText([&](FormBytes& f) { f.binary(twenty); }), "{" + hex(twenty, 0, 20) + "}");
    EXPECT_EQ(valueText([&](FormBytes& f) { f.binary(forty); }),
        "{\r\n    " + hex(forty, 0, 32) + "\r\n    " + hex(forty, 32, 8) + "}");
    EXPECT_EQ(
        valueText([&](FormBytes& f) { f.binary(thirtyTwo); }), "{\r\n    " + hex(thirtyTwo, 0, 32) + "}");
    EXPECT_EQ(valueText([](FormBytes& f) { f.binary({}); }), "{}");
}

TEST(FormConvert, ListsPutEachItemOnItsOwnLine)
{
    EXPECT_EQ(valueText([](FormBytes& f) { f.byte(1).string("one").int8(2).byte(1).byte(0).byte(0); }),
        "(\r\n    'one'\r\n    2\r\n    ())");
    EXPECT_EQ(valueText([](FormBytes& f) { f.byte(1).string(std::string(70, 'q')).byte(0); }),
        "(\r\n    \r\n      '" + std::string(64, 'q') + "' +\r\n      '" + std::string(6, 'q') + "')");
}

TEST(FormConvert, CollectionsWithAndWithoutItemIndexes)
{
    EXPECT_EQ(valueText([](FormBytes& f) {
        f.byte(14);
        f.byte(1).property("Width").int16(100).property("Text").string("Ready").end();
        f.int8(7).byte(1).end();
        f.end();
    }),
        "<\r\n"
        "    item\r\n"
        "      Width = 100\r\n"
        "      Text = 'Ready'\r\n"
        "    end\r\n"
        "    item [7]\r\n"
        "    end>");
    EXPECT_EQ(valueText([](FormBytes& f) { f.byte(14).end(); }), "<>");
    EXPECT_EQ(valueText([](FormBytes& f) { f.byte(14).string("x"); }), kInvalidPropertyValue);
}

TEST(FormConvert, LaterValueTypes)
{
    EXPECT_EQ(
        valueText([](FormBytes& f) { f.byte(15).u32(0x3DCCCCCD); }), "0.100000001490116s"); // single 0.1
    EXPECT_EQ(valueText([](FormBytes& f) { f.byte(16).u64(15000); }), "15000c"); // currency 1.5
    EXPECT_EQ(valueText([](FormBytes& f) { f.byte(17).u64(0x40E1D5D400000000ull); }), "36526.625d");
    EXPECT_EQ(valueText([](FormBytes& f) { f.byte(21).u64(0x3FB999999999999Aull); }), "0.1");
    EXPECT_EQ(valueText([](FormBytes& f) { f.byte(19).u64(0x8000000000000000ull); }), "-9223372036854775808");
    EXPECT_EQ(valueText([](FormBytes& f) {
        f.byte(18).u32(4).bytes({ 'C', 0, 0xE9, 0, '\'', 0, 0xAC, 0x20 });
    }),
        "'C\xC3\xA9'#39'\xE2\x82\xAC'");
    // Wide and UTF-8 strings show their characters; a byte that is no UTF-8 stands for itself, and
    // only a lone surrogate (no character) is written as a code.
    EXPECT_EQ(valueText([](FormBytes& f) { f.byte(20).u32(8).chars("\xC3\xA9 \xF0\x9F\x98\x80\xFF"); }),
        "'\xC3\xA9 \xF0\x9F\x98\x80\xC3\xBF'");
    EXPECT_EQ(valueText([](FormBytes& f) { f.byte(18).u32(3).bytes({ 0x16, 0x04, 0x3D, 0xD8, 'a', 0 }); }),
        "'\xD0\x96'#55357'a'");
}

TEST(FormConvert, NullValueWritesNothingAndKeepsItsPlace)
{
    FormBytes form;
    form.header()
        .signature()
        .object("TForm1", "Form1")
        .property("A")
        .byte(0)
        .property("B")
        .int8(1)
        .end()
        .end();
    EXPECT_EQ(convert(form), "object Form1: TForm1\r\n  A = \r\n  B = 1\r\nend\r\n");
}

TEST(FormConvert, RejectsWhatIsNotABinaryForm)
{
    FormBytes noHeader;
    noHeader.signature().object("TForm1", "Form1").end().end();
    EXPECT_EQ(failure(noHeader), kInvalidStreamFormat);

    FormBytes badSignature;
    badSignature.header().chars("TPF1").object("TForm1", "Form1").end().end();
    EXPECT_EQ(failure(badSignature), kInvalidStreamFormat);

    FormBytes unterminatedName;
    unterminatedName.bytes({ 0xFF, 0x0A, 0x00 }).chars(std::string(100, 'N'));
    EXPECT_EQ(failure(unterminatedName), kInvalidStreamFormat);
    EXPECT_EQ(failure(FormBytes()), kInvalidStreamFormat);
}

TEST(FormConvert, DamagedStreamsFailWithTheirMessage)
{
    EXPECT_EQ(valueText([](FormBytes& f) { f.byte(22); }), kInvalidPropertyValue);
    EXPECT_EQ(valueText([](FormBytes& f) { f.byte(0xF0); }), kInvalidPropertyValue);
    EXPECT_EQ(valueText([](FormBytes& f) { f.byte(1).byte(30).byte(0); }), kInvalidPropertyValue);

    FormBytes badPosition;
    badPosition.header().signature().byte(0xF2).string("1").object("TForm1", "Form1").end().end();
    EXPECT_EQ(failure(badPosition), kInvalidPropertyValue);

    // A length far beyond the input fails at the input's end instead of allocating it.
    FormBytes hugeBinary;
    hugeBinary.header()
        .signature()
        .object("TForm1", "Form1")
        .property("P")
        .byte(10)
        .u32(0xFFFFFFF0)
        .bytes({ 1, 2 });
    EXPECT_EQ(failure(hugeBinary), "Stream read error");
    FormBytes hugeString;
    hugeString.header()
        .signature()
        .object("TForm1", "Form1")
        .property("P")
        .byte(12)
        .u32(0x7FFFFFFF)
        .chars("ab");
    EXPECT_EQ(failure(hugeString), "Stream read error");

    FormBytes truncated;
    truncated.header().signature().object("TForm1", "Form1").property("Left").int8(1);
    EXPECT_EQ(failure(truncated), "Stream read error");
}

TEST(FormConvert, NestingIsBounded)
{
    auto nested = [](int depth) {
        FormBytes form;
        form.header().signature().object("TForm1", "Form1").property("P");
        for (int i = 1; i < depth; ++i)
            form.byte(1);
        for (int i = 1; i < depth; ++i)
            form.byte(0);
        return form.end().end();
    };
    EXPECT_EQ(failure(nested(FormStreamConverter::kMaxNesting)), "");
    EXPECT_EQ(failure(nested(FormStreamConverter::kMaxNesting + 1)), kInvalidStreamFormat);

    FormBytes deepObjects;
    deepObjects.header().signature();
    for (int i = 0; i < 100000; ++i)
        deepObjects.object("TPanel", "").end();
    EXPECT_EQ(failure(deepObjects), kInvalidStreamFormat);
}

TEST(FormConvert, StreamFunctionsWriteOnlyOnSuccess)
{
    FormBytes form;
    form.signature().object("TForm1", "Form1").end().end();
    ReadOnlyMemoryStream input(form.data());
    MemoryStream output;
    convertFormStream(input, output);
    EXPECT_EQ(std::string(output.bytes().begin(), output.bytes().end()), "object Form1: TForm1\r\nend\r\n");
    EXPECT_EQ(input.position(), static_cast<int64_t>(form.data().size()));

    FormBytes damaged;
    damaged.header().signature().object("TForm1", "Form1").property("P").byte(40).end().end();
    ReadOnlyMemoryStream damagedInput(damaged.data());
    MemoryStream untouched;
    EXPECT_THROW(convertFormResource(damagedInput, untouched), EReadError);
    EXPECT_EQ(untouched.size(), 0);
}

TEST(FormConvert, FormFileFormatByFirstBytes)
{
    auto format = [](std::string_view text) {
        return formFileFormat(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size()));
    };
    EXPECT_EQ(format("object Form1: TForm1"), FormFileFormat::Text);
    EXPECT_EQ(format("Inherited Form2: TForm2"), FormFileFormat::Text);
    EXPECT_EQ(format("\r\nobject"), FormFileFormat::Text);
    EXPECT_EQ(format("\xFF\x0A\x00"), FormFileFormat::Binary);
    EXPECT_EQ(format("TPF0"), FormFileFormat::Binary);
    EXPECT_EQ(format("\nobject"), FormFileFormat::Unknown);
    // Text saved with a byte-order mark is text; a resource header is told from a UTF-16 LE mark.
    EXPECT_EQ(format("\xEF\xBB\xBFobject"), FormFileFormat::Text);
    EXPECT_EQ(format("\xFF\xFEo\0"), FormFileFormat::Text);
    EXPECT_EQ(format("\xFE\xFF\0o"), FormFileFormat::Text);

    const std::string text = "object Form1: TForm1\r\nend\r\n";
    EXPECT_EQ(formFileText(std::span(reinterpret_cast<const uint8_t*>(text.data()), text.size())), text);
    FormBytes binary;
    binary.header().signature().object("TForm1", "Form1").end().end();
    EXPECT_EQ(formFileText(binary.data()), text);
}

// The sample project's binary forms are built from text sources (Windows-1252) by
// tools/make-binary-form.py; converting them back must give those sources character for character, as
// UTF-8.
TEST(FormConvert, SampleFormsConvertBackToTheirTextSources)
{
    const std::filesystem::path root = LRL_SOURCE_DIR;
    int checked = 0;
    for (const auto& entry : std::filesystem::directory_iterator(root / "examples/FormSources")) {
        if (entry.path().extension() != ".txt")
            continue;
        const std::string source = CodePage::of(1252).toUtf8(lrl::test::readFile(entry.path()));
        const std::string binary
            = lrl::test::readFile(root / "examples/Sample" / entry.path().stem().concat(".dfm"));
        ASSERT_FALSE(binary.empty()) << entry.path();
        EXPECT_EQ(
            convertFormResource(std::span(reinterpret_cast<const uint8_t*>(binary.data()), binary.size())),
            source)
            << entry.path();
        ++checked;
    }
    EXPECT_GE(checked, 2);
}
