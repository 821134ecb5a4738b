#include "viewer/TTextFeeder.h"

#include "common/SourceDecoder.h"
#include "common/Stream.h"
#include "viewer/TTextStore.h"

#include <cstring>

namespace lrl {

size_t TTextFeeder::chunkLength(const uint8_t* raw, size_t available)
{
    if (available < kChunk)
        return available;
    return raw[kChunk - 1] == '\r' ? kChunk - 1 : kChunk;
}

TTextFeeder::TTextFeeder(TTextStore& store, std::vector<uint8_t>& workBuffer, int start, int end)
    : m_store(store)
    , m_work(workBuffer)
    , m_start(start)
    , m_end(end)
    , m_caret(start)
{
    if (m_work.size() < kChunk)
        m_work.resize(2 * kChunk + 1);
}

void TTextFeeder::feed(const uint8_t* raw, size_t n)
{
    if (n == 0)
        return;
    if (n > m_work.size())
        m_work.resize(n);
    size_t len = m_normaliser.normalise(raw, n, m_work.data());
    std::string_view text(reinterpret_cast<const char*>(m_work.data()), len);
    if (m_store.bulkLoad()) {
        m_store.append(text);
        m_caret = m_store.charCount();
    } else {
        int end = m_fed ? m_caret : m_end;
        m_store.replace(m_caret, end, text);
        m_caret += static_cast<int>(len);
    }
    m_fed = true;
}

void TTextFeeder::feedAll(std::string_view raw)
{
    auto* p = reinterpret_cast<const uint8_t*>(raw.data());
    size_t left = raw.size();
    while (left > 0) {
        size_t n = chunkLength(p, left);
        feed(p, n);
        p += n;
        left -= n;
    }
}

bool TTextFeeder::feedAsciiStream(Stream& in, std::vector<uint8_t>& rawBuffer, std::string& rest)
{
    return feedChunks(in, rawBuffer, &rest);
}

void TTextFeeder::feedStream(Stream& in, std::vector<uint8_t>& rawBuffer)
{
    feedChunks(in, rawBuffer, nullptr);
}

bool TTextFeeder::feedChunks(Stream& in, std::vector<uint8_t>& rawBuffer, std::string* asciiRest)
{
    if (rawBuffer.size() < kChunk + 1)
        rawBuffer.resize(kChunk + 1);
    uint8_t* raw = rawBuffer.data();
    size_t have = 0;
    bool end = false;
    while (true) {
        while (!end && have < kChunk) {
            size_t got = in.read(raw + have, kChunk - have);
            end = got == 0;
            have += got;
        }
        if (have == 0)
            return true;
        if (asciiRest) {
            std::string_view chunk(reinterpret_cast<const char*>(raw), have);
            if (SourceDecoder::asciiLength(chunk) < have) {
                asciiRest->assign(chunk);
                return false;
            }
        }
        // A chunk that ends before a CR keeps the CR for the next one (the stream's step back).
        size_t n = chunkLength(raw, have);
        feed(raw, n);
        std::memmove(raw, raw + n, have - n);
        have -= n;
    }
}

void TTextFeeder::finish()
{
    if (!m_fed && !m_store.bulkLoad())
        m_store.replace(m_start, m_end, {});
    m_normaliser.reset();
}

} // namespace lrl
