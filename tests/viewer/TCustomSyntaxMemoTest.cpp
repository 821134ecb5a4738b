#include "viewer/TCustomSyntaxMemo.h"

#include "ViewerTestUtil.h"
#include "common/Exception.h"
#include "common/FileStream.h"
#include "support/TempDir.h"
#include "viewer/EFileSaveError.h"
#include "viewer/TPlainTextWriter.h"
#include "viewer/TSyntaxMemoListener.h"
#include "viewer/TSyntaxMemoStrings.h"
#include "viewer/TTextStoreCheck.h"
#include "viewer/ViewerFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <new>
#include <unistd.h>

using namespace lrl;
using lrl::test::errorOf;
using lrl::test::loadBytes;
using lrl::test::nodeTexts;
using lrl::test::numberedLines;
using lrl::test::saved;

namespace {

// Gives its bytes, then fails with the given error once they are used up.
template <typename Error> class FailingStream : public Stream {
public:
    explicit FailingStream(std::string bytes)
        : m_bytes(std::move(bytes))
    {
    }
    size_t read(void* buffer, size_t count) override
    {
        if (m_pos >= m_bytes.size())
            throw Error();
        size_t n = std::min(count, m_bytes.size() - m_pos);
        std::memcpy(buffer, m_bytes.data() + m_pos, n);
        m_pos += n;
        return n;
    }
    size_t write(const void*, size_t) override { return 0; }
    int64_t seek(int64_t, SeekOrigin) override { return static_cast<int64_t>(m_pos); }

private:
    std::string m_bytes;
    size_t m_pos = 0;
};

// Takes at most `limit` bytes per write and counts the writes.
class ShortStream : public MemoryStream {
public:
    size_t write(const void* buffer, size_t count) override
    {
        ++writes;
        return MemoryStream::write(buffer, std::min(count, limit));
    }
    size_t limit = 1;
    int writes = 0;
};

class EventLog : public TSyntaxMemoListener {
public:
    void textChanged(TCustomSyntaxMemo&, const TTextChange&) override { events += "changed-text "; }
    void loadStarted(TCustomSyntaxMemo& m) override
    {
        events += "load ";
        scannerDetached = m.parsers().detached();
    }
    void textLoaded(TCustomSyntaxMemo& m) override
    {
        events += "loaded ";
        rescanAll = true;
        for (const TLineNode* n = m.textStore().first(); n; n = n->next)
            rescanAll = rescanAll && (n->flags & lfRescan) && !n->hasAttrs();
    }
    void bookmarksChanged(TCustomSyntaxMemo&) override { events += "bookmarks "; }
    std::string events;
    bool scannerDetached = false;
    bool rescanAll = false;
};

std::string withStyle(TCustomSyntaxMemo& memo, TSaveFormat format, TLineEndStyle style)
{
    memo.setSaveFormat(format);
    memo.setSelLineStyle(style);
    return saved(memo);
}

} // namespace

// --- Loading

TEST(TCustomSyntaxMemo, EmptyStreamGivesAnEmptyText)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, "abc\r\n");
    loadBytes(memo, "");
    EXPECT_EQ(memo.textStore().lineCount(), 0);
    EXPECT_EQ(memo.textStore().charCount(), 0);
    EXPECT_EQ(memo.lines().count(), 0);
    EXPECT_EQ(memo.getLineCount(), 1);
    EXPECT_EQ(memo.text(), "");
}

TEST(TCustomSyntaxMemo, LineEndPairsLoadAsOneLineEnd)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, "a\r\nb");
    EXPECT_EQ(nodeTexts(memo.textStore()), (std::vector<std::string> { "a\r", "b" }));
    EXPECT_EQ(memo.textStore().charCount(), 3);
    EXPECT_EQ(withStyle(memo, sfTEXT, lsCRLF), "a\r\nb");
    EXPECT_EQ(withStyle(memo, sfTEXT, lsLF), "a\rb");
    EXPECT_EQ(withStyle(memo, sfUNIX, lsCRLF), "a\nb");

    loadBytes(memo, "a\n\rb");
    EXPECT_EQ(memo.textStore().lineCount(), 2);
    loadBytes(memo, "a\r\rb");
    EXPECT_EQ(memo.textStore().lineCount(), 3);
}

