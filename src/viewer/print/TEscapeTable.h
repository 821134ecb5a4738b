#pragma once

#include "common/CodePage.h"

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace lrl {

class TExportSink;

// The escaped form of every byte for one output format, built once from the format's rule, and the
// writing of text through it: runs of bytes that stand for themselves go out in one piece.
class TEscapeTable {
public:
    using Rule = std::function<std::string(uint8_t c)>;
    explicit TEscapeTable(const Rule& rule);

    std::string_view operator[](uint8_t c) const { return m_text[c]; }
    // Whether the byte stands for itself.
    bool plain(uint8_t c) const { return m_plain[c]; }

    void put(TExportSink& out, const uint8_t* chars, int count) const;
    void put(TExportSink& out, std::string_view text) const;

private:
    std::array<std::string, 256> m_text;
    std::array<bool, 256> m_plain {};
};

// The escapes of a format for each storage code page, built from the format's rule when first used.
using PageEscapeRule = std::string (*)(const CodePage& page, uint8_t c);

template <PageEscapeRule Rule> const TEscapeTable& escapesFor(int codePage)
{
    static std::array<std::unique_ptr<TEscapeTable>, CodePage::kStoragePages.size()> tables;
    const CodePage& page = CodePage::of(codePage);
    size_t i = 0;
    while (CodePage::kStoragePages[i] != page.number())
        ++i;
    if (!tables[i])
        tables[i] = std::make_unique<TEscapeTable>([&page](uint8_t c) { return Rule(page, c); });
    return *tables[i];
}

} // namespace lrl
