#pragma once

#include "viewer/TSyntaxMemoOptions.h"
#include "viewer/TTabStops.h"

namespace lrl {

// The per-viewer settings object: the option set and the tab stops. The display settings (fonts,
// colours, gutter and margins, the style map and style records, the key map) join it here.
class TSM_Settings {
public:
    TSyntaxMemoOptions options() const { return m_options; }
    void setOptions(TSyntaxMemoOptions options) { m_options = options; }

    TTabStops& tabStops() { return m_tabStops; }
    const TTabStops& tabStops() const { return m_tabStops; }

private:
    TSyntaxMemoOptions m_options = TSyntaxMemoOptions::defaults();
    TTabStops m_tabStops;
};

} // namespace lrl
