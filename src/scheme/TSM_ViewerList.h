#pragma once

#include <vector>

namespace lrl {

class ParserClient;
class TSyntaxMemoParser;

// The viewers attached to a scanner component. Attaching a viewer tells it to take over the scheme;
// detaching it, or destroying the list with the component, tells it to let go.
class TSM_ViewerList {
public:
    explicit TSM_ViewerList(TSyntaxMemoParser& owner)
        : m_owner(owner)
    {
    }
    ~TSM_ViewerList();
    TSM_ViewerList(const TSM_ViewerList&) = delete;
    TSM_ViewerList& operator=(const TSM_ViewerList&) = delete;

    // Adds viewer (once) and calls its parserActivated.
    void attach(ParserClient& viewer);
    // Removes viewer, if attached, and calls its parserDetached.
    void detach(ParserClient& viewer);
    // Attaches viewer unless it is the one seen last or already attached; cheap for repeated calls.
    void ensureAttached(ParserClient& viewer)
    {
        if (&viewer != m_last)
            ensureAttachedSlow(viewer);
    }
    bool attached(const ParserClient& viewer) const;
    const std::vector<ParserClient*>& viewers() const { return m_viewers; }
    // Calls parserActivated of every attached viewer.
    void activateAll();

private:
    void ensureAttachedSlow(ParserClient& viewer);

    TSyntaxMemoParser& m_owner;
    std::vector<ParserClient*> m_viewers;
    ParserClient* m_last = nullptr;
};

} // namespace lrl
