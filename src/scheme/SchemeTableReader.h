#pragma once

#include <cstdint>

namespace lrl {

class SchemeTable;
class Stream;

// Reads the stored layout that SchemeTableWriter writes into an empty table. Every count and length is
// checked against what is left of the input before anything is allocated for it; a short stream, a
// count the rest cannot hold, a class with ranges, more than four closing classes, more than 25
// editable styles or 20 keyword tables, or a token value outside 0..255 raises EReadError. A clash in
// the key map raises EAmbigiousKeyPair, a malformed keyword-table terminator the specifier reader's
// ESyntaxMemo.
class SchemeTableReader {
public:
    SchemeTableReader(Stream& in, SchemeTable& table, uint16_t version);

    void read();

private:
    void readSettings();
    void readKeywordTables();
    void readKeywords();
    void readHandlers();
    void readTokenTable();
    void readContextStates();
    void readTokenValues();
    void readStateTables();

    Stream& m_in;
    SchemeTable& m_table;
    uint16_t m_version;
    // Token values whose context states the stream lists; the others get the start states.
    bool m_contextListed[256] = {};
};

} // namespace lrl
