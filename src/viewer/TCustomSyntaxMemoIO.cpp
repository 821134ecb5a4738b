// Loading, saving and replacing text: the parts of TCustomSyntaxMemo that move text in and out.

#include "viewer/TCustomSyntaxMemo.h"

#include "common/Exception.h"
#include "common/FileStream.h"
#include "common/Format.h"
#include "common/SourceDecoder.h"
#include "scheme/TSyntaxMemoParser.h"
#include "viewer/EFileSaveError.h"
#include "viewer/TPlainTextWriter.h"
#include "viewer/TSyntaxMemoListener.h"
#include "viewer/TSyntaxMemoStrings.h"
#include "viewer/TTextFeeder.h"

#include <cstring>
#include <exception>
#include <filesystem>
#include <new>

namespace lrl {

namespace {

    // Passes writes on to another stream and counts the bytes it took.
    class CountingStream : public Stream {
    public:
        explicit CountingStream(Stream& target)
            : m_target(target)
        {
        }
        size_t read(void* buffer, size_t count) override { return m_target.read(buffer, count); }
        size_t write(const void* buffer, size_t count) override
        {
            size_t n = m_target.write(buffer, count);
            m_count += static_cast<int64_t>(n);
            return n;
        }
        int64_t seek(int64_t offset, SeekOrigin origin) override { return m_target.seek(offset, origin); }
        bool canSeek() const override { return m_target.canSeek(); }
        int64_t count() const { return m_count; }

    private:
        Stream& m_target;
        int64_t m_count = 0;
    };

    // Sets a flag for the lifetime of the object and restores it on every exit.
    class FlagScope {
    public:
        FlagScope(bool& flag, bool value)
            : m_flag(flag)
            , m_old(flag)
        {
            m_flag = value;
        }
        ~FlagScope() { m_flag = m_old; }
        FlagScope(const FlagScope&) = delete;
        FlagScope& operator=(const FlagScope&) = delete;

    private:
        bool& m_flag;
        bool m_old;
    };

    const char* const kNoMemory = "Not enough memory for operation";

