#include "scheme/compress/LzhMatchTree.h"

#include <algorithm>

namespace lrl {

using namespace lzh;

void LzhMatchTree::reset()
{
    std::fill(m_text.begin(), m_text.begin() + kStart, kFill);
    std::fill(m_text.begin() + kStart, m_text.end(), uint8_t { 0 });
    std::fill(m_right.begin() + kWindow + 1, m_right.end(), static_cast<int16_t>(kNil));
    std::fill(m_parent.begin(), m_parent.begin() + kWindow, static_cast<int16_t>(kNil));
    m_matchLength = 0;
    m_matchDistance = 0;
}

void LzhMatchTree::insert(int r)
{
    const uint8_t* key = &m_text[r];
    int cmp = 1;
    int p = kWindow + 1 + key[0];
    m_right[r] = m_left[r] = kNil;
    m_matchLength = 0;
    for (;;) {
        if (cmp >= 0) {
            if (m_right[p] == kNil) {
                m_right[p] = static_cast<int16_t>(r);
                m_parent[r] = static_cast<int16_t>(p);
                return;
            }
            p = m_right[p];
        } else {
            if (m_left[p] == kNil) {
                m_left[p] = static_cast<int16_t>(r);
                m_parent[r] = static_cast<int16_t>(p);
                return;
            }
            p = m_left[p];
        }
        int i = 1;
        for (; i < kLookahead; ++i) {
            cmp = key[i] - m_text[p + i];
            if (cmp != 0)
                break;
        }
        if (i > kThreshold) {
            int distance = ((r - p) & (kWindow - 1)) - 1;
            if (i > m_matchLength) {
                m_matchDistance = distance;
                m_matchLength = i;
                if (i >= kLookahead)
                    break;
            } else if (i == m_matchLength && distance < m_matchDistance) {
                m_matchDistance = distance;
            }
        }
    }
    // A full-length match: r takes p's place in the tree.
    m_parent[r] = m_parent[p];
    m_left[r] = m_left[p];
    m_right[r] = m_right[p];
    m_parent[m_left[p]] = static_cast<int16_t>(r);
    m_parent[m_right[p]] = static_cast<int16_t>(r);
    if (m_right[m_parent[p]] == p)
        m_right[m_parent[p]] = static_cast<int16_t>(r);
    else
        m_left[m_parent[p]] = static_cast<int16_t>(r);
    m_parent[p] = kNil;
}

void LzhMatchTree::remove(int p)
{
    if (m_parent[p] == kNil)
        return;
    int q;
    if (m_right[p] == kNil) {
        q = m_left[p];
    } else if (m_left[p] == kNil) {
        q = m_right[p];
    } else {
        // Replace p by its in-order predecessor.
        q = m_left[p];
        if (m_right[q] != kNil) {
            do {
                q = m_right[q];
            } while (m_right[q] != kNil);
            m_right[m_parent[q]] = m_left[q];
            m_parent[m_left[q]] = m_parent[q];
            m_left[q] = m_left[p];
            m_parent[m_left[p]] = static_cast<int16_t>(q);
        }
        m_right[q] = m_right[p];
        m_parent[m_right[p]] = static_cast<int16_t>(q);
    }
    m_parent[q] = m_parent[p];
    if (m_right[m_parent[p]] == p)
        m_right[m_parent[p]] = static_cast<int16_t>(q);
    else
        m_left[m_parent[p]] = static_cast<int16_t>(q);
    m_parent[p] = kNil;
}

} // namespace lrl