TEST(TCustomSyntaxMemo, TextEndingInALineBreakHasNoNodeForItsLastLine)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, "a\r\nb\r\n");
    EXPECT_EQ(memo.textStore().lineCount(), 2);
    EXPECT_EQ(memo.lineFromChar(memo.textStore().charCount()), 2);
    EXPECT_EQ(memo.lineIndex(2), 4);
    EXPECT_EQ(memo.lineIndex(3), -1);
    EXPECT_EQ(memo.lines().count(), 2);
    EXPECT_EQ(memo.text(), "a\r\nb\r\n");
}

TEST(TCustomSyntaxMemo, LongLineBecomesPiecesThatCountAsLines)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, std::string(5000, 'q'));
    auto nodes = nodeTexts(memo.textStore());
    ASSERT_EQ(nodes.size(), 3u);
    EXPECT_EQ(nodes[2].size(), 906u);
    const TLineNode* second = memo.textStore().first()->next;
    EXPECT_EQ(second->bookmarkBits, kContinuationBit);
    EXPECT_EQ(second->next->bookmarkBits, kContinuationBit);
    EXPECT_EQ(memo.lines().count(), 3);
    EXPECT_EQ(memo.lines().get(1), std::string(2047, 'q'));
    EXPECT_EQ(memo.text(), std::string(5000, 'q'));
}

TEST(TCustomSyntaxMemo, ControlCharactersShowAsDotsAndTabsStay)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, std::string("a\0b\x1b", 4) + "c\td");
    EXPECT_EQ(memo.lines().get(0), "a.b.c\td");
    EXPECT_TRUE(memo.textStore().first()->hasTab());
}

TEST(TCustomSyntaxMemo, CrLfAcrossTheBlockBoundaryIsOneLineEnd)
{
    std::string bytes(8191, 'x');
    bytes += "\r\ny";
    TCustomSyntaxMemo memo;
    loadBytes(memo, bytes);
    EXPECT_EQ(memo.textStore().lineEndCount(), 1);
    EXPECT_EQ(memo.textStore().charCount(), 8193);
    EXPECT_EQ(memo.lines().get(memo.lines().count() - 1), "y");
    EXPECT_EQ(saved(memo), bytes);
    EXPECT_EQ(checkTextStore(memo.textStore()), "");
}

TEST(TCustomSyntaxMemo, LoadResetsTheViewAndRescansEverything)
{
    TCustomSyntaxMemo memo;
    EventLog log;
    memo.addListener(&log);
    std::string big = numberedLines(3000);
    loadBytes(memo, big);
    memo.setSelection(10, 20);
    memo.setTopLine(100);
    memo.setModified(true);
    memo.undoLog().push({ 0, "a", "b" });
    log.events.clear();

    loadBytes(memo, big);
    EXPECT_EQ(log.events, "load loaded "); // no report per chunk
    EXPECT_TRUE(log.scannerDetached);
    EXPECT_TRUE(log.rescanAll);
    EXPECT_FALSE(memo.parsers().detached());
    EXPECT_FALSE(memo.isLoading());
    EXPECT_EQ(memo.selection(), std::make_pair(0, 0));
    EXPECT_EQ(memo.topLine(), 0);
    EXPECT_FALSE(memo.modified());
    EXPECT_FALSE(memo.canUndo());
    EXPECT_TRUE(memo.redraw());
}

