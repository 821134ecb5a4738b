#include "viewer/print/TPrintLayout.h"

#include "viewer/TTabStops.h"

namespace lrl {

const std::vector<TPrintPage>& TPrintLayout::pages(
    const TTextStore& store, uint64_t textGeneration, const TPageBody& body, const TPrintWrap& wrap)
{
    Key key;
    key.store = &store;
    key.generation = textGeneration;
    key.body = body;
    key.wrap = wrap.wrap;
    key.wrapWidth = wrap.wrap ? wrap.wrapWidth : 0;
    if (wrap.wrap && wrap.tabs) {
        key.tabDefault = wrap.tabs->tabDefault();
        for (size_t i = 0; i < key.tabColumns.size() && i < wrap.tabs->columns().size(); ++i)
            key.tabColumns[i] = wrap.tabs->columns()[i];
    }
    if (m_valid && key == m_key)
        return m_pages;
    m_pages.clear();
    TPageCursor cursor(store, body, wrap);
    TPrintPage page;
    while (cursor.next(page))
        m_pages.push_back(page);
    m_key = key;
    m_valid = true;
    ++m_layouts;
    return m_pages;
}

} // namespace lrl
