#include "scheme/TSM_ViewerList.h"

#include "scheme/ParserClient.h"

#include <algorithm>

namespace lrl {

TSM_ViewerList::~TSM_ViewerList()
{
    // Each viewer forgets the component; one that detaches itself meanwhile is no longer in the list.
    while (!m_viewers.empty()) {
        ParserClient* v = m_viewers.back();
        m_viewers.pop_back();
        v->parserDetached(m_owner);
    }
}

bool TSM_ViewerList::attached(const ParserClient& viewer) const
{
    return std::find(m_viewers.begin(), m_viewers.end(), &viewer) != m_viewers.end();
}

void TSM_ViewerList::attach(ParserClient& viewer)
{
    if (!attached(viewer))
        m_viewers.push_back(&viewer);
    m_last = &viewer;
    viewer.parserActivated(m_owner);
}

void TSM_ViewerList::detach(ParserClient& viewer)
{
    auto it = std::find(m_viewers.begin(), m_viewers.end(), &viewer);
    if (m_last == &viewer)
        m_last = nullptr;
    if (it == m_viewers.end())
        return;
    m_viewers.erase(it);
    viewer.parserDetached(m_owner);
}

void TSM_ViewerList::ensureAttachedSlow(ParserClient& viewer)
{
    if (attached(viewer))
        m_last = &viewer;
    else
        attach(viewer);
}

void TSM_ViewerList::activateAll()
{
    // A viewer may detach itself while it takes over the scheme; walk a copy.
    std::vector<ParserClient*> viewers = m_viewers;
    for (ParserClient* v : viewers)
        if (attached(*v))
            v->parserActivated(m_owner);
}

} // namespace lrl
