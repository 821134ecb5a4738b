#pragma once

// The main window over a copy of the sample project, for the tests that drive its print commands with
// real mouse events.

#include "browser/ui/TfrmLrlDelphi.h"
#include "browser/ui/TreeImages.h"
#include "browser/ui/TreeItemModel.h"
#include "support/TempDir.h"

#include <QApplication>
#include <QEvent>
#include <QObject>
#include <QTest>
#include <QTreeView>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

namespace lrl::test {

// The window with the copied sample project open and its tree expanded, forms and options file shown
// and no date in the page headers; its messages are recorded instead of shown.
class SampleProjectWindow {
public:
    SampleProjectWindow()
        : window(nullptr, QString::fromStdString((dir.path() / "LrlDFileInfo.Dat").string()))
    {
        std::filesystem::copy(std::filesystem::path(LRL_SOURCE_DIR) / "examples", dir.path() / "examples",
            std::filesystem::copy_options::recursive);
        window.setMessageSink([this](bool, const QString& text) { messages.push_back(text); });
        BrowserSettings& s = window.browser().settings();
        s.ShFrm = true;
        s.ShOpt = true;
        s.Dt = false;
        window.resize(900, 700);
        window.show();
        window.openFile(QString::fromStdString(sample("Sample.dpr").string()));
        window.treView->expandAll();
        QApplication::processEvents();
    }

    // A file of the copied sample project.
    std::filesystem::path sample(const std::string& name) const
    {
        return dir.path() / "examples/Sample" / name;
    }

    // The first node of that caption, in tree order.
    TTreeNode* node(const std::string& caption)
    {
        std::function<TTreeNode*(TTreeNode*)> search = [&](TTreeNode* n) -> TTreeNode* {
            if (n->text() == caption)
                return n;
            for (size_t i = 0; i < n->count(); ++i)
                if (TTreeNode* found = search(n->child(i)))
                    return found;
            return nullptr;
        };
        return search(window.browser().tree().firstNode());
    }

    // A right click on the node's caption, as the user makes it.
    void rightClick(TTreeNode* n, Qt::KeyboardModifiers modifiers = {})
    {
        QModelIndex index = window.treeModel().indexOf(n);
        window.treView->scrollTo(index);
        QRect row = window.treView->visualRect(index);
        // Past the mark and the image, inside the caption.
        QPoint at(row.left() + 2 * TreeImages::kSize + 12, row.center().y());
        QTest::mouseClick(window.treView->viewport(), Qt::RightButton, modifiers, at);
    }

    TempDir dir;
    TfrmLrlDelphi window;
    std::vector<QString> messages;
};

// Runs a function whenever the widget it watches paints: the window repaints its status text at each
// step of a print, so a test acts there, in the middle of the job.
struct OnPaint : QObject {
    std::function<void()> run;
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && run)
            run();
        return false;
    }
};

} // namespace lrl::test
