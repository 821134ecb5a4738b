#include "browser/SourceDisplay.h"

#include "browser/BrowserConstants.h"
#include "browser/BrowserUi.h"
#include "browser/BrowserViewer.h"
#include "browser/DisplayUi.h"
#include "browser/FilePaths.h"
#include "browser/ProjectBrowser.h"
#include "browser/ScopeExit.h"
#include "browser/TextCompare.h"

#include <algorithm>

namespace lrl {

namespace {

bool isFormImage(int image)
{
    return image == img::Form || image == img::FormSelected || image == img::Options
        || image == img::OptionsSelected;
}

bool isSourceKind(const std::string& path)
{
    std::string ext = lowerFileExt(path);
    return ext == ".dpr" || ext == ".pas";
}

bool isNameChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_';
}

} // namespace

std::pair<size_t, size_t> routineNameIn(std::string_view header, std::string_view name)
{
    header = header.substr(0, std::min(header.find('\r'), header.size()));
    if (name.empty() || name.size() > header.size())
        return { 0, 0 };
    for (size_t at = 0; at + name.size() <= header.size(); ++at) {
        size_t after = at + name.size();
        if ((at > 0 && isNameChar(header[at - 1])) || (after < header.size() && isNameChar(header[after]))
            || !sameText(header.substr(at, name.size()), name))
            continue;
        // The class name of a method ("TList.Add" for a method named TList) is followed by its dot.
        size_t next = header.find_first_not_of(" \t", after);
        if (next != std::string_view::npos && header[next] == '.')
            continue;
        return { at, after };
    }
    return { 0, 0 };
}

NodeClick nodeClickAction(const TTreeNode* node)
{
    if (!node)
        return NodeClick::Nothing;
    switch (node->imageIndex()) {
    case img::Project:
    case img::Unit:
    case img::UnitSelected:
    case img::ProgramIcon:
        return NodeClick::File;
    default:
        break;
    }
    if (!isFormImage(node->imageIndex()))
        return NodeClick::Nothing;
    if (node->level() == 1 && node->text() == kOptionsNode)
        return NodeClick::Options;
    if (node->level() == 2 && lowerFileExt(node->text()) == ".dfm")
        return NodeClick::Form;
    return NodeClick::Nothing;
}

SourceDisplay::SourceDisplay(
    ProjectBrowser& browser, BrowserViewer& viewer, BrowserUi& ui, DisplayUi& displayUi)
    : m_browser(browser)
    , m_viewer(viewer)
    , m_ui(ui)
    , m_displayUi(displayUi)
{
    m_browser.tree().addListener(&m_watch);
}

SourceDisplay::~SourceDisplay() { m_browser.tree().removeListener(&m_watch); }

void SourceDisplay::PressedNodeWatch::nodeAboutToBeRemoved(const TTreeNode* node)
{
    for (const TTreeNode* n = m_owner.m_pressed; n; n = n->parent())
        if (n == node) {
            m_owner.m_pressed = nullptr;
            return;
        }
}

void SourceDisplay::click(const TTreeNode* node)
{
    switch (nodeClickAction(node)) {
    case NodeClick::File:
        showFile(node);
        break;
    case NodeClick::Options:
        showOptions(node);
        break;
    case NodeClick::Form:
        showForm(node);
        break;
    case NodeClick::Nothing:
        break;
    }
}

void SourceDisplay::showFile(const TTreeNode* node)
{
    std::string path = resolvePath(node->text(), m_browser.openedFile());
    if (fileExists(path)) {
        m_viewer.setLegacyCodePage(m_browser.settings().AnsiCP);
        m_viewer.load(path);
    }
    m_browser.showProjectCounts(node);
    const TTreeNode* first = node->firstChild();
    m_browser.showFileStatus(first ? first : node, node->text());
}

void SourceDisplay::showOptions(const TTreeNode* node)
{
    std::string path = findFileIgnoringCase(changeFileExt(m_browser.openedFile(), ".dof"));
    if (fileExists(path)) {
        m_viewer.setLegacyCodePage(m_browser.settings().AnsiCP);
        m_viewer.load(path);
    }
    m_browser.showProjectCounts(node);
    m_browser.showFileStatus(node, extractFileName(path));
}

