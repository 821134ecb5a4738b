#pragma once

#include <array>
#include <cstdint>
#include <functional>
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

} // namespace lrl
