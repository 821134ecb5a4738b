// A picture of the main window with the sample project open and a unit selected, for looking at the
// window as a user sees it. Runs only when LRL_SCREENSHOT names the PNG file to write (see
// tools/screenshot.sh, which runs it under a virtual X display).

#include "browser/ui/TfrmLrlDelphi.h"
#include "browser/ui/TreeItemModel.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTreeView>

using namespace lrl;

TEST(Screenshot, SampleProjectWithAUnitSelected)
{
    QString target = qEnvironmentVariable("LRL_SCREENSHOT");
    if (target.isEmpty())
        GTEST_SKIP() << "set LRL_SCREENSHOT to the PNG file to write";
    TfrmLrlDelphi window;
    window.setMessageSink([](bool, const QString&) {});
    window.show();
    window.openFile(QString::fromLatin1(LRL_SOURCE_DIR "/examples/Sample/Sample.dpr"));
    QAbstractItemModel* model = window.treView->model();
    QModelIndexList found = model->match(model->index(0, 0), Qt::DisplayRole, QStringLiteral("Main.pas"), 1,
        Qt::MatchExactly | Qt::MatchRecursive);
    ASSERT_FALSE(found.isEmpty());
    window.treView->expand(found.first());
    window.treView->expand(model->index(0, 0, found.first()));
    window.treView->setCurrentIndex(found.first());
    window.treView->setFocus();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    ASSERT_TRUE(window.grab().save(target));
}

// The window with a unit in UTF-8 that holds Cyrillic text (stored in Windows-1251); runs only when
// LRL_SCREENSHOT_ENCODING names the PNG file to write.
TEST(Screenshot, UnitInAnotherCodePage)
{
    QString target = qEnvironmentVariable("LRL_SCREENSHOT_ENCODING");
    if (target.isEmpty())
        GTEST_SKIP() << "set LRL_SCREENSHOT_ENCODING to the PNG file to write";
    TfrmLrlDelphi window;
    window.setMessageSink([](bool, const QString&) {});
    window.show();
    window.openFile(QString::fromLatin1(LRL_TEST_DATA_DIR "/encoding/utf8-cyrillic.pas"));
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    ASSERT_TRUE(window.grab().save(target));
}