TEST(TCustomSyntaxMemo, OutOfMemoryKeepsWhatWasReadSoFar)
{
    TCustomSyntaxMemo memo;
    FailingStream<std::bad_alloc> in(std::string(10000, 'a'));
    EXPECT_EQ(errorOf<ESyntaxMemo>([&] { memo.loadFromStream(in); }), "Not enough memory for operation");
    EXPECT_EQ(memo.textStore().charCount(), 8192); // the block inserted before the failure
    EXPECT_FALSE(memo.isLoading());
    EXPECT_FALSE(memo.textStore().bulkLoad());

    FailingStream<EReadError> broken("abc");
    EXPECT_THROW(memo.loadFromStream(broken), EReadError); // other errors pass unchanged
    EXPECT_EQ(memo.text(), "");
}

// --- Files

TEST(TCustomSyntaxMemo, LoadingAFileLeavesItUntouched)
{
    lrl::test::TempDir dir;
    std::string bytes = "unit A;\r\n\tx := 1;\n\0\r\n";
    std::string path = dir.write("a.pas", bytes);
    auto before = std::filesystem::last_write_time(path);
    TCustomSyntaxMemo memo;
    memo.loadFromFile(path);
    EXPECT_EQ(memo.lines().get(1), "\tx := 1;");
    EXPECT_EQ(memo.title(), path);
    EXPECT_EQ(lrl::test::readFile(path), bytes);
    EXPECT_EQ(std::filesystem::last_write_time(path), before);
}

TEST(TCustomSyntaxMemo, LoadsEachEncodingIntoTheCodePageThatHoldsIt)
{
    auto load = [](const std::string& fixture, int legacy = 1252) {
        auto memo = std::make_unique<TCustomSyntaxMemo>();
        memo->setLegacyCodePage(legacy);
        memo->loadFromFile(LRL_TEST_DATA_DIR "/encoding/" + fixture);
        return memo;
    };
    for (const char* fixture : { "cp1252.pas", "utf8-bom.pas", "utf8.pas", "utf16le-bom.pas" }) {
        auto memo = load(fixture);
        EXPECT_EQ(memo->lines().get(0), "unit Umlaute;") << fixture; // no mark before the text
        EXPECT_EQ(memo->lines().get(4), "// Preis in \x80: \xE4\xF6\xFC") << fixture;
        EXPECT_EQ(memo->codePage(), 1252) << fixture;
        EXPECT_EQ(memo->textStore().lineCount(), 15) << fixture;
    }
    EXPECT_EQ(load("utf8-bom.pas")->sourceEncoding().encoding, SourceEncoding::Utf8Bom);
    EXPECT_EQ(load("utf16le-bom.pas")->sourceEncoding().name(), "UTF-16 LE");

    auto cyrillic = load("utf8-cyrillic.pas");
    EXPECT_EQ(cyrillic->codePage(), 1251);
    EXPECT_EQ(cyrillic->lines().get(11), "  Writeln('\xC6\xF3\xEA');");
    auto mixed = load("utf8-greek-cyrillic.pas");
    EXPECT_EQ(mixed->codePage(), 1253);
    EXPECT_EQ(mixed->sourceEncoding().replaced, 3u);

    // Bytes in no Unicode form are taken in the legacy page as they are.
    auto legacy = load("invalid-utf8.pas", 1250);
    EXPECT_EQ(legacy->codePage(), 1250);
    EXPECT_EQ(legacy->sourceEncoding().name(), "Windows-1250");
    EXPECT_EQ(legacy->lines().get(2), "const S = '\xE4';");

    // Text given to the viewer afterwards is taken in the page of the store.
    cyrillic->setText("\xC6");
    EXPECT_EQ(cyrillic->codePage(), 1251);
    cyrillic->setCodePage(1257);
    EXPECT_EQ(cyrillic->codePage(), 1257);
    cyrillic->setCodePage(866); // no page the store can use
    EXPECT_EQ(cyrillic->codePage(), 1252);
}

