// The print commands through the window, with real mouse events on the tree; pages go to a PDF file
// (the printer when none is installed) or to the preview printer's recording.
#include "browser/BrowserConstants.h"
#include "browser/PrintMarks.h"
#include "browser/TreeModel.h"
#include "browser/ui/SampleProjectWindow.h"
#include "browser/ui/TfrmLrlDelphi.h"
#include "browser/ui/TfrmPrtOptsReview.h"
#include "browser/ui/TreeItemModel.h"
#include "browser/ui/WindowPrintTarget.h"
#include "prtprev/TPreviewForm.h"
#include "prtprev/TPreviewPrinter.h"
#include "support/ShellCommand.h"
#include "viewer/ui/TSyntaxMemo.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPrinter>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <QTreeView>
#include <QUrl>

#include <array>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>

using namespace lrl;
using lrl::test::pdfText;

namespace {

class PrintWindow : public ::testing::Test, protected lrl::test::SampleProjectWindow {
protected:
    PrintWindow()
    {
        window.setPdfFileChooser([this](const QString&) { return QString::fromStdString(pdf()); });
        // The review dialog is tested on its own.
        window.browser().settings().dsf = true;
    }

    std::string pdf() const { return (dir.path() / "out.pdf").string(); }

    bool printEnabled() const
    {
        return window.tbbtnPrint->isEnabled() && window.tbbtnPrintPrev->isEnabled()
            && window.mnuPrtSelItems->isEnabled() && window.mnuPrtPreview->isEnabled();
    }
    bool anyMarked()
    {
        return PrintMarks(window.browser().tree(), window.browser().projectImage()).anyMarked();
    }
    bool printsToPdf() { return isPdfFilePrinter(window.printer()); }

    // The printed text of the whole sample project: project file, forms, options file, then the units
    // in tree order.
    static ::testing::AssertionResult holdsEveryFileInTreeOrder(const std::string& text)
    {
        size_t at = 0;
        for (const char* s :
            { "program Sample", "object AboutBox", "object frmMain", "object frmOptions", "[FileVersion]",
                "unit TextTools", "unit About", "unit Inventory", "unit Main", "unit Options" }) {
            const size_t found = text.find(s, at);
            if (found == std::string::npos)
                return ::testing::AssertionFailure() << s << " missing or out of order";
            at = found;
        }
        return ::testing::AssertionSuccess();
    }
};

} // namespace

TEST_F(PrintWindow, MarkedRootPrintsEveryFileInTreeOrderAndLeavesNoMarks)
{
    if (!printsToPdf())
        GTEST_SKIP() << "a printer is installed; the direct print would go to it";
    EXPECT_FALSE(printEnabled());
    rightClick(window.browser().tree().firstNode());
    EXPECT_EQ(window.browser().tree().firstNode()->stateIndex(), mark::Whole);
    EXPECT_EQ(node("Main.pas")->stateIndex(), mark::Whole);
    EXPECT_TRUE(printEnabled());

    window.tbbtnPrint->trigger();
    EXPECT_FALSE(anyMarked());
    EXPECT_FALSE(printEnabled());
    EXPECT_FALSE(window.sbtnAbortPrint->isEnabled());
    const std::string text = pdfText(pdf());
    ASSERT_FALSE(text.empty()) << "no PDF written";
    ASSERT_TRUE(holdsEveryFileInTreeOrder(text));
    // The viewer shows the project file again.
    EXPECT_EQ(window.SyntaxMemo1->lineText(0).rfind("program Sample", 0), 0u);
}