void SourceDisplay::showForm(const TTreeNode* node)
{
    m_browser.convertFormFile(resolvePath(node->text(), m_browser.openedFile()));
    m_browser.showProjectCounts(node);
    m_browser.showFileStatus(node, node->text());
}

void SourceDisplay::doubleClick(const TTreeNode* selected)
{
    if (!m_hitLabel || !m_pressed || !m_pressed->data())
        return;
    jump(*m_pressed, selected);
}

void SourceDisplay::enter(const TTreeNode* selected)
{
    if (selected && selected->data())
        jump(*selected, selected);
    else
        click(selected);
}

void SourceDisplay::jump(const TTreeNode& routine, const TTreeNode* selected)
{
    if (!isSourceKind(m_browser.openedFile()))
        return;
    const TTreeNode* category = selected ? selected->parent() : nullptr;
    const TTreeNode* unit = category ? category->parent() : nullptr;
    if (!unit)
        return;
    int32_t offset = *routine.data();
    m_displayUi.freezePainting();
    ScopeExit unfreeze([this] { m_displayUi.unfreezePainting(); });
    if (!sameText(shownFileName(), unit->text())) {
        // The load replaces the text; one that fails keeps the viewer as it was.
        m_viewer.setLegacyCodePage(m_browser.settings().AnsiCP);
        m_viewer.load(resolvePath(unit->text(), m_browser.openedFile()));
        // Counted from the unit's first category, as a click on the unit counts, so that a unit shows
        // the same routine counts however it was reached.
        m_browser.showFileStatus(unit->firstChild(), unit->text());
    }
    m_viewer.moveCaretTo(offset);
    // The routine's name is selected, its header line near the top of the view, so the eye finds it.
    int32_t lineEnd = std::min(m_viewer.textLength(), offset + kHeaderScanLength);
    auto [from, to] = routineNameIn(m_viewer.tokenText(offset, lineEnd), routine.text());
    m_viewer.showSelectionNearTop(offset + static_cast<int32_t>(from), offset + static_cast<int32_t>(to));
}

void SourceDisplay::mouseDown(const TTreeNode* hit, bool onIcon, bool onLabel)
{
    m_hitIcon = onIcon;
    m_hitLabel = onLabel;
    if (onIcon || onLabel)
        m_pressed = hit && hit->data() ? hit : nullptr;
    if (onIcon && hit && hit->level() > 1)
        m_draggedUnit = hit->parent()->parent()->text();
}

void SourceDisplay::mouseUp(bool onIcon, bool onLabel)
{
    m_hitIcon = onIcon;
    m_hitLabel = onLabel;
}

void SourceDisplay::selectionChanged(const TTreeNode* node)
{
    m_ui.setCollapseExpandEnabled(node && node->hasChildren());
}

TTreeNode* SourceDisplay::collapseOrExpand(TTreeNode* node)
{
    if (!node)
        return nullptr;
    TreeModel& tree = m_browser.tree();
    TreeModel::UpdateBracket bracket(tree);
    bool expand = !node->expanded();
    auto apply = [&tree, expand](TTreeNode* n, auto& self) -> void {
        tree.setExpanded(n, expand);
        for (size_t i = 0; i < n->count(); ++i)
            self(n->child(i), self);
    };
    apply(node, apply);
    return node;
}

void SourceDisplay::optionsDialogClosed()
{
    bool changed = m_optionsChanged;
    m_optionsChanged = false;
    if (!changed || m_browser.tree().empty())
        return;
    // A rejected drop of earlier must not make the reload the user asked for do nothing.
    if (m_displayUi.askYesNo(kReloadQuestion))
        m_browser.openChosenFile(m_browser.openedFile());
}

std::string SourceDisplay::shownFileName() const
{
    const std::string& panel4 = m_browser.statusText(StatusPanel::Panel4);
    size_t dots = panel4.find("...");
    return dots == std::string::npos ? panel4 : panel4.substr(0, dots);
}

} // namespace lrl