// The text goes into the store as it is read while it is ASCII; the first other byte may come many
// chunks later and still decides the encoding of the whole text.
TEST(TCustomSyntaxMemo, EncodingIsToldByBytesFarIntoTheText)
{
    const std::string ascii(20000, 'a');
    TCustomSyntaxMemo memo;
    loadBytes(memo, ascii + "\xD0\x96");
    EXPECT_EQ(memo.codePage(), 1251);
    EXPECT_EQ(memo.sourceEncoding().encoding, SourceEncoding::Utf8);
    EXPECT_EQ(memo.textRange(19999, 20001), "a\xC6");
    EXPECT_EQ(memo.textStore().charCount(), 20001);

    loadBytes(memo, ascii + "\xE4\xD0\x96"); // no UTF-8: legacy bytes as they are
    EXPECT_EQ(memo.sourceEncoding().encoding, SourceEncoding::Legacy);
    EXPECT_EQ(memo.codePage(), 1252);
    EXPECT_EQ(memo.textRange(20000, 20003), "\xE4\xD0\x96");

    // A byte-order mark counts only at the start of the text.
    loadBytes(memo, ascii + "\xEF\xBB\xBF" "b");
    EXPECT_EQ(memo.sourceEncoding().encoding, SourceEncoding::Utf8);
    EXPECT_EQ(memo.sourceEncoding().replaced, 1u);
    EXPECT_EQ(memo.textRange(20000, 20002), "?b");

    loadBytes(memo, ascii);
    EXPECT_EQ(memo.sourceEncoding().encoding, SourceEncoding::Legacy);
    EXPECT_EQ(memo.textStore().charCount(), 20000);
}

TEST(TCustomSyntaxMemo, FilesThatCannotBeReadRaiseClearErrorsAndKeepTheText)
{
    lrl::test::TempDir dir;
    TCustomSyntaxMemo memo;
    loadBytes(memo, "kept");
    std::string missing = (dir.path() / "none.pas").string();
    EXPECT_EQ(errorOf<EFOpenError>([&] { memo.loadFromFile(missing); }),
        "File '" + missing + "' cannot be opened for reading");
    std::string folder = errorOf<EFOpenError>([&] { memo.loadFromFile(dir.path().string()); });
    EXPECT_NE(folder.find(dir.path().string()), std::string::npos) << folder;
    if (::geteuid() != 0) { // root reads anything
        std::string locked = dir.write("locked.pas", "x");
        std::filesystem::permissions(locked, std::filesystem::perms::none);
        EXPECT_THROW(memo.loadFromFile(locked), EFOpenError);
    }
    EXPECT_EQ(memo.text(), "kept");
}

TEST(TCustomSyntaxMemo, SavesToAFileAndKeepsTheTitleOnlyWhenAsked)
{
    lrl::test::TempDir dir;
    TCustomSyntaxMemo memo;
    loadBytes(memo, "a\nb");
    TSyntaxMemoOptions o = memo.options();
    o.erase(smoTitleAsFilename);
    memo.setOptions(o);
    std::string path = (dir.path() / "out.txt").string();
    memo.saveToFile(path);
    EXPECT_EQ(lrl::test::readFile(path), "a\r\nb");
    EXPECT_EQ(memo.title(), "");
    EXPECT_THROW(memo.saveToFile((dir.path() / "no" / "dir.txt").string()), EFCreateError);
}

// --- Saving

TEST(TCustomSyntaxMemo, SaveErrorsAndTheSelectionAfterwards)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, "abc\r\ndef");
    memo.setSelection(5, 2);
    EXPECT_EQ(errorOf<EFileSaveError>([&] { memo.saveToStream(nullptr); }), "Bad TStream instance");
    ShortStream shortStream;
    EXPECT_EQ(
        errorOf<EFileSaveError>([&] { memo.saveToStream(shortStream); }), "Could not save text to stream");
    EXPECT_EQ(shortStream.writes, 4);
    EXPECT_EQ(memo.selection(), std::make_pair(5, 2));
    EXPECT_FALSE(memo.updateLocked());

    MemoryStream out;
    memo.saveToStream(out);
    EXPECT_EQ(memo.selection(), std::make_pair(5, 2));
}

