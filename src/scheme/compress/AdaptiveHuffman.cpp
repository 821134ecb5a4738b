#include "scheme/compress/AdaptiveHuffman.h"

#include "scheme/compress/BitReader.h"
#include "scheme/compress/BitWriter.h"

#include <algorithm>

namespace lrl {

namespace {
constexpr uint32_t kSentinel = 0xFFFF;
}

void AdaptiveHuffman::reset()
{
    for (int i = 0; i < kSymbols; ++i) {
        m_freq[i] = 1;
        m_son[i] = static_cast<int16_t>(i + kNodes);
        m_parent[i + kNodes] = static_cast<int16_t>(i);
    }
    for (int i = 0, j = kSymbols; j <= kRoot; i += 2, ++j) {
        m_freq[j] = m_freq[i] + m_freq[i + 1];
        m_son[j] = static_cast<int16_t>(i);
        m_parent[i] = m_parent[i + 1] = static_cast<int16_t>(j);
    }
    m_freq[kNodes] = kSentinel;
    m_parent[kRoot] = 0;
}

void AdaptiveHuffman::rebuild()
{
    // Gather the leaves at the front with halved frequencies (never below 1).
    int j = 0;
    for (int i = 0; i < kNodes; ++i) {
        if (m_son[i] >= kNodes) {
            m_freq[j] = (m_freq[i] + 1) / 2;
            m_son[j] = m_son[i];
            ++j;
        }
    }
    // Join pairs from the lowest up, inserting each new node where its frequency keeps the order.
    for (int i = 0, j = kSymbols; j < kNodes; i += 2, ++j) {
        uint32_t f = m_freq[i] + m_freq[i + 1];
        int k = j - 1;
        while (f < m_freq[k])
            --k;
        ++k;
        std::copy_backward(&m_freq[k], &m_freq[j], &m_freq[j + 1]);
        m_freq[k] = f;
        std::copy_backward(&m_son[k], &m_son[j], &m_son[j + 1]);
        m_son[k] = static_cast<int16_t>(i);
    }
    for (int i = 0; i < kNodes; ++i) {
        int k = m_son[i];
        if (k >= kNodes)
            m_parent[k] = static_cast<int16_t>(i);
        else
            m_parent[k] = m_parent[k + 1] = static_cast<int16_t>(i);
    }
}

void AdaptiveHuffman::update(int symbol)
{
    if (m_freq[kRoot] == kMaxFreq)
        rebuild();
    int c = m_parent[symbol + kNodes];
    do {
        uint32_t k = ++m_freq[c];
        int l = c + 1;
        if (k > m_freq[l]) {
            // Swap c with the last node of lower frequency so the order holds.
            while (k > m_freq[++l]) { }
            --l;
            m_freq[c] = m_freq[l];
            m_freq[l] = k;

            int i = m_son[c];
            m_parent[i] = static_cast<int16_t>(l);
            if (i < kNodes)
                m_parent[i + 1] = static_cast<int16_t>(l);

            int s = m_son[l];
            m_son[l] = static_cast<int16_t>(i);
            m_parent[s] = static_cast<int16_t>(c);
            if (s < kNodes)
                m_parent[s + 1] = static_cast<int16_t>(c);
            m_son[c] = static_cast<int16_t>(s);

            c = l;
        }
        c = m_parent[c];
    } while (c != 0);
}

void AdaptiveHuffman::encode(int symbol, BitWriter& out)
{
    // A node's bit is its position within its pair: left children always sit at even nodes.
    int depth = 0;
    for (int k = m_parent[symbol + kNodes]; k != kRoot; k = m_parent[k])
        m_path[depth++] = static_cast<uint8_t>(k & 1);
    while (depth > 0) {
        int n = std::min(depth, 24);
        uint32_t bits = 0;
        for (int i = 0; i < n; ++i)
            bits = (bits << 1) | m_path[--depth];
        out.put(bits, n);
    }
    update(symbol);
}

int AdaptiveHuffman::decode(BitReader& in)
{
    int c = m_son[kRoot];
    while (c < kNodes)
        c = m_son[c + in.bit()];
    c -= kNodes;
    update(c);
    return c;
}

} // namespace lrl
