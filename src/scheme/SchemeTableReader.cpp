#include "scheme/SchemeTableReader.h"

#include "common/Exception.h"
#include "common/StreamIO.h"
#include "scheme/SchemeTable.h"
#include "scheme/SchemeTableFormat.h"
#include "scheme/SchemeTableWriter.h"

namespace lrl {

using namespace schemeformat;

namespace {
    constexpr size_t kEffectBytes = 1 + 1 + 4 + 4 + 1 + 1 + 1 + 4;
    constexpr size_t kMapEntryBytes = 2;
    constexpr size_t kMinStyleBytes = 4 + 1;
    constexpr size_t kMinKeywordTableBytes = kSetBytes + 4 + 4 + 4;
    constexpr size_t kMinTableWordBytes = 4 + 4;
    constexpr size_t kMinKeywordBytes = 1 + kClassBytes + kSetBytes + 4;
    constexpr size_t kMinHandlerBytes = 1 + kMinStartPartBytes + kMinEndPartBytes;
    constexpr size_t kMinTokenEntryBytes = 1 + kMinTokenRecordBytes;
    constexpr size_t kContextEntryBytes = 1 + kSetBytes;
    constexpr size_t kTokenValueBytes = 1 + 3 * kSetBytes + 3;
    constexpr size_t kMinStateTableBytes = 1 + 4;
    constexpr size_t kMinStateEntryBytes = 1 + kMinTokenRecordBytes + 4;
    constexpr size_t kMinRangeBytes = 4 + kMinTokenRecordBytes;
}

SchemeTableReader::SchemeTableReader(Stream& in, SchemeTable& table, uint16_t version)
    : m_in(in)
    , m_table(table)
    , m_version(version)
{
}

void SchemeTableReader::read()
{
    readSettings();
    readKeywords();
    readHandlers();
    readTokenTable();
    readContextStates();
    readTokenValues();
    readStateTables();
    m_table.anchorSet() = readSet(m_in);
    m_table.boundStates() = readSet(m_in);
    m_table.startStates() = readSet(m_in);
    m_table.setCustomParse(flag(readLE<uint8_t>(m_in)));
    for (int v = 0; v < 256; ++v)
        if (!m_contextListed[v])
            m_table.setContextStates(static_cast<uint8_t>(v), m_table.startStates());
}

void SchemeTableReader::readSettings()
{
    TSM_Settings& s = m_table.settings();
    s.exampleText = readLongString(m_in);
    s.languageName = readLongString(m_in);
    s.wrapOverride = readLongString(m_in);
    s.options = readLE<uint32_t>(m_in);
    for (int32_t* v : { &s.marginWidth, &s.rightMargin, &s.wrapAtColumn, &s.gutterWidth, &s.indentStep,
             &s.marginColor, &s.gutterColor, &s.selTextColor, &s.selTextBack, &s.tabDefault })
        *v = readLE<int32_t>(m_in);

    int32_t effects = readCount(m_in, kEffectBytes);
    for (int32_t i = 0; i < effects; ++i) {
        TSM_Effect& e = s.effects[readLE<uint8_t>(m_in)];
        e.style = readLE<uint8_t>(m_in);
        e.foreground = readLE<int32_t>(m_in);
        e.background = readLE<int32_t>(m_in);
        e.foregroundDefault = flag(readLE<uint8_t>(m_in));
        e.backgroundDefault = flag(readLE<uint8_t>(m_in));
        e.hotSpot = flag(readLE<uint8_t>(m_in));
        e.defined = readLE<int32_t>(m_in) != 0;
    }

    int32_t mapped = readCount(m_in, kMapEntryBytes);
    for (int32_t i = 0; i < mapped; ++i) {
        uint8_t value = readLE<uint8_t>(m_in);
        s.map[value] = readLE<uint8_t>(m_in);
    }

    int32_t styles = readCount(m_in, kMinStyleBytes);
    if (styles > TSM_Settings::kEditableStyles)
        throw EReadError();
    for (int32_t i = 0; i < styles; ++i) {
        TSM_EditableStyle& style = s.editableStyles[static_cast<size_t>(i)];
        style.name = readLongString(m_in);
        style.effect = readLE<uint8_t>(m_in);
    }

    m_in.readBuffer(s.tabColumns.data(), s.tabColumns.size());
    s.font.name = readLongString(m_in);
    s.font.size = readLE<int32_t>(m_in);
    s.font.charSet = readLE<uint8_t>(m_in);
    for (bool* f : { &s.marginColorDefault, &s.selTextColorDefault, &s.selTextBackDefault, &s.gutterColorDefault })
        *f = flag(readLE<uint8_t>(m_in));

    readKeywordTables();
    s.autoReplace.loadFromStream(m_in);
    s.templates.loadFromStream(m_in);
    s.keys.loadFromStream(m_in);

    if (m_version >= SchemeTableWriter::kFirstVersionWithGutterFont) {
        s.gutterFont.name = readLongString(m_in);
        s.gutterFont.size = readLE<int32_t>(m_in);
        s.gutterFont.charSet = readLE<uint8_t>(m_in);
        s.gutterFont.color = readLE<int32_t>(m_in);
        s.gutterFont.style = readLE<uint8_t>(m_in);
    }
}

void SchemeTableReader::readKeywordTables()
{
    int32_t count = readCount(m_in, kMinKeywordTableBytes);
    if (count > TSM_Settings::kMaxKeywordTables)
        throw EReadError();
    auto& tables = m_table.settings().keywordTables;
    for (int32_t i = 0; i < count; ++i) {
        TKeywordDefinitions& t = tables.emplace_back();
        t.setStates(readSet(m_in));
        t.setTerminatorText(readLongString(m_in));
        t.setCaseSensitive(readLE<int32_t>(m_in) != 0);
        int32_t words = readCount(m_in, kMinTableWordBytes);
        for (int32_t w = 0; w < words; ++w) {
            std::string word = readLongString(m_in);
            t.addWord(word, readTokenValue32(m_in));
        }
    }
}

void SchemeTableReader::readKeywords()
{
    TSyntaxKeywords& k = m_table.keywords();
    k.setCaseSensitive(readLE<int32_t>(m_in) != 0);
    int32_t count = readCount(m_in, kMinKeywordBytes);
    for (int32_t i = 0; i < count; ++i) {
        std::string word = readShortString(m_in);
        TSM_KeywordDefinition d;
        d.follow = readClass(m_in, m_table.charClasses());
        d.states = readSet(m_in);
        d.token = readTokenValue32(m_in);
        if (word.empty())
            throw EReadError();
        k.add(word, d);
    }
    if (readLE<uint8_t>(m_in) != 0)
        throw EReadError();
}

void SchemeTableReader::readHandlers()
{
    int32_t count = readCount(m_in, kMinHandlerBytes);
    for (int32_t i = 0; i < count; ++i) {
        uint8_t value = readLE<uint8_t>(m_in);
        TSM_Handler h;
        h.start = readStartPart(m_in, m_table.charClasses());
        h.end = readEndPart(m_in, m_table.charClasses());
        m_table.setHandler(value, h);
    }
}

void SchemeTableReader::readTokenTable()
{
    int32_t count = readCount(m_in, kMinTokenEntryBytes);
    for (int32_t i = 0; i < count; ++i) {
        uint8_t c = readLE<uint8_t>(m_in);
        m_table.tokenTable().set(c, readTokenRecord(m_in, m_table.charClasses()));
    }
}

void SchemeTableReader::readContextStates()
{
    int32_t count = readCount(m_in, kContextEntryBytes);
    for (int32_t i = 0; i < count; ++i) {
        uint8_t value = readLE<uint8_t>(m_in);
        m_table.setContextStates(value, readSet(m_in));
        m_contextListed[value] = true;
    }
}

void SchemeTableReader::readTokenValues()
{
    int32_t count = readCount(m_in, kTokenValueBytes);
    for (int32_t i = 0; i < count; ++i) {
        uint8_t value = readLE<uint8_t>(m_in);
        TSM_TokenValueRecord r;
        r.valid = readSet(m_in);
        r.entry = readSet(m_in);
        r.exit = readSet(m_in);
        r.container = flag(readLE<uint8_t>(m_in));
        r.unchanged = flag(readLE<uint8_t>(m_in));
        r.actions = readLE<uint8_t>(m_in);
        m_table.setTokenValue(value, r);
    }
}

void SchemeTableReader::readStateTables()
{
    TSM_CharGroupManager& pool = m_table.charClasses();
    int32_t states = readCount(m_in, kMinStateTableBytes);
    for (int32_t i = 0; i < states; ++i) {
        TSM_TokenTable& t = m_table.stateTableOrAdd(readLE<uint8_t>(m_in));
        int32_t entries = readCount(m_in, kMinStateEntryBytes);
        for (int32_t e = 0; e < entries; ++e) {
            uint8_t c = readLE<uint8_t>(m_in);
            t.set(c, readTokenRecord(m_in, pool));
            int32_t ranges = readCount(m_in, kMinRangeBytes);
            for (int32_t r = 0; r < ranges; ++r) {
                TSM_TokenRange range;
                range.low = readLE<uint16_t>(m_in);
                range.high = readLE<uint16_t>(m_in);
                range.record = readTokenRecord(m_in, pool);
                t.ranges().push_back(range);
            }
        }
    }
}

} // namespace lrl