TEST(TCustomSyntaxMemo, RichFormatsGoToTheirWriters)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, "abc\r\ndef");
    memo.setSaveFormat(sfRTF);
    MemoryStream out;
    EXPECT_THROW(memo.saveToStream(out), ESyntaxMemo);
    std::pair<int, int> seen;
    memo.setFormatWriter(sfRTF, [&](TCustomSyntaxMemo& m, Stream& s) {
        seen = m.getSel();
        s.writeBuffer("{\\rtf1 }}", 9);
    });
    memo.saveToStream(out);
    EXPECT_EQ(seen, std::make_pair(0, 7));
    EXPECT_EQ(out.bytes().size(), 9u);

    memo.setFormatWriter(sfHTML, [](TCustomSyntaxMemo&, Stream& s) { s.writeBuffer("<HTML>", 6); });
    MemoryStream html;
    memo.setSelection(1, 2);
    memo.writeSelection(html, wfHTML);
    EXPECT_EQ(html.bytes().size(), 6u);
}

TEST(TCustomSyntaxMemo, WritesTheSelectionWithEachLineEndForm)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, "ab\r\ncd\r\nef");
    memo.setSelection(1, 7); // "b\rcd\re"
    auto written = [&](unsigned flags) {
        MemoryStream out;
        memo.writeSelection(out, flags);
        return std::string(out.bytes().begin(), out.bytes().end());
    };
    EXPECT_EQ(written(0), "b\rcd\re");
    EXPECT_EQ(written(wfAddLF), "b\r\ncd\r\ne");
    EXPECT_EQ(written(wfLFOnly), "b\ncd\ne");

    char buffer[5];
    EXPECT_EQ(memo.renderSelection(buffer, sizeof buffer, 1), 8);
    EXPECT_EQ(std::string(buffer, 5), "b\r\ncd");
    EXPECT_EQ(memo.renderSelection(nullptr, 0, 0), 6);
    EXPECT_EQ(memo.selText(), "b\rcd\re");
}

// --- Whole text

TEST(TCustomSyntaxMemo, TextAndItsLengthFollowTheLineStyle)
{
    TCustomSyntaxMemo memo;
    memo.setText("one\ntwo\r\n");
    EXPECT_EQ(memo.text(), "one\r\ntwo\r\n");
    EXPECT_EQ(memo.textLength(), 10);
    memo.setSelLineStyle(lsLF);
    EXPECT_EQ(memo.text(), "one\rtwo\r");
    EXPECT_EQ(memo.textLength(), 8);
    memo.setText(nullptr);
    EXPECT_EQ(memo.textStore().charCount(), 0);
}

TEST(TCustomSyntaxMemo, ClearEmptiesTheTextAndTheUndoLog)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, "abc\r\ndef");
    memo.undoLog().push({ 0, "x", "" });
    memo.setSelection(2, 5);
    memo.clear();
    EXPECT_EQ(memo.textStore().charCount(), 0);
    EXPECT_FALSE(memo.canUndo());
    EXPECT_EQ(memo.selection(), std::make_pair(0, 0));
}

// --- Selection and editing

TEST(TCustomSyntaxMemo, SelLengthCountsLineEndsTwiceUnderCrLf)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, "ab\r\ncd\r\nef");
    memo.setSelection(1, 8);
    int lf = 0;
    memo.setSelLineStyle(lsLF);
    lf = memo.selLength();
    memo.setSelLineStyle(lsCRLF);
    EXPECT_EQ(lf, 7);
    EXPECT_EQ(memo.selLength(), lf + 2);

    // Setting the length counts the same way.
    memo.setSelStart(1);
    memo.setSelLength(4); // "b", CR LF, "c"
    EXPECT_EQ(memo.getSel(), std::make_pair(1, 4));
    memo.setSelLineStyle(lsLF);
    memo.setSelLength(4);
    EXPECT_EQ(memo.getSel(), std::make_pair(1, 5));
    memo.setSelLength(1000);
    EXPECT_EQ(memo.selEnd(), memo.textStore().charCount());
}

