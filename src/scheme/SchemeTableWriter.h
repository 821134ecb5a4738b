#pragma once

#include <cstdint>

namespace lrl {

class SchemeTable;
class Stream;

// Writes a compiled scheme table in its stored layout (uncompressed; TSyntaxMemoParser adds the
// version, the size and the compression around it). All integers are little-endian; a long string is a
// 32-bit length and the bytes, a short string an 8-bit length and the bytes, a set 32 bytes, a class a
// set, a 32-bit range count (0) and an 8-bit negation flag. In order:
//   1. settings: texts, numbers, effects, map, editable styles, tab columns, font, colour flags, keyword
//      tables, auto-replace list, code templates, key map, and (version 51 on) the gutter font;
//   2. keyword store: case flag, definition count, per definition word, follow class, states, token
//      value, then an empty short string;
//   3. handlers; 4. token table for all states; 5. context states that differ from the start states;
//   6. token-value records; 7. per-state token tables; 8. anchor, bound and start sets;
//   9. custom-parse flag.
class SchemeTableWriter {
public:
    static constexpr uint16_t kFirstVersionWithGutterFont = 51;

    SchemeTableWriter(Stream& out, const SchemeTable& table, uint16_t version);

    void write();

private:
    void writeSettings();
    void writeKeywordTables();
    void writeKeywords();
    void writeHandlers();
    void writeTokenTable();
    void writeContextStates();
    void writeTokenValues();
    void writeStateTables();

    Stream& m_out;
    const SchemeTable& m_table;
    uint16_t m_version;
};

} // namespace lrl
