// The main window's commands that open files: the Open dialog, the recent files, drops on the tree and
// the window, and the command line.

#include "browser/ui/TfrmLrlDelphi.h"

#include "common/Exception.h"
#include "widgets/FileDropFilter.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>

#include <exception>
#include <utility>

namespace lrl {

namespace {

std::string toLocalPath(const QString& path) { return QFile::encodeName(path).toStdString(); }

} // namespace

void TfrmLrlDelphi::openFile(const QString& path)
{
    try {
        m_browser->openFile(toLocalPath(path));
    } catch (const std::exception& e) {
        showError(e.what());
    }
}

void TfrmLrlDelphi::openWithDialog()
{
    // dlgOpen
    QString chosen
        = QFileDialog::getOpenFileName(this, QStringLiteral("Open"), openDialogFolder(), openDialogFilter());
    if (chosen.isEmpty())
        return;
    m_lastOpenFolder = QFileInfo(chosen).absolutePath();
    try {
        m_browser->openChosenFile(toLocalPath(chosen));
    } catch (const std::exception& e) {
        showError(e.what());
    }
}

QString TfrmLrlDelphi::openDialogFolder() const
{
    QStringList candidates;
    auto folderOf = [](const std::string& path) {
        return QFileInfo(QFile::decodeName(QByteArray::fromStdString(path))).absolutePath();
    };
    if (!m_browser->openedFile().empty())
        candidates << folderOf(m_browser->openedFile());
    candidates << m_lastOpenFolder;
    if (!m_recent.entries().empty())
        candidates << folderOf(m_recent.entries().front());
    for (const QString& folder : candidates)
        if (!folder.isEmpty() && QFileInfo(folder).isDir())
            return folder;
    return {};
}

void TfrmLrlDelphi::openRecent(const QString& path)
{
    try {
        m_browser->openChosenFile(toLocalPath(path));
    } catch (const std::exception& e) {
        showError(e.what());
    }
}

void TfrmLrlDelphi::dropFiles(const QStringList& paths)
{
    if (jobRunning()) {
        m_deferredDrops.push_back(paths);
        return;
    }
    try {
        m_browser->dropStart(static_cast<size_t>(paths.size()));
        for (const QString& path : paths)
            m_browser->dropItem(toLocalPath(path));
    } catch (const std::exception& e) {
        showError(e.what());
    }
}

void TfrmLrlDelphi::openDeferredDrops()
{
    if (m_deferredDrops.isEmpty())
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (jobRunning())
                return;
            const QList<QStringList> drops = std::exchange(m_deferredDrops, {});
            for (const QStringList& paths : drops)
                dropFiles(paths);
        },
        Qt::QueuedConnection);
}

void TfrmLrlDelphi::openCommandLine(const QStringList& args)
{
    if (args.isEmpty())
        return;
    QStringList absolute;
    for (const QString& arg : args)
        absolute << QFileInfo(arg).absoluteFilePath();
    dropFiles(absolute);
}

// DnDRun1: files dropped anywhere on the window outside the tree.
void TfrmLrlDelphi::dragEnterEvent(QDragEnterEvent* event)
{
    if (FileDropFilter::localPaths(event->mimeData()).isEmpty()) {
        QMainWindow::dragEnterEvent(event);
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
}

void TfrmLrlDelphi::dropEvent(QDropEvent* event)
{
    QStringList paths = FileDropFilter::localPaths(event->mimeData());
    if (paths.isEmpty()) {
        QMainWindow::dropEvent(event);
        return;
    }
    event->setDropAction(Qt::CopyAction);
    event->accept();
    // The open runs after the drop has been answered, so that the program the files came from is not
    // kept waiting while they load.
    QMetaObject::invokeMethod(
        this, [this, paths] { dropFiles(paths); }, Qt::QueuedConnection);
}

// The recent files as items after the separator of the menu that was opened last, then a separator and
// the item that empties the list.
void TfrmLrlDelphi::rebuildRecentMenus()
{
    // An item may be the one whose click is being handled right now, so it goes once control returns.
    for (QAction* item : m_recentItems) {
        if (auto* menu = qobject_cast<QWidget*>(item->parent()))
            menu->removeAction(item);
        item->deleteLater();
    }
    m_recentItems.clear();
    if (m_recentHost == pmnuOpen)
        fillRecentItems(pmnuOpen, pmnuMRUSep);
    else
        fillRecentItems(mnuFile, mnuMRUSep);
}

void TfrmLrlDelphi::fillRecentItems(QMenu* menu, QAction* separator)
{
    const auto& entries = m_recent.entries();
    if (entries.empty())
        return;
    // Items go after the separator, before whatever follows it.
    QList<QAction*> actions = menu->actions();
    int at = static_cast<int>(actions.indexOf(separator)) + 1;
    QAction* before = at < actions.size() ? actions[at] : nullptr;
    QFontMetrics metrics(menu->font());
    for (const std::string& entry : entries) {
        QString path = QFile::decodeName(QByteArray::fromStdString(entry));
        QString caption = metrics.elidedText(path, Qt::ElideMiddle, 200);
        auto* item = new QAction(caption, menu);
        item->setToolTip(path);
        connect(item, &QAction::triggered, this, [this, path] { openRecent(path); });
        menu->insertAction(before, item);
        m_recentItems.push_back(item);
    }
    QAction* sep = new QAction(menu);
    sep->setSeparator(true);
    menu->insertAction(before, sep);
    m_recentItems.push_back(sep);
    auto* clearItem = new QAction(QString::fromLatin1(RecentFileList::kClearCaption), menu);
    connect(clearItem, &QAction::triggered, this, [this] {
        m_recent.clear();
        rebuildRecentMenus();
    });
    menu->insertAction(before, clearItem);
    m_recentItems.push_back(clearItem);
    if (before) {
        QAction* after = new QAction(menu);
        after->setSeparator(true);
        menu->insertAction(before, after);
        m_recentItems.push_back(after);
    }
}

} // namespace lrl