TEST(TCustomSyntaxMemo, SelectionEndsAreClampedAndMinusOneSelectsAll)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, "abc\r\ndef");
    memo.setSelection(-1, 3);
    EXPECT_EQ(memo.selection(), std::make_pair(0, 7));
    memo.setSelection(100, -5);
    EXPECT_EQ(memo.selection(), std::make_pair(7, 0));
    EXPECT_EQ(memo.selStart(), 0);
    memo.setSel(2, 3);
    memo.setSel(0, -1);
    EXPECT_EQ(memo.getSel(), std::make_pair(0, 7));
    memo.setSel(2, 3);
    memo.setSel(-1, 0); // drops the selection at the caret
    EXPECT_EQ(memo.getSel(), std::make_pair(3, 3));
}

TEST(TCustomSyntaxMemo, ReplacingTheSelectionNormalisesAndMovesTheCaret)
{
    TCustomSyntaxMemo memo;
    EventLog log;
    memo.addListener(&log);
    loadBytes(memo, "abc\r\ndef");
    memo.setSelection(1, 6);
    log.events.clear();
    memo.replaceSelection("X\nY\x01");
    EXPECT_EQ(memo.text(), "aX\r\nY.f");
    EXPECT_EQ(memo.selection(), std::make_pair(5, 5));
    EXPECT_TRUE(memo.modified());
    EXPECT_EQ(log.events, "changed-text ");
    memo.setSelection(0, 2);
    memo.replaceSelection(nullptr);
    EXPECT_EQ(memo.text(), "\r\nY.f");

    std::string big(20000, 'z');
    big[8191] = '\r';
    big[8192] = '\n';
    memo.setSelection(0, 0);
    memo.replaceSelection(big);
    EXPECT_EQ(memo.selCaret(), 19999);
    EXPECT_EQ(memo.textStore().lineEndCount(), 2);
    EXPECT_EQ(checkTextStore(memo.textStore()), "");
}

TEST(TCustomSyntaxMemo, ReadsAStreamIntoTheSelection)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, "[]");
    memo.setSelection(1, 1);
    ReadOnlyMemoryStream in(std::span(reinterpret_cast<const uint8_t*>("x\r\ny"), 4));
    memo.readFromStream(in);
    EXPECT_EQ(memo.text(), "[x\r\ny]");
    EXPECT_EQ(memo.selCaret(), 4);
}

// --- Edit-control queries

TEST(TCustomSyntaxMemo, LineQueriesAnswerLikeAnEditControl)
{
    TCustomSyntaxMemo memo;
    EXPECT_EQ(memo.lineIndex(0), 0); // line 0 of an empty text exists
    EXPECT_EQ(memo.lineIndex(1), -1);
    loadBytes(memo, "first\r\nsecond\r\n");
    EXPECT_EQ(memo.lineIndex(1), 6);
    EXPECT_EQ(memo.lineIndex(2), 13);
    EXPECT_EQ(memo.lineIndex(-2), -1);
    memo.setSelection(8, 8);
    EXPECT_EQ(memo.lineIndex(-1), 6);
    EXPECT_EQ(memo.lineFromChar(-1), 1);
    EXPECT_EQ(memo.lineLength(-1), 6);
    EXPECT_EQ(memo.lineLength(2), 5);
    EXPECT_EQ(memo.lineLength(13), 0);

    char buffer[4] = { '#', '#', '#', '#' };
    EXPECT_EQ(memo.getLine(1, buffer, 3), 3);
    EXPECT_EQ(std::string(buffer, 4), "sec#"); // no NUL added
    EXPECT_EQ(memo.getLine(2, buffer, 4), 0);
    EXPECT_EQ(memo.lineText(0), "first");
}