    // Appends the stream's bytes from its position to its end to bytes; false when memory ran out, with
    // the bytes read before.
    bool readRest(Stream& in, std::string& bytes)
    {
        constexpr size_t kPiece = 1 << 16;
        try {
            if (in.canSeek()) {
                int64_t left = in.size() - in.position();
                if (left > 0)
                    bytes.reserve(bytes.size() + static_cast<size_t>(left));
            }
            for (;;) {
                size_t had = bytes.size();
                bytes.resize(had + kPiece);
                size_t got = 0;
                try {
                    got = in.read(bytes.data() + had, kPiece);
                } catch (...) {
                    bytes.resize(had);
                    throw;
                }
                bytes.resize(had + got);
                if (got == 0)
                    return true;
            }
        } catch (const std::bad_alloc&) {
            return false;
        }
    }

} // namespace

// --- Loading

void TCustomSyntaxMemo::loadFromFile(const std::string& fileName)
{
    std::error_code ec;
    if (!std::filesystem::exists(fileName, ec))
        throw EFOpenError(format("File '%s' cannot be opened for reading", fileName.c_str()));
    FileStream in(fileName, FileStream::Mode::OpenRead);
    loadFromStream(in);
    m_store->undoLog().clear();
    if (options().has(smoTitleAsFilename))
        m_title = fileName;
}

void TCustomSyntaxMemo::loadFromStream(Stream& in)
{
    // ASCII reads the same in every encoding, so the text goes into the store as it is read while it is
    // ASCII (the common case keeps the speed of a plain load). From the first chunk with another byte on,
    // the rest is read whole: the encoding is told by all of it.
    loadScoped([&] {
        SourceEncodingInfo ascii;
        ascii.codePage = m_legacyCodePage;
        m_store->setEncoding(ascii);
        TTextFeeder feeder(*m_store, m_workBuffer, 0, 0);
        std::string rest;
        if (!feeder.feedAsciiStream(in, m_rawBuffer, rest)) {
            bool complete = readRest(in, rest);
            DecodedSource decoded = SourceDecoder::decode(std::move(rest), m_legacyCodePage, !feeder.fed());
            m_store->setEncoding(decoded.info);
            feeder.feedAll(decoded.text);
            // Running out of memory while reading still shows what was read.
            if (!complete)
                throw std::bad_alloc();
        }
        feeder.finish();
    });
}

void TCustomSyntaxMemo::loadSource(std::string bytes)
{
    loadScoped([&] {
        DecodedSource decoded = SourceDecoder::decode(std::move(bytes), m_legacyCodePage);
        m_store->setEncoding(decoded.info);
        TTextFeeder feeder(*m_store, m_workBuffer, 0, 0);
        feeder.feedAll(decoded.text);
        feeder.finish();
    });
}

void TCustomSyntaxMemo::setLegacyCodePage(int codePage) { m_legacyCodePage = CodePage::of(codePage).number(); }

void TCustomSyntaxMemo::setCodePage(int codePage)
{
    SourceEncodingInfo info;
    info.codePage = CodePage::of(codePage).number();
    setSourceEncoding(info);
}

void TCustomSyntaxMemo::setSourceEncoding(const SourceEncodingInfo& info)
{
    m_store->setEncoding(info);
    if (m_metricsCodePage != codePage()) {
        followCodePage();
        layoutChanged(options().has(smoWordWrap));
    }
}

void TCustomSyntaxMemo::setText(const char* text)
{
    std::string_view chars = text ? std::string_view(text, std::strlen(text)) : std::string_view();
    loadScoped([&] {
        TTextFeeder feeder(*m_store, m_workBuffer, 0, 0);
        feeder.feedAll(chars);
        feeder.finish();
    });
}

// The frame of every whole-text load: the old text goes, the scanner is detached and the store appends
// each chunk behind its last node; afterwards (also after a failure) the nodes are marked for a full
// rescan, the scanner is attached again and the listeners hear of the new text. Running out of memory is
// reported as ESyntaxMemo; what was read so far stays.
void TCustomSyntaxMemo::loadScoped(const std::function<void()>& read)
{
    m_loading = true;
    m_store->undoLog().clear();
    bool updating = m_redraw;
    if (updating)
        m_lines->beginUpdate();
    m_parsers.detach();
    notify([&](TSyntaxMemoListener& l) { l.loadStarted(*this); });

    auto finish = [&](bool complete) {
        m_store->setBulkLoad(false);
        m_store->dropAllAttrs();
        m_parsers.attach();
        if (TSyntaxMemoParser* parser = m_parsers.active())
            takeSchemeStyles(*parser);
        m_loading = false;
        m_anchor = m_caret = 0;
        m_rememberedColumn = 0;
        // The scan of the new text reports its tokens to OnTokenSeen, whose handler may fail; the load
        // still ends in order and the failure is raised at its end.
        std::exception_ptr scanFailure;
        try {
            displayTextLoaded(complete);
        } catch (...) {
            scanFailure = std::current_exception();
        }
        clampView();
        notify([&](TSyntaxMemoListener& l) { l.textLoaded(*this); });
        scrollCaret();
        if (updating)
            m_lines->endUpdate();
        m_store->undoLog().clear();
        m_modified = false;
        notify([&](TSyntaxMemoListener& l) { l.selectionChanged(*this); });
        notify([&](TSyntaxMemoListener& l) { l.viewChanged(*this); });
        notify([&](TSyntaxMemoListener& l) { l.changed(*this); });
        if (scanFailure)
            std::rethrow_exception(scanFailure);
    };
    try {
        m_anchor = 0;
        m_caret = m_store->charCount();
        m_store->clear();
        m_store->setBulkLoad(true);
        read();
    } catch (const std::bad_alloc&) {
        finish(false);
        throw ESyntaxMemo(kNoMemory);
    } catch (...) {
        finish(false);
        throw;
    }
    finish(true);
}

// --- Editing

// The frame of every edit at the selection: the selection's range is replaced chunk by chunk and the caret
// goes behind the inserted text, also when the insertion fails part-way.
void TCustomSyntaxMemo::editScoped(const std::function<void(TTextFeeder&)>& feed)
{
    FlagScope editing(m_editing, true);
    TTextFeeder feeder(*m_store, m_workBuffer, selStart(), selEnd());
    auto done = [&] {
        m_anchor = m_caret = std::min(feeder.caret(), m_store->charCount());
        m_modified = true;
        clampView();
        notify([&](TSyntaxMemoListener& l) { l.selectionChanged(*this); });
        notify([&](TSyntaxMemoListener& l) { l.changed(*this); });
        afterEdit();
        if (!m_updateLock && m_redraw)
            notify([&](TSyntaxMemoListener& l) { l.repaintNeeded(*this); });
    };
    try {
        feed(feeder);
        feeder.finish();
    } catch (const std::bad_alloc&) {
        done();
        throw ESyntaxMemo(kNoMemory);
    } catch (...) {
        done();
        throw;
    }
    done();
}

void TCustomSyntaxMemo::replaceSelection(std::string_view text)
{
    editScoped([&](TTextFeeder& feeder) { feeder.feedAll(text); });
}

void TCustomSyntaxMemo::readFromStream(Stream& in)
{
    editScoped([&](TTextFeeder& feeder) { feeder.feedStream(in, m_rawBuffer); });
}

void TCustomSyntaxMemo::clear()
{
    {
        FlagScope editing(m_editing, true);
        m_store->clear();
    }
    m_anchor = m_caret = 0;
    m_modified = true;
    m_store->undoLog().clear();
    clampView();
    notify([&](TSyntaxMemoListener& l) { l.selectionChanged(*this); });
    notify([&](TSyntaxMemoListener& l) { l.viewChanged(*this); });
    notify([&](TSyntaxMemoListener& l) { l.changed(*this); });
}

void TCustomSyntaxMemo::appendLines(const std::vector<std::string>& list)
{
    std::string text;
    const TLineNode* last = m_store->last();
    if (last && !last->endsLine())
        text += '\r';
    for (const auto& line : list) {
        text += line;
        text += "\r\n";
    }
    auto [anchor, caret] = selection();
    setSelection(m_store->charCount(), m_store->charCount(), false);
    replaceSelection(text);
    setSelection(anchor, caret, false);
}

// --- The whole text

std::string TCustomSyntaxMemo::text() const
{
    unsigned flags = selLineStyle() == lsCRLF ? wfAddLF : 0;
    return TPlainTextWriter(*m_store, 0, m_store->charCount(), flags).text();
}

std::string TCustomSyntaxMemo::textRange(int start, int end) const
{
    start = std::clamp(start, 0, m_store->charCount());
    end = std::clamp(end, start, m_store->charCount());
    return TPlainTextWriter(*m_store, start, end, 0).text();
}

int TCustomSyntaxMemo::textLength() const
{
    return m_store->charCount() + (selLineStyle() == lsCRLF ? m_store->lineEndCount() : 0);
}

// --- Saving

void TCustomSyntaxMemo::setFormatWriter(TSaveFormat format, TFormatWriter writer)
{
    if (format == sfRTF)
        m_rtfWriter = std::move(writer);
    else if (format == sfHTML)
        m_htmlWriter = std::move(writer);
}

void TCustomSyntaxMemo::saveToFile(const std::string& fileName)
{
    FileStream out(fileName, FileStream::Mode::Create);
    saveToStream(out);
    if (options().has(smoTitleAsFilename))
        m_title = fileName;
}

void TCustomSyntaxMemo::saveToStream(Stream* out)
{
    if (!out)
        throw EFileSaveError("Bad TStream instance");
    int64_t start = out->canSeek() ? out->position() : 0;
    unsigned flags = 0;
    switch (m_saveFormat) {
    case sfTEXT:
        flags = selLineStyle() == lsCRLF ? wfAddLF : 0;
        break;
    case sfRTF:
        flags = wfRichText;
        break;
    case sfHTML:
        flags = wfHTML;
        break;
    case sfUNIX:
        flags = wfLFOnly;
        break;
    }
    // The rich formats are written from current token values; the scan cannot run once updates are
    // locked, so it runs first.
    if (m_saveFormat == sfRTF || m_saveFormat == sfHTML)
        fullScan();
    FlagScope locked(m_updateLock, true);
    auto [anchor, caret] = selection();
    m_anchor = 0;
    m_caret = m_store->charCount();
    try {
        // A stream that takes fewer bytes than the text has is given the whole text again from where
        // writing began, up to four times.
        for (int attempt = 1;; ++attempt) {
            int64_t written = writeCounted(*out, flags);
            if (m_store->charCount() == 0 || written >= m_store->charCount())
                break;
            if (attempt == 4)
                throw EFileSaveError("Could not save text to stream");
            if (out->canSeek())
                out->setPosition(start);
        }
    } catch (...) {
        m_anchor = anchor;
        m_caret = caret;
        throw;
    }
    m_anchor = anchor;
    m_caret = caret;
}

void TCustomSyntaxMemo::writeSelection(Stream& out, unsigned flags) { writeCounted(out, flags); }

int64_t TCustomSyntaxMemo::writeCounted(Stream& out, unsigned flags)
{
    if (flags & (wfRichText | wfHTML)) {
        const TFormatWriter& writer = (flags & wfRichText) ? m_rtfWriter : m_htmlWriter;
        if (!writer)
            throw ESyntaxMemo(
                (flags & wfRichText) ? "Rich text export is not available" : "HTML export is not available");
        CountingStream counted(out);
        writer(*this, counted);
        return counted.count();
    }
    return TPlainTextWriter(*m_store, selStart(), selEnd(), flags).write(out);
}

} // namespace lrl
