#include "viewer/TLineNode.h"

#include "viewer/TLineTrack.h"

namespace lrl {

void TLineNode::setLineColors(TLineColors colors)
{
    if (!m_extras) {
        if (colors == TLineColors {})
            return;
        m_extras = std::make_unique<TLineExtras>();
    }
    m_extras->colors = colors;
}

void TLineNode::setTrackObject(std::unique_ptr<TLineTrack> track)
{
    if (!m_extras) {
        if (!track)
            return;
        m_extras = std::make_unique<TLineExtras>();
    }
    if (m_extras->track)
        m_extras->track->m_node = nullptr;
    m_extras->track = std::move(track);
    if (m_extras->track)
        m_extras->track->m_node = this;
}

std::unique_ptr<TLineTrack> TLineNode::takeTrackObject()
{
    if (!m_extras || !m_extras->track)
        return nullptr;
    m_extras->track->m_node = nullptr;
    return std::move(m_extras->track);
}

void TLineNode::takeExtrasFrom(TLineNode& other) noexcept
{
    if (m_extras && m_extras->track)
        m_extras->track->m_node = nullptr;
    m_extras = std::move(other.m_extras);
    if (m_extras && m_extras->track)
        m_extras->track->m_node = this;
}

} // namespace lrl