TEST(TCustomSyntaxMemo, ScrollCaretBringsTheCaretIntoTheWindow)
{
    TCustomSyntaxMemo memo;
    std::string text;
    for (int i = 0; i < 100; ++i)
        text += std::string(200, 'a') + "\r\n";
    loadBytes(memo, text);
    memo.setRowsInWindow(10);
    memo.setColumnsInWindow(40);
    memo.setSelStart(memo.lineIndex(50) + 100);
    memo.scrollCaret();
    EXPECT_EQ(memo.topLine(), 41);
    EXPECT_GT(memo.scrollColumn() + 40, 100);
    EXPECT_LE(memo.scrollColumn(), 100);
    EXPECT_EQ(memo.scrollColumn() % 8, 0);
    memo.setSelStart(memo.lineIndex(3) + 5);
    memo.scrollCaret();
    EXPECT_EQ(memo.topLine(), 3);
    EXPECT_EQ(memo.scrollColumn(), 0);
}

// --- Component queries

TEST(TCustomSyntaxMemo, CopiesTokenValuesIntoAndOutOfLines)
{
    TCustomSyntaxMemo memo;
    loadBytes(memo, "ab\r\ncde\r\nf");
    const uint8_t in[] = { 1, 2, 3, 4, 5, 6, 7, 8 };
    for (TLineNode* n = memo.textStore().first(); n; n = n->next)
        n->flags = 0;
    EXPECT_EQ(memo.setLineAttrs(0, 1, in, sizeof in), 7u);
    const TLineNode* first = memo.textStore().first();
    EXPECT_EQ(first->attrs()[2], 3);
    EXPECT_EQ(first->flags, uint32_t(lfRescan));
    EXPECT_FALSE(memo.textStore().last()->hasAttrs());

    uint8_t out[9] = {};
    EXPECT_EQ(memo.getLineAttrs(1, 5, out, sizeof out), 5u);
    EXPECT_EQ(out[0], 4);
    EXPECT_EQ(out[3], 7);
    EXPECT_EQ(out[4], 0); // line 2 has no token values
    EXPECT_EQ(memo.getLineAttrs(0, 5, out, 2), 2u);
}

TEST(TCustomSyntaxMemo, OptionsSitAtTheirBits)
{
    TSyntaxMemoOptions o;
    o.insert(smoLineNumbers);
    EXPECT_EQ(o.bits(), 1u);
    EXPECT_EQ(smoBit(smoSyntaxHighlight), 1u << 4);
    EXPECT_EQ(smoBit(smoOLEDragSource), 1u << 25);
    EXPECT_EQ(smoBit(smoShowAllChars), 1u << 26);
    EXPECT_EQ(smoBit(smoCaretAfterEOL), 1u << 27);

    // A new viewer starts with every option but these five.
    TCustomSyntaxMemo memo;
    EXPECT_EQ(memo.optionBits(), TSM_Settings::kDefaultOptions);
    const TSyntaxMemoOption off[]
        = { smoWordWrap, smoWrapOverride, smoCaretAfterEOL, smoLineNumbers, smoShowAllChars };
    for (int i = smoSyntaxHighlight; i <= smoShowAllChars; ++i) {
        auto option = static_cast<TSyntaxMemoOption>(i);
        EXPECT_EQ(
            memo.options().has(option), std::find(std::begin(off), std::end(off), option) == std::end(off))
            << i;
    }
    memo.setOptionBits(memo.optionBits() | smoBit(smoWordWrap));
    EXPECT_TRUE(memo.options().has(smoWordWrap));
    EXPECT_EQ(memo.settings().options & smoBit(smoWordWrap), smoBit(smoWordWrap));
}

