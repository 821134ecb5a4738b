#include "viewer/TEdStream.h"

#include "common/Exception.h"
#include "viewer/TTextStore.h"

#include <algorithm>

namespace lrl {

TEdStream::TEdStream(TTextStore& store)
    : m_store(&store)
{
    m_store->addClient(this);
    setSize(m_store->charCount());
    loadSegment(0);
}

TEdStream::~TEdStream()
{
    if (m_store)
        m_store->removeClient(this);
}

void TEdStream::setNodeSegment(const TNodePos& node, int64_t pos)
{
    m_node = node;
    auto* begin = reinterpret_cast<const uint8_t*>(node.node->text());
    setSegment(begin, begin + node.node->length, node.start, pos);
}

void TEdStream::loadSegment(int64_t pos)
{
    int64_t size = CharStream::size();
    pos = std::clamp<int64_t>(pos, 0, size);
    if (!m_store || !m_store->first()) {
        m_node = {};
        setSegment(nullptr, nullptr, 0, 0);
        return;
    }
    if (pos >= size) {
        // The end: the last node's segment, so that stepping back stays inline.
        TLineNode* last = m_store->last();
        setNodeSegment({ last, m_store->lineCount() - 1, m_store->charCount() - last->length }, pos);
        return;
    }
    TNodePos found = m_store->findOffset(static_cast<int>(pos), m_node.node ? &m_node : nullptr);
    setNodeSegment(found, pos);
}

void TEdStream::positionAt(const TNodePos& node, int offsetInNode)
{
    if (!node.node) {
        loadSegment(node.start < 0 ? 0 : node.start);
        return;
    }
    setNodeSegment(node, node.start + std::clamp<int64_t>(offsetInNode, 0, node.node->length));
}

TNodePos TEdStream::node()
{
    int64_t pos = CharStream::position();
    if (!m_node.node || pos < m_node.start || pos >= m_node.start + m_node.node->length)
        loadSegment(pos);
    if (pos >= CharStream::size() && m_store && m_store->last() && m_store->last()->endsLine())
        return { nullptr, m_store->lineCount(), m_store->charCount() };
    return m_node;
}

size_t TEdStream::read(void* buffer, size_t count)
{
    return CharStream::read(static_cast<uint8_t*>(buffer), count);
}

size_t TEdStream::write(const void*, size_t) { throw EStreamError("Cannot write to a read-only stream"); }

int64_t TEdStream::seek(int64_t offset, SeekOrigin origin)
{
    int64_t target = seekTarget(offset, origin, CharStream::position(), CharStream::size());
    CharStream::seek(target);
    return CharStream::position();
}

void TEdStream::textStoreChanged(const TTextChange&)
{
    // Node pointers may be gone: keep only the position and find the node again on the next step.
    int64_t pos = CharStream::position();
    setSize(m_store->charCount());
    pos = std::min(pos, CharStream::size());
    m_node = {};
    setSegment(nullptr, nullptr, pos, pos);
}

void TEdStream::textStoreDestroyed()
{
    m_store = nullptr;
    m_node = {};
    setSize(0);
    setSegment(nullptr, nullptr, 0, 0);
}

} // namespace lrl
