#pragma once

#include <QIcon>

namespace lrl {

// The pictures of the main window's toolbar buttons, drawn in the style of the tree's images.
class ToolbarIcons {
public:
    enum Kind { Open, Find, PrintTree, CollapseExpand, WordWrap, Print, Preview, PrinterSetup, Help, Exit };

    static QIcon icon(Kind kind);
    // The picture at one size (16 units scaled).
    static QPixmap draw(Kind kind, int size);
};

} // namespace lrl