TEST(TCustomSyntaxMemo, TabStopsLiveInTheSettings)
{
    TCustomSyntaxMemo memo;
    memo.setTabColumns("5 9");
    memo.setTabDefault(3);
    TSM_Settings settings = memo.settings();
    EXPECT_EQ(settings.tabDefault, 3);
    EXPECT_EQ(settings.tabColumn(0), 4);
    EXPECT_EQ(settings.tabColumn(1), 8);
    EXPECT_EQ(settings.tabColumn(2), -1);

    settings.setTabColumn(0, 2);
    settings.setTabColumn(1, 1); // out of order: the columns end before it
    settings.tabDefault = 0; // unusable: the default width stays sound
    memo.setSettings(settings);
    EXPECT_EQ(memo.tabColumns(), "3");
    EXPECT_EQ(memo.tabDefault(), 4);
    EXPECT_EQ(memo.nextTabColumn(3), 4);
}

TEST(TCustomSyntaxMemo, SharesAStoreWithAnotherViewer)
{
    auto owner = std::make_unique<TCustomSyntaxMemo>();
    TCustomSyntaxMemo other;
    loadBytes(*owner, "shared\r\ntext");
    loadBytes(other, "own text that goes");
    other.setSelection(15, 15);
    other.attachToStoreOf(*owner);
    EXPECT_EQ(&other.textStore(), &owner->textStore());
    EXPECT_EQ(other.text(), "shared\r\ntext");
    EXPECT_EQ(other.selCaret(), 11);
    other.setSelection(0, 6);
    other.replaceSelection("common");
    EXPECT_EQ(owner->lines().get(0), "common");
    owner->setSelection(0, 11);
    owner->replaceSelection("");
    EXPECT_EQ(other.selCaret(), 0); // clamped to the shorter text
    owner.reset(); // the store lives on with the other viewer
    EXPECT_EQ(other.text(), "");
}

// --- Bookmarks

TEST(TCustomSyntaxMemo, BookmarksJumpToTheirColumnAndCentreTheLine)
{
    TCustomSyntaxMemo memo;
    EventLog log;
    memo.addListener(&log);
    loadBytes(memo, numberedLines(60, "\tline "));
    memo.setRowsInWindow(20);
    int line40 = memo.lineIndex(40);
    memo.setBookmark(3, line40 + 3); // TAB, "l", "i": column 6
    EXPECT_EQ(memo.textStore().bookmarkColumns()[3], 7);
    EXPECT_EQ(memo.bookmarkLine(3), 40);
    EXPECT_NE(log.events.find("bookmarks"), std::string::npos);
    memo.setBookmark(3, memo.lineIndex(45)); // moves it
    EXPECT_EQ(memo.bookmarkLine(3), 45);
    memo.setBookmark(3, line40 + 3);

    memo.setSelStart(0);
    EXPECT_TRUE(memo.jumpToBookmark(3));
    EXPECT_EQ(memo.selCaret(), line40 + 3);
    EXPECT_EQ(memo.topLine(), 30);

    // A shorter line puts the caret at its end.
    memo.textStore().bookmarkColumns()[3] = 100;
    memo.jumpToBookmark(3);
    EXPECT_EQ(memo.selCaret(), line40 + memo.lineLength(line40));

    EXPECT_FALSE(memo.jumpToBookmark(4));
    memo.clearBookmark(3);
    EXPECT_EQ(memo.bookmarkLine(3), -1);
    for (int bad : { 10, -1 })
        EXPECT_EQ(errorOf<ESyntaxMemo>([&] { memo.jumpToBookmark(bad); }), "Bookmark index range error");
}

TEST(ViewerFile, LoadsAFileAsTheViewerDoes)
{
    lrl::test::TempDir dir;
    std::string path = dir.write("u.pas", "a\r\nb\n");
    auto memo = loadViewerFile(path);
    EXPECT_EQ(memo->textStore().charCount(), 4);
    EXPECT_EQ(memo->lines().get(1), "b");
    EXPECT_THROW(loadViewerFile(path + ".missing"), EFOpenError);
}
