#pragma once

#include "viewer/TSyntaxMemoOptions.h"
#include "viewer/TTextChange.h"

namespace lrl {

class TCustomSyntaxMemo;

// What the viewer model tells the layers above it (the scan and word wrap, the widget, the main window).
// Every callback has an empty default; a listener overrides what it needs.
class TSyntaxMemoListener {
public:
    virtual ~TSyntaxMemoListener() = default;

    // The text changed outside a load: the nodes change.firstNode ... change.lastNode are new and marked
    // for rescan and repaint (word wrap re-cuts them and the scan runs when the edit is complete).
    virtual void textChanged(TCustomSyntaxMemo&, const TTextChange&) { }
    // A whole-text load begins; the active scanner is detached until it ends.
    virtual void loadStarted(TCustomSyntaxMemo&) { }
    // A load (LoadFromStream, LoadFromFile, setText, Lines.AddStrings on an empty text) ended, also when it
    // failed part-way: no node has token values and every node is marked for rescan. The scanner is
    // attached again; the display applies the scheme's settings and scans from the first node.
    virtual void textLoaded(TCustomSyntaxMemo&) { }
    // The text was changed by an edit, a load or Lines.SetText (the component's change event).
    virtual void changed(TCustomSyntaxMemo&) { }
    virtual void selectionChanged(TCustomSyntaxMemo&) { }
    // The top line, the horizontal scroll column or the extent of the text changed: scroll bars follow,
    // and a changed top line or column means every row must be drawn.
    virtual void viewChanged(TCustomSyntaxMemo&) { }
    // Rows whose nodes carry the repaint flag (or everything, after EndUpdate) must be drawn.
    virtual void repaintNeeded(TCustomSyntaxMemo&) { }
    virtual void optionsChanged(TCustomSyntaxMemo&, TSyntaxMemoOptions /*old*/) { }
    virtual void bookmarksChanged(TCustomSyntaxMemo&) { }
};

} // namespace lrl