TEST_F(PrintWindow, CtrlMarkedRootPrintsTheProjectFileOnly)
{
    if (!printsToPdf())
        GTEST_SKIP() << "a printer is installed; the direct print would go to it";
    rightClick(window.browser().tree().firstNode(), Qt::ControlModifier);
    EXPECT_EQ(window.browser().tree().firstNode()->stateIndex(), mark::Single);
    EXPECT_EQ(node("Main.pas")->stateIndex(), mark::None);
    window.mnuPrtSelItems->trigger();
    const std::string text = pdfText(pdf());
    EXPECT_NE(text.find("program Sample"), std::string::npos);
    EXPECT_EQ(text.find("unit Main"), std::string::npos);
    EXPECT_FALSE(anyMarked());
}

TEST_F(PrintWindow, ARoutineIsMarkableAloneOnlyWhileItsUnitIsUnmarked)
{
    TTreeNode* unit = node("Main.pas");
    ASSERT_NE(unit, nullptr);
    TTreeNode* routine = unit->child(0)->child(0);
    rightClick(routine);
    EXPECT_EQ(routine->stateIndex(), mark::Single);
    rightClick(unit);
    EXPECT_EQ(unit->stateIndex(), mark::None) << "a unit with a marked routine stays unmarked";
    rightClick(routine);
    EXPECT_FALSE(anyMarked());
    rightClick(unit, Qt::AltModifier);
    EXPECT_EQ(unit->stateIndex(), mark::Separate);
    EXPECT_EQ(routine->stateIndex(), mark::Single);
    rightClick(unit);
    rightClick(unit);
    EXPECT_EQ(unit->stateIndex(), mark::Whole);
    rightClick(routine);
    EXPECT_EQ(routine->stateIndex(), mark::None) << "a routine of a marked unit cannot be marked";
}

TEST_F(PrintWindow, PreviewRecordsThePagesAndAbortShowsNoPreview)
{
    int previews = 0;
    int pages = 0;
    window.setPreviewRunner([&](TPreviewPrinter& printer) {
        ++previews;
        pages = printer.pageCount();
    });
    rightClick(node("Main.pas"));
    window.tbbtnPrintPrev->trigger();
    EXPECT_EQ(previews, 1);
    EXPECT_GT(pages, 1);
    EXPECT_FALSE(anyMarked());

    // Abort Print clicked while pages are recorded: the status text repaints the window then.
    rightClick(window.browser().tree().firstNode());
    lrl::test::OnPaint abortOnPaint;
    abortOnPaint.run = [&] {
        if (window.sbtnAbortPrint->isEnabled())
            QTest::mouseClick(window.sbtnAbortPrint, Qt::LeftButton);
    };
    window.Panel5->installEventFilter(&abortOnPaint);
    window.tbbtnPrintPrev->trigger();
    window.Panel5->removeEventFilter(&abortOnPaint);
    EXPECT_EQ(previews, 1) << "no preview after Abort";
    EXPECT_FALSE(anyMarked());
    EXPECT_FALSE(window.sbtnAbortPrint->isEnabled());
}

TEST_F(PrintWindow, ReviewShowsTheOptionsAndCancelLeavesNothingMarked)
{
    window.browser().settings().dsf = false;
    std::vector<QString> pages;
    window.setOptionsDialogRunner([&](const QString& page) { pages.push_back(page); });
    TfrmPrtOptsReview* review = window.frmPrtOptsReview;
    QString header;
    QString printerName;
    QString left;
    rightClick(window.browser().tree().firstNode());
    // Change, then Cancel, clicked once the dialog is up.
    QTimer::singleShot(0, review, [&] {
        header = review->lblHeader->text();
        printerName = review->lblPrinter->text();
        left = review->lblLeft->text();
        QTest::mouseClick(review->btnChange, Qt::LeftButton);
        QTest::mouseClick(review->chkDontShow, Qt::LeftButton);
        QTest::mouseClick(review->btnCancel, Qt::LeftButton);
    });
    window.tbbtnPrintPrev->trigger();
    EXPECT_EQ(header, "File Name (w/path)");
    EXPECT_FALSE(printerName.isEmpty());
    EXPECT_EQ(left, "0.05");
    EXPECT_EQ(pages, std::vector<QString> { QStringLiteral("Code Page Print") });
    EXPECT_TRUE(review->reviewChange());
    EXPECT_FALSE(anyMarked());
    EXPECT_FALSE(printEnabled());
    // The check box set dsf at once and closing stored it.
    EXPECT_TRUE(window.browser().settings().dsf);
    EXPECT_EQ(window.settingsStore().readString("PrtOps", "dsf").value_or(""), "1");
}

