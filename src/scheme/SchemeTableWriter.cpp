#include "scheme/SchemeTableWriter.h"

#include "common/StreamIO.h"
#include "scheme/SchemeTable.h"
#include "scheme/SchemeTableFormat.h"

namespace lrl {

using namespace schemeformat;

SchemeTableWriter::SchemeTableWriter(Stream& out, const SchemeTable& table, uint16_t version)
    : m_out(out)
    , m_table(table)
    , m_version(version)
{
}

void SchemeTableWriter::write()
{
    writeSettings();
    writeKeywords();
    writeHandlers();
    writeTokenTable();
    writeContextStates();
    writeTokenValues();
    writeStateTables();
    writeSet(m_out, m_table.anchorSet());
    writeSet(m_out, m_table.boundStates());
    writeSet(m_out, m_table.startStates());
    writeLE<uint8_t>(m_out, m_table.customParse() ? 1 : 0);
}

void SchemeTableWriter::writeSettings()
{
    const TSM_Settings& s = m_table.settings();
    writeLongString(m_out, s.exampleText);
    writeLongString(m_out, s.languageName);
    writeLongString(m_out, s.wrapOverride);
    for (int32_t v : { static_cast<int32_t>(s.options), s.marginWidth, s.rightMargin, s.wrapAtColumn, s.gutterWidth,
             s.indentStep, s.marginColor, s.gutterColor, s.selTextColor, s.selTextBack, s.tabDefault })
        writeLE<int32_t>(m_out, v);

    int32_t defined = 0;
    for (const TSM_Effect& e : s.effects)
        defined += e.defined ? 1 : 0;
    writeLE<int32_t>(m_out, defined);
    for (size_t i = 0; i < s.effects.size(); ++i) {
        const TSM_Effect& e = s.effects[i];
        if (!e.defined)
            continue;
        writeLE<uint8_t>(m_out, static_cast<uint8_t>(i));
        writeLE<uint8_t>(m_out, e.style);
        writeLE<int32_t>(m_out, e.foreground);
        writeLE<int32_t>(m_out, e.background);
        writeLE<uint8_t>(m_out, e.foregroundDefault ? 1 : 0);
        writeLE<uint8_t>(m_out, e.backgroundDefault ? 1 : 0);
        writeLE<uint8_t>(m_out, e.hotSpot ? 1 : 0);
        writeLE<int32_t>(m_out, 1);
    }

    int32_t mapped = 0;
    for (uint8_t effect : s.map)
        mapped += effect != 0 ? 1 : 0;
    writeLE<int32_t>(m_out, mapped);
    for (size_t v = 0; v < s.map.size(); ++v)
        if (s.map[v] != 0) {
            writeLE<uint8_t>(m_out, static_cast<uint8_t>(v));
            writeLE<uint8_t>(m_out, s.map[v]);
        }

    int styles = s.editableStyleCount();
    writeLE<int32_t>(m_out, styles);
    for (int i = 0; i < styles; ++i) {
        writeLongString(m_out, s.editableStyles[static_cast<size_t>(i)].name);
        writeLE<uint8_t>(m_out, s.editableStyles[static_cast<size_t>(i)].effect);
    }

    m_out.writeBuffer(s.tabColumns.data(), s.tabColumns.size());
    writeLongString(m_out, s.font.name);
    writeLE<int32_t>(m_out, s.font.size);
    writeLE<uint8_t>(m_out, s.font.charSet);
    for (bool f : { s.marginColorDefault, s.selTextColorDefault, s.selTextBackDefault, s.gutterColorDefault })
        writeLE<uint8_t>(m_out, f ? 1 : 0);

    writeKeywordTables();
    s.autoReplace.saveToStream(m_out);
    s.templates.saveToStream(m_out);
    s.keys.saveToStream(m_out);

    if (m_version >= kFirstVersionWithGutterFont) {
        writeLongString(m_out, s.gutterFont.name);
        writeLE<int32_t>(m_out, s.gutterFont.size);
        writeLE<uint8_t>(m_out, s.gutterFont.charSet);
        writeLE<int32_t>(m_out, s.gutterFont.color);
        writeLE<uint8_t>(m_out, s.gutterFont.style);
    }
}

void SchemeTableWriter::writeKeywordTables()
{
    const auto& tables = m_table.settings().keywordTables;
    writeLE<int32_t>(m_out, static_cast<int32_t>(tables.size()));
    for (const TKeywordDefinitions& t : tables) {
        writeSet(m_out, t.states());
        writeLongString(m_out, t.terminatorText());
        writeLE<int32_t>(m_out, t.caseSensitive() ? 1 : 0);
        writeLE<int32_t>(m_out, static_cast<int32_t>(t.words().size()));
        for (const auto& [word, token] : t.words()) {
            writeLongString(m_out, word);
            writeLE<int32_t>(m_out, token);
        }
    }
}

void SchemeTableWriter::writeKeywords()
{
    const TSyntaxKeywords& k = m_table.keywords();
    writeLE<int32_t>(m_out, k.caseSensitive() ? 1 : 0);
    writeLE<int32_t>(m_out, static_cast<int32_t>(k.definitionCount()));
    k.forEachDefinition([&](std::string_view word, const TSM_KeywordDefinition& d) {
        writeShortString(m_out, std::string(word));
        writeClass(m_out, m_table.charClasses(), d.follow);
        writeSet(m_out, d.states);
        writeLE<int32_t>(m_out, d.token);
    });
    writeShortString(m_out, {});
}

void SchemeTableWriter::writeHandlers()
{
    int32_t count = 0;
    for (int v = 0; v < 256; ++v)
        count += m_table.handler(static_cast<uint8_t>(v)) ? 1 : 0;
    writeLE<int32_t>(m_out, count);
    for (int v = 0; v < 256; ++v)
        if (const TSM_Handler* h = m_table.handler(static_cast<uint8_t>(v))) {
            writeLE<uint8_t>(m_out, static_cast<uint8_t>(v));
            writeStartPart(m_out, m_table.charClasses(), h->start);
            writeEndPart(m_out, m_table.charClasses(), h->end);
        }
}

void SchemeTableWriter::writeTokenTable()
{
    const TSM_CharGroupManager& pool = m_table.charClasses();
    const TSM_TokenTable& all = m_table.tokenTable();
    writeLE<int32_t>(m_out, static_cast<int32_t>(all.count()));
    for (int c = 0; c < 256; ++c)
        if (const TSM_TokenRecord* r = all.entry(static_cast<uint8_t>(c))) {
            writeLE<uint8_t>(m_out, static_cast<uint8_t>(c));
            writeTokenRecord(m_out, pool, *r);
        }

}

void SchemeTableWriter::writeStateTables()
{
    const TSM_CharGroupManager& pool = m_table.charClasses();
    int32_t states = 0;
    for (int s = 0; s < 256; ++s)
        states += m_table.stateTable(static_cast<uint8_t>(s)) ? 1 : 0;
    writeLE<int32_t>(m_out, states);
    for (int s = 0; s < 256; ++s) {
        const TSM_TokenTable* t = m_table.stateTable(static_cast<uint8_t>(s));
        if (!t)
            continue;
        writeLE<uint8_t>(m_out, static_cast<uint8_t>(s));
        writeLE<int32_t>(m_out, static_cast<int32_t>(t->count()));
        // Each entry carries a range list; the table's ranges travel with its first entry.
        bool first = true;
        for (int c = 0; c < 256; ++c) {
            const TSM_TokenRecord* r = t->entry(static_cast<uint8_t>(c));
            if (!r)
                continue;
            writeLE<uint8_t>(m_out, static_cast<uint8_t>(c));
            writeTokenRecord(m_out, pool, *r);
            const size_t ranges = first ? t->ranges().size() : 0;
            writeLE<int32_t>(m_out, static_cast<int32_t>(ranges));
            for (size_t i = 0; i < ranges; ++i) {
                writeLE<uint16_t>(m_out, t->ranges()[i].low);
                writeLE<uint16_t>(m_out, t->ranges()[i].high);
                writeTokenRecord(m_out, pool, t->ranges()[i].record);
            }
            first = false;
        }
    }
}

void SchemeTableWriter::writeContextStates()
{
    const Set256& start = m_table.startStates();
    int32_t count = 0;
    for (int v = 0; v < 256; ++v)
        count += m_table.contextStates(static_cast<uint8_t>(v)) != start ? 1 : 0;
    writeLE<int32_t>(m_out, count);
    for (int v = 0; v < 256; ++v) {
        const Set256& states = m_table.contextStates(static_cast<uint8_t>(v));
        if (states != start) {
            writeLE<uint8_t>(m_out, static_cast<uint8_t>(v));
            writeSet(m_out, states);
        }
    }
}

void SchemeTableWriter::writeTokenValues()
{
    int32_t count = 0;
    for (int v = 0; v < 256; ++v)
        count += m_table.tokenValue(static_cast<uint8_t>(v)) ? 1 : 0;
    writeLE<int32_t>(m_out, count);
    for (int v = 0; v < 256; ++v)
        if (const TSM_TokenValueRecord* r = m_table.tokenValue(static_cast<uint8_t>(v))) {
            writeLE<uint8_t>(m_out, static_cast<uint8_t>(v));
            writeSet(m_out, r->valid);
            writeSet(m_out, r->entry);
            writeSet(m_out, r->exit);
            writeLE<uint8_t>(m_out, r->container ? 1 : 0);
            writeLE<uint8_t>(m_out, r->unchanged ? 1 : 0);
            writeLE<uint8_t>(m_out, r->actions);
        }
}

} // namespace lrl
