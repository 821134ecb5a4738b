#pragma once

#include "browser/TreeModelListener.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <utility>

namespace lrl {

class BrowserUi;
class BrowserViewer;
class DisplayUi;
class ProjectBrowser;
class TTreeNode;

// What a click on a tree node shows, told by the node's image and place.
enum class NodeClick {
    Nothing, // forms folder, roots of a form or options file opened alone, categories, routines, missing
    File, // the project root or a unit: its file as it is
    Options, // "Options (dof)": the project's options file as plain text
    Form, // a project's form: the form file converted to text
};
NodeClick nodeClickAction(const TTreeNode* node);

// Where a routine's name stands in the text after its routine word, up to the line's end (CR): the
// first whole word equal to name, letter case aside, that is not a class name before a dot. Answers the
// start and end within header, or 0, 0 when the line does not hold the name.
std::pair<size_t, size_t> routineNameIn(std::string_view header, std::string_view name);

// The source display of the main window: what the viewer shows when a tree node is clicked or a
// routine double-clicked, the bookkeeping of mouse presses in the tree that the double-click and the
// print marks rely on, collapsing and expanding a branch, and the reload question after the options
// dialog. The window forwards the tree's events here; the browser keeps the opened file, the tree and
// the status panels.
class SourceDisplay {
public:
    static constexpr const char* kReloadQuestion = "Options have changed - Do you want to reload the file?";
    // How far after a routine word its name is looked for.
    static constexpr int32_t kHeaderScanLength = 512;

    SourceDisplay(ProjectBrowser& browser, BrowserViewer& viewer, BrowserUi& ui, DisplayUi& displayUi);
    ~SourceDisplay();
    SourceDisplay(const SourceDisplay&) = delete;
    SourceDisplay& operator=(const SourceDisplay&) = delete;

    // treViewClick: shows the file of the node (the selected node) in the viewer and describes it in
    // the status panels. A file that is missing is not loaded, but the panels are refreshed.
    void click(const TTreeNode* node);
    // treViewDblClick: jumps to the pressed routine, loading its unit first when another file is shown.
    // The window's painting is frozen from the unit's load to the caret's move, and unfrozen however the
    // jump ends.
    void doubleClick(const TTreeNode* selected);
    // Enter on the selected node in the tree: a routine is jumped to as a double-click on its caption
    // jumps; any other node is shown as a click shows it.
    void enter(const TTreeNode* selected);
    // treViewMouseDown: hit is the node under the mouse (null: none); onIcon / onLabel say where on it
    // the press was.
    void mouseDown(const TTreeNode* hit, bool onIcon, bool onLabel);
    // treViewMouseUp, as far as the hit flags go.
    void mouseUp(bool onIcon, bool onLabel);
    // treViewChange: tbbtnCmpExpTre is enabled exactly when the node has children.
    void selectionChanged(const TTreeNode* node);
    // tbbtnCmpExpTre: collapses the node with everything below it when it is expanded, otherwise expands
    // it and everything below it; answers the node for the window to scroll into view (null: nothing
    // selected, nothing done).
    TTreeNode* collapseOrExpand(TTreeNode* node);

    // The options-changed flag: set by the options dialog when a setting changes that needs a reload.
    bool optionsChanged() const { return m_optionsChanged; }
    void setOptionsChanged(bool changed) { m_optionsChanged = changed; }
    // After the Viewer/Print/Syntax dialog: with nodes in the tree and the flag set, asks kReloadQuestion
    // and on Yes opens the opened file again. The flag is cleared in every case.
    void optionsDialogClosed();

    // The name of the file the viewer shows: the text of Panel4 before its first "...".
    std::string shownFileName() const;
    // The routine node of the last press on a node's icon or label, or null.
    const TTreeNode* pressedNode() const { return m_pressed; }
    bool hitOnIcon() const { return m_hitIcon; }
    bool hitOnLabel() const { return m_hitLabel; }
    // The caption of the unit above the node whose icon was pressed last (nodes below level 1).
    const std::string& draggedUnitCaption() const { return m_draggedUnit; }

private:
    void showFile(const TTreeNode* node);
    void showOptions(const TTreeNode* node);
    void showForm(const TTreeNode* node);
    // Shows the routine of the tree node routine, which stands below selected's unit and category.
    void jump(const TTreeNode& routine, const TTreeNode* selected);

    // Forgets the pressed node when it is deleted.
    class PressedNodeWatch : public TreeModelListener {
    public:
        explicit PressedNodeWatch(SourceDisplay& owner)
            : m_owner(owner)
        {
        }
        void nodeAboutToBeAdded(const TTreeNode*, int) override { }
        void nodeAdded(const TTreeNode*) override { }
        void nodeAboutToBeRemoved(const TTreeNode* node) override;
        void nodeRemoved(const TTreeNode*, int) override { }
        void aboutToClear() override { m_owner.m_pressed = nullptr; }
        void cleared() override { }
        void nodeChanged(const TTreeNode*) override { }
        void expansionChanged(const TTreeNode*) override { }
        void selectionChanged(const TTreeNode*) override { }
        void updateBegun() override { }
        void updateEnded() override { }

    private:
        SourceDisplay& m_owner;
    };

    ProjectBrowser& m_browser;
    BrowserViewer& m_viewer;
    BrowserUi& m_ui;
    DisplayUi& m_displayUi;
    const TTreeNode* m_pressed = nullptr;
    bool m_hitIcon = false;
    bool m_hitLabel = false;
    std::string m_draggedUnit;
    bool m_optionsChanged = false;
    PressedNodeWatch m_watch { *this };
};

} // namespace lrl