// Pictures of the tree with print marks and of the print options review, written when LRL_SCREENSHOT
// names a PNG file (tools/screenshot.sh): beside it, -marks.png and -review.png.
TEST(Screenshot, TreeWithPrintMarksAndTheReview)
{
    const QString target = qEnvironmentVariable("LRL_SCREENSHOT");
    if (target.isEmpty())
        GTEST_SKIP() << "set LRL_SCREENSHOT to the PNG file to write";
    const QString base = target.left(target.size() - 4);
    TfrmLrlDelphi window;
    window.setMessageSink([](bool, const QString&) {});
    window.browser().settings().ShFrm = true;
    window.browser().settings().ShOpt = true;
    window.resize(800, 560);
    window.show();
    window.openFile(QString::fromLatin1(LRL_SOURCE_DIR "/examples/Sample/Sample.dpr"));
    window.treView->expandAll();
    TreeModel& tree = window.browser().tree();
    TTreeNode* root = tree.firstNode();
    // Main.pas in pieces (Alt), a form alone, and one routine of another unit alone.
    for (size_t i = 0; i < root->count(); ++i) {
        TTreeNode* n = root->child(i);
        if (n->text() == "Main.pas") {
            window.markNode(n, true, false);
            window.treView->scrollTo(window.treeModel().indexOf(n), QAbstractItemView::PositionAtTop);
        }
        if (n->text() == "About.pas" && n->count() > 0 && n->child(0)->count() > 0)
            window.markNode(n->child(0)->child(0), false, false);
        if (n->text() == kFormsFolder && n->count() > 0)
            window.markNode(n->child(0), false, false);
    }
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    ASSERT_TRUE(window.grab().save(base + QStringLiteral("-marks.png")));

    TfrmPrtOptsReview* review = window.frmPrtOptsReview;
    QTimer::singleShot(100, review, [&] {
        for (int i = 0; i < 20; ++i)
            QApplication::processEvents();
        review->grab().save(base + QStringLiteral("-review.png"));
        review->btnCancel->click();
    });
    window.tbbtnPrint->trigger();
}

TEST_F(PrintWindow, DraggingAUnitByItsImageSetsThePrintOrder)
{
    TTreeNode* root = window.browser().tree().firstNode();
    TTreeNode* options = node("Options.pas");
    TTreeNode* about = node("About.pas");
    ASSERT_LT(about->index(), options->index());
    window.treView->collapseAll();
    window.treView->expand(window.treeModel().indexOf(root));
    QApplication::processEvents();
    const QRect from = window.treView->visualRect(window.treeModel().indexOf(options));
    const QRect to = window.treView->visualRect(window.treeModel().indexOf(about));
    const QPoint icon(from.left() + TreeImages::kSize / 2, from.center().y());
    const QPoint over(to.left() + 2 * TreeImages::kSize + 12, to.center().y());
    QTest::mousePress(window.treView->viewport(), Qt::LeftButton, {}, icon);
    QTest::mouseMove(window.treView->viewport(), over);
    QTest::mouseRelease(window.treView->viewport(), Qt::LeftButton, {}, over);
    EXPECT_EQ(options->index() + 1, about->index()) << "Options.pas now stands before About.pas";
    EXPECT_EQ(window.browser().tree().selected(), options);
}

