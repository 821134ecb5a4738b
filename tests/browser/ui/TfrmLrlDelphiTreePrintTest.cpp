#include "browser/ui/TfrmLrlDelphi.h"
#include "support/ShellCommand.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QLabel>
#include <QPrinter>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <memory>

using namespace lrl;
using lrl::test::pdfText;
using lrl::test::TempDir;

namespace {

} // namespace

TEST(TfrmLrlDelphiTreePrint, PrintsTheOutlineWithTheStatusTextAndRestoresIt)
{
    TempDir dir;
    TfrmLrlDelphi window(nullptr, QString::fromStdString((dir.path() / "LrlDFileInfo.Dat").string()));
    window.setMessageSink([](bool, const QString&) {});
    window.setPrintReview([] { return true; });
    const std::string pdf = (dir.path() / "tree.pdf").string();
    int asked = 0;
    QString shownWhilePrinting;
    bool abortOffered = false;
    window.setTreePrinterSource([&] {
        ++asked;
        // Runs at the first page break, when the printout lets messages run.
        QTimer::singleShot(0, &window, [&] {
            shownWhilePrinting = window.Panel5->text();
            abortOffered = window.sbtnAbortPrint->isEnabled();
        });
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(pdf));
        return printer;
    });

    EXPECT_FALSE(window.mnuPrtTree->isEnabled());
    window.openFile(QStringLiteral(LRL_SOURCE_DIR "/examples/Sample/Sample.dpr"));
    ASSERT_TRUE(window.tbbtnPrtTree->isEnabled());
    const QString before = window.Panel5->text();
    window.tbbtnPrtTree->trigger();

    EXPECT_EQ(asked, 1);
    EXPECT_EQ(shownWhilePrinting, QStringLiteral("Sending data to the printer... Treeview"));
    EXPECT_TRUE(abortOffered);
    EXPECT_FALSE(window.sbtnAbortPrint->isEnabled());
    EXPECT_EQ(window.Panel5->text(), before);
    const std::string text = pdfText(pdf);
    EXPECT_NE(text.find("Sample.dpr"), std::string::npos);
    EXPECT_NE(text.find("Project... 5 unit(s)"), std::string::npos);
    EXPECT_NE(text.find("   [continued]"), std::string::npos);
    EXPECT_NE(text.find("- 2 -"), std::string::npos);
}

TEST(TfrmLrlDelphiTreePrint, NoPrinterChosenPrintsNothing)
{
    TempDir dir;
    TfrmLrlDelphi window(nullptr, QString::fromStdString((dir.path() / "LrlDFileInfo.Dat").string()));
    window.setMessageSink([](bool, const QString&) {});
    window.setPrintReview([] { return true; });
    window.setTreePrinterSource([] { return std::unique_ptr<QPrinter>(); });
    window.openFile(QStringLiteral(LRL_SOURCE_DIR "/examples/Sample/Sample.dpr"));
    const QString before = window.Panel5->text();
    EXPECT_EQ(window.printTreeView(), 0);
    EXPECT_EQ(window.Panel5->text(), before);
}

TEST(TfrmLrlDelphiTreePrint, TheWindowsPrintSwitchesReachThePrintout)
{
    TempDir dir;
    TfrmLrlDelphi window(nullptr, QString::fromStdString((dir.path() / "LrlDFileInfo.Dat").string()));
    window.setMessageSink([](bool, const QString&) {});
    window.setPrintReview([] { return true; });
    const std::string pdf = (dir.path() / "tree.pdf").string();
    window.setTreePrinterSource([&] {
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(pdf));
        return printer;
    });
    window.openFile(QStringLiteral(LRL_SOURCE_DIR "/examples/Sample/Sample.dpr"));
    window.browser().settings().FlNm = false;
    window.browser().settings().PgNo = false;
    EXPECT_EQ(window.printTreeView(), 2);
    const std::string text = pdfText(pdf);
    EXPECT_EQ(text.find("examples/Sample/Sample.dpr"), std::string::npos); // no header
    EXPECT_EQ(text.find("- 1 -"), std::string::npos);
    EXPECT_NE(text.find("Stats... "), std::string::npos);
}

// The review dialog comes first: Cancel prints nothing and asks for no printer; with "Don't show this
// message again." set it is not shown. Abort Print ends the printout at its next page.
TEST(TfrmLrlDelphiTreePrint, ReviewComesFirstAndAbortEndsThePrintout)
{
    TempDir dir;
    TfrmLrlDelphi window(nullptr, QString::fromStdString((dir.path() / "LrlDFileInfo.Dat").string()));
    window.setMessageSink([](bool, const QString&) {});
    int reviews = 0;
    bool goOn = false;
    window.setPrintReview([&] {
        ++reviews;
        return goOn;
    });
    int printers = 0;
    const std::string pdf = (dir.path() / "tree.pdf").string();
    window.setTreePrinterSource([&] {
        ++printers;
        QTimer::singleShot(0, &window, [&] { window.abortPrint(); });
        auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
        printer->setOutputFormat(QPrinter::PdfFormat);
        printer->setOutputFileName(QString::fromStdString(pdf));
        return printer;
    });
    window.openFile(QStringLiteral(LRL_SOURCE_DIR "/examples/Sample/Sample.dpr"));
    const QString before = window.Panel5->text();

    EXPECT_EQ(window.printTreeView(), 0);
    EXPECT_EQ(reviews, 1);
    EXPECT_EQ(printers, 0) << "cancelled in the review";

    goOn = true;
    const int pages = window.printTreeView();
    EXPECT_EQ(reviews, 2);
    EXPECT_EQ(printers, 1);
    EXPECT_EQ(pages, 0) << "aborted at the first page break";
    EXPECT_EQ(pdfText(pdf).find("[continued]"), std::string::npos) << "nothing after the break";
    EXPECT_FALSE(window.sbtnAbortPrint->isEnabled());
    EXPECT_EQ(window.Panel5->text(), before);

    window.browser().settings().dsf = true;
    window.printTreeView();
    EXPECT_EQ(reviews, 2) << "not shown again";
    EXPECT_EQ(printers, 2);
}
