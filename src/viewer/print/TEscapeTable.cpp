#include "viewer/print/TEscapeTable.h"

#include "viewer/print/TExportSink.h"

namespace lrl {

TEscapeTable::TEscapeTable(const Rule& rule)
{
    for (int c = 0; c < 256; ++c) {
        const auto byte = static_cast<uint8_t>(c);
        m_text[byte] = rule(byte);
        m_plain[byte] = m_text[byte].size() == 1 && m_text[byte][0] == static_cast<char>(c);
    }
}

void TEscapeTable::put(TExportSink& out, const uint8_t* chars, int count) const
{
    int i = 0;
    while (i < count) {
        int j = i;
        while (j < count && plain(chars[j]))
            ++j;
        if (j > i)
            out.put(std::string_view(reinterpret_cast<const char*>(chars + i), static_cast<size_t>(j - i)));
        if (j < count)
            out.put(m_text[chars[j++]]);
        i = j;
    }
}

void TEscapeTable::put(TExportSink& out, std::string_view text) const
{
    put(out, reinterpret_cast<const uint8_t*>(text.data()), static_cast<int>(text.size()));
}

} // namespace lrl
