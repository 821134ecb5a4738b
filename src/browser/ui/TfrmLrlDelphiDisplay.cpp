// The main window's source display: clicks and double-clicks on the tree's nodes, the bookkeeping of
// mouse presses in the tree, the selection's effect on the collapse/expand button, and forms shown as text
// in any viewer.

#include "browser/ui/TfrmLrlDelphi.h"
#include "browser/TreeReorder.h"

#include "browser/SyntaxMemoBrowserViewer.h"
#include "browser/ui/TreeImages.h"
#include "browser/ui/TreeItemModel.h"
#include "viewer/ui/TSyntaxMemo.h"
#include "widgets/EventHook.h"

#include <QApplication>
#include <QFile>
#include <QKeyEvent>
#include <QMessageBox>
#include <QMouseEvent>
#include <QTimer>
#include <QTreeView>

#include <exception>

namespace lrl {

namespace {

// The room the tree's delegate gives a print mark before the node's image.
constexpr int kMarkWidth = TreeImages::kSize + 2;
// The gap between the image and the caption.
constexpr int kImageGap = 4;

} // namespace

void TfrmLrlDelphi::createDisplay()
{
    BrowserUi& ui = *this;
    DisplayUi& displayUi = *this;
    m_display = std::make_unique<SourceDisplay>(*m_browser, *m_viewer, ui, displayUi);

    new EventHook(treView->viewport(), [this](QEvent* event) {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
        case QEvent::MouseButtonDblClick:
            treeMouse(static_cast<QMouseEvent*>(event), true);
            break;
        case QEvent::MouseButtonRelease:
            treeMouse(static_cast<QMouseEvent*>(event), false);
            break;
        default:
            break;
        }
        return false;
    });
    // Keys: a move of the current node shows its file after a pause, Enter at once.
    m_treeKeyTimer = new QTimer(this);
    m_treeKeyTimer->setSingleShot(true);
    m_treeKeyTimer->setInterval(kTreeKeyPauseMs);
    connect(m_treeKeyTimer, &QTimer::timeout, this, &TfrmLrlDelphi::showKeyedNode);
    new EventHook(treView, [this](QEvent* event) {
        return event->type() == QEvent::KeyPress && treeKey(static_cast<QKeyEvent*>(event));
    });
    // A new tree ends any pause: its node is not the one the keys moved to.
    connect(m_treeModel, &QAbstractItemModel::modelAboutToBeReset, m_treeKeyTimer, &QTimer::stop);
    connect(treView, &QTreeView::clicked, this, [this] {
        if (m_treeButton == Qt::LeftButton)
            treViewClick();
    });
    connect(treView, &QTreeView::doubleClicked, this, [this] {
        if (m_treeButton == Qt::LeftButton)
            treViewDblClick();
    });
    // treViewChange: the button is enabled for a node with children.
    connect(treView->selectionModel(), &QItemSelectionModel::currentChanged, this,
        [this](const QModelIndex& current) { m_display->selectionChanged(TreeItemModel::nodeAt(current)); });
}