TEST_F(PrintWindow, ThePreviewsPrintAsksForThePdfFileWithoutAPrinter)
{
    if (!printsToPdf())
        GTEST_SKIP() << "a printer is installed; the preview's print would go to it";
    rightClick(node("Main.pas"));
    bool clicked = false;
    // Print is clicked once the preview window is up (it shows after the pages are recorded).
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, &window, [&] {
        auto* form = qobject_cast<TPreviewForm*>(QApplication::activeModalWidget());
        if (!form || clicked)
            return;
        clicked = true;
        poll.stop();
        QTest::mouseClick(form->sbtnPrint, Qt::LeftButton);
    });
    poll.start();
    window.tbbtnPrintPrev->trigger();
    poll.stop();
    ASSERT_TRUE(clicked) << "no preview window";
    EXPECT_NE(pdfText(pdf()).find("unit Main"), std::string::npos);
}

TEST_F(PrintWindow, ThePrintMenuOfTheFileMenuHoldsEveryPrintCommand)
{
    ASSERT_TRUE(window.mnuFile->actions().contains(window.mnuPrint->menuAction()));
    EXPECT_FALSE(window.mnuFile->actions().contains(window.mnuPrtTree)) << "only in the Print menu";
    const QList<QAction*> items = window.mnuPrint->actions();
    ASSERT_EQ(items.size(), 5);
    EXPECT_EQ(items[0], window.mnuPrtSelItems);
    EXPECT_EQ(items[1], window.mnuPrtPreview);
    EXPECT_EQ(items[2], window.mnuPrtTree);
    EXPECT_EQ(window.mnuPrtTree->text(), "&TreeView");
    EXPECT_TRUE(items[3]->isSeparator());
    EXPECT_EQ(items[4], window.mnuPrtSetup);
    // Opening a file enables the tree printout.
    EXPECT_TRUE(window.mnuPrtTree->isEnabled());
}

// While a job prints, the window lets messages run so that Abort Print can be clicked. What else the user
// does to the window then must not pull the project from under the job: clicks, keys and drops on the
// window are ignored, closing it waits, and files handed over (a drop answered, a second start of the
// program) open once the job has ended.
TEST_F(PrintWindow, WhatTheUserDoesWhileAJobPrintsCannotDisturbIt)
{
    if (!printsToPdf())
        GTEST_SKIP() << "a printer is installed; the direct print would go to it";
    rightClick(window.browser().tree().firstNode());
    const QString about = QString::fromStdString((dir.path() / "examples/Sample/About.pas").string());
    lrl::test::OnPaint meddle;
    bool meddled = false;
    bool dragAccepted = true;
    bool closeAccepted = true;
    meddle.run = [&] {
        if (meddled)
            return;
        meddled = true;
        ASSERT_TRUE(window.sbtnAbortPrint->isEnabled());
        rightClick(node("Main.pas")); // would unmark the unit
        rightClick(window.browser().tree().firstNode()); // would unmark everything
        QTest::keyClick(window.treView, Qt::Key_Down);
        QMimeData mime;
        mime.setUrls({ QUrl::fromLocalFile(about) });
        QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(window.treView->viewport(), &enter);
        dragAccepted = enter.isAccepted();
        window.dropFiles({ about });
        QCloseEvent close;
        QApplication::sendEvent(&window, &close);
        closeAccepted = close.isAccepted();
    };
    window.Panel5->installEventFilter(&meddle);
    window.tbbtnPrint->trigger();
    window.Panel5->removeEventFilter(&meddle);
    ASSERT_TRUE(meddled);
    EXPECT_FALSE(dragAccepted);
    EXPECT_FALSE(closeAccepted);
    EXPECT_TRUE(window.isVisible());
    const std::string text = pdfText(pdf());
    ASSERT_TRUE(holdsEveryFileInTreeOrder(text));
    EXPECT_TRUE(messages.empty()) << messages.front().toStdString();
    // The handed-over file opens after the job.
    QApplication::processEvents();
    EXPECT_EQ(window.browser().tree().firstNode()->text(), "About.pas");
}