// Where on a row the press or release was: on the node's image, on its caption, or elsewhere (the print
// mark, the indentation, the empty room right of the caption, below the last row).
void TfrmLrlDelphi::treeMouse(QMouseEvent* event, bool down)
{
    QPoint at = event->position().toPoint();
    QModelIndex index = treView->indexAt(at);
    bool onIcon = false;
    bool onLabel = false;
    if (index.isValid()) {
        QRect row = treView->visualRect(index);
        QVariant mark = index.data(TreeItemModel::StateIndexRole);
        int imageLeft = row.left() + (mark.isValid() && mark.toInt() >= 0 ? kMarkWidth : 0);
        int labelLeft = imageLeft + treView->iconSize().width() + kImageGap;
        int labelRight
            = labelLeft + treView->fontMetrics().horizontalAdvance(index.data().toString()) + 2 * kImageGap;
        onIcon = at.x() >= imageLeft && at.x() < labelLeft;
        onLabel = at.x() >= labelLeft && at.x() < labelRight;
    }
    if (down) {
        // The mouse decides now what is shown; a pause of earlier keys must not show another node later.
        m_treeKeyTimer->stop();
        m_treeButton = event->button();
        m_display->mouseDown(TreeItemModel::nodeAt(index), onIcon, onLabel);
        if (event->button() == Qt::LeftButton) {
            m_dragStart = at;
            m_dragOnIcon = onIcon;
            m_dragIndex = QPersistentModelIndex(index);
        }
    } else {
        if (event->button() == Qt::LeftButton && m_dragOnIcon
            && (at - m_dragStart).manhattanLength() >= QApplication::startDragDistance()) {
            m_dragOnIcon = false;
            TreeModel& tree = m_browser->tree();
            // The node pressed (and selected) when the drag began: the view's selection follows the mouse
            // while the button is held. A persistent index goes invalid when that row is removed.
            TTreeNode* dragged = m_dragIndex.isValid() ? TreeItemModel::nodeAt(m_dragIndex) : nullptr;
            if (TreeReorder::drop(tree, dragged, m_display->pressedNode(), TreeItemModel::nodeAt(index),
                    m_display->draggedUnitCaption(), true))
                treView->setCurrentIndex(m_treeModel->indexOf(dragged));
        }
        m_display->mouseUp(onIcon, onLabel);
        if (event->button() == Qt::RightButton && (onIcon || onLabel))
            markNode(TreeItemModel::nodeAt(index), event->modifiers().testFlag(Qt::AltModifier),
                event->modifiers().testFlag(Qt::ControlModifier));
    }
}

void TfrmLrlDelphi::treViewClick()
{
    try {
        m_display->click(m_browser->tree().selected());
    } catch (const std::exception& e) {
        showError(e.what());
    }
}

void TfrmLrlDelphi::treViewDblClick()
{
    try {
        m_display->doubleClick(m_browser->tree().selected());
    } catch (const std::exception& e) {
        showError(e.what());
    }
}

void TfrmLrlDelphi::treViewEnter()
{
    try {
        m_display->enter(m_browser->tree().selected());
    } catch (const std::exception& e) {
        showError(e.what());
    }
}

bool TfrmLrlDelphi::treeKey(QKeyEvent* key)
{
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        if (key->modifiers() & ~Qt::KeypadModifier)
            return false;
        m_treeKeyTimer->stop();
        treViewEnter();
        return true;
    }
    // Arrows, Home, End, the page keys and the tree's search by typed letters move the current node;
    // shortcuts with Ctrl or Alt do not. The file is shown once the keys have paused.
    if (key->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return false;
    if (!m_treeKeyTimer->isActive())
        m_treeKeyFrom = treView->currentIndex();
    m_treeKeyTimer->start();
    return false;
}

void TfrmLrlDelphi::showKeyedNode()
{
    QModelIndex current = treView->currentIndex();
    if (!current.isValid() || current == m_treeKeyFrom)
        return;
    m_treeKeyFrom = QPersistentModelIndex();
    treViewClick();
}

bool TfrmLrlDelphi::convertFormFile(const QString& path, TSyntaxMemo& viewer)
{
    SyntaxMemoBrowserViewer target(viewer);
    return m_browser->convertFormFile(QFile::encodeName(path).toStdString(), target);
}

// The whole window stops painting, so that the viewer's clear, load and move show as one change.
void TfrmLrlDelphi::freezePainting() { setUpdatesEnabled(false); }

void TfrmLrlDelphi::unfreezePainting() { setUpdatesEnabled(true); }

bool TfrmLrlDelphi::askYesNo(const std::string& question)
{
    QString text = QString::fromStdString(question);
    if (m_questionSink)
        return m_questionSink(text);
    QMessageBox box(QMessageBox::Information, QString::fromLatin1(kCaption), text,
        QMessageBox::Yes | QMessageBox::No, this);
    return box.exec() == QMessageBox::Yes;
}

} // namespace lrl
