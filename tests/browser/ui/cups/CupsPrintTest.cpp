// Printing the sample project from the window through a real CUPS server: a private cupsd with one
// cups-pdf queue as the default printer (tools/cups-server.sh; ctest starts it before these tests and
// stops it afterwards, and sets CUPS_SERVER and LRL_CUPS_DIR). What the queue received is read back from
// the server's spool folder, where each job's data file (the program's own PDF) is kept after the job
// completes; cups-pdf's re-rendered output carries no text, so only its page count is compared.
#include "browser/PrintMarks.h"
#include "browser/ui/SampleProjectWindow.h"
#include "browser/ui/TfrmLrlDelphi.h"
#include "browser/ui/TfrmPrtOptsReview.h"
#include "browser/ui/WindowPrintTarget.h"
#include "prtprev/TPreviewForm.h"
#include "support/ShellCommand.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QPrinterInfo>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <regex>
#include <sstream>
#include <thread>

using namespace lrl;
using lrl::test::pdfText;
using lrl::test::runCommand;
namespace fs = std::filesystem;

namespace {

const char* const kQueue = "ListrelPDF";
// Where cups-pdf writes the jobs of a user unknown to the system (the tests print as one).
const fs::path kCupsPdfOutput = "/var/spool/cups-pdf/ANONYMOUS";

std::string cupsDir() { return qEnvironmentVariable("LRL_CUPS_DIR").toStdString(); }

std::string serverLog() { return runCommand("tail -n 20 '" + cupsDir() + "/log/error_log' 2>&1").out; }

// The jobs the queue holds in the given state ("completed" or "not-completed"), by number.
std::vector<int> jobs(const std::string& which)
{
    const std::string listing
        = runCommand(std::string("lpstat -W ") + which + " -o " + kQueue + " 2>/dev/null").out;
    std::vector<int> ids;
    const std::regex line(std::string("^") + kQueue + "-([0-9]+) ");
    std::istringstream in(listing);
    for (std::string l; std::getline(in, l);) {
        std::smatch m;
        if (std::regex_search(l, m, line))
            ids.push_back(std::stoi(m[1]));
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

// The job's data file in the spool folder: what the program sent.
fs::path spooledFile(int id)
{
    char name[32];
    std::snprintf(name, sizeof name, "d%05d-001", id);
    return fs::path(cupsDir()) / "spool" / name;
}

// The PDF cups-pdf made of the job, empty when there is none.
fs::path cupsPdfFile(int id)
{
    const std::string suffix = "-job_" + std::to_string(id) + ".pdf";
    std::error_code ec;
    for (const auto& entry : fs::directory_iterator(kCupsPdfOutput, ec)) {
        const std::string name = entry.path().filename().string();
        if (name.size() > suffix.size()
            && name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            return entry.path();
    }
    return {};
}

int pdfPages(const fs::path& pdf)
{
    const std::string info = runCommand("pdfinfo '" + pdf.string() + "' 2>/dev/null").out;
    std::smatch m;
    return std::regex_search(info, m, std::regex("Pages:\\s+([0-9]+)")) ? std::stoi(m[1]) : -1;
}

// Runs of blanks as one space, as the page layout of pdftotext does not keep them.
std::string squeezed(const std::string& s)
{
    std::string out;
    for (char c : s) {
        const bool blank = c == ' ' || c == '\t' || c == '\r';
        if (blank && (out.empty() || out.back() == ' ' || out.back() == '\n'))
            continue;
        out += blank ? ' ' : c;
    }
    return out;
}

std::vector<std::string> nonBlankLines(const fs::path& file)
{
    std::ifstream in(file);
    std::vector<std::string> lines;
    for (std::string l; std::getline(in, l);) {
        l = squeezed(l);
        while (!l.empty() && l.back() == ' ')
            l.pop_back();
        if (!l.empty())
            lines.push_back(l);
    }
    return lines;
}

class CupsPrint : public ::testing::Test, protected lrl::test::SampleProjectWindow {
protected:
    void SetUp() override
    {
        ASSERT_FALSE(cupsDir().empty() || qEnvironmentVariableIsEmpty("CUPS_SERVER"))
            << "no CUPS server for this test: run it through ctest, which starts one with "
               "tools/cups-server.sh, or start one yourself and set CUPS_SERVER=DIR/cups.sock and "
               "LRL_CUPS_DIR=DIR";
        ASSERT_EQ(QPrinterInfo::defaultPrinter().printerName().toStdString(), kQueue)
            << "the CUPS server at " << qEnvironmentVariable("CUPS_SERVER").toStdString()
            << " does not answer or has no default queue " << kQueue << "; its log:\n"
            << serverLog();
        before = jobs("completed");
    }

    // Previews Main.pas and clicks the preview window's Print once the window is up; `whilePrinting` runs
    // with the window at each page the preview prints. Answers whether the window came up.
    bool previewAndPrint(const std::function<void(TPreviewForm&)>& whilePrinting)
    {
        window.browser().settings().dsf = true;
        rightClick(node("Main.pas"));
        TPreviewForm* shown = nullptr;
        // Each page the preview prints shows its status in the main window, which repaints then.
        lrl::test::OnPaint onPaint;
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, &window, [&] {
            auto* form = qobject_cast<TPreviewForm*>(QApplication::activeModalWidget());
            if (!form || shown)
                return;
            shown = form;
            poll.stop();
            onPaint.run = [&] {
                if (shown->sbtnAbortPrint->isEnabled())
                    whilePrinting(*shown);
            };
            window.Panel5->installEventFilter(&onPaint);
            // The print runs inside the click; an aborted print leaves the window open.
            QTest::mouseClick(form->sbtnPrint, Qt::LeftButton);
            openAfterPrint = form->isVisible();
            if (openAfterPrint)
                form->close();
        });
        poll.start();
        window.tbbtnPrintPrev->trigger();
        poll.stop();
        window.Panel5->removeEventFilter(&onPaint);
        return shown != nullptr;
    }

    // Waits until the queue holds `count` new completed jobs and nothing pending; answers them in order.
    std::vector<int> completedJobs(size_t count)
    {
        const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(120);
        std::vector<int> done;
        while (std::chrono::steady_clock::now() < until) {
            done.clear();
            for (int id : jobs("completed"))
                if (std::find(before.begin(), before.end(), id) == before.end())
                    done.push_back(id);
            if (done.size() >= count && jobs("not-completed").empty())
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
        return done;
    }

    std::vector<int> before;
    bool openAfterPrint = false; // the preview window, once its Print returned
};

} // namespace

TEST_F(CupsPrint, TheMarkedProjectReachesTheDefaultQueueOneJobPerFileInTreeOrder)
{
    EXPECT_FALSE(isPdfFilePrinter(window.printer())) << "the window prints to the CUPS queue";
    // The review names the queue; Continue prints.
    std::string reviewedPrinter;
    TfrmPrtOptsReview* review = window.frmPrtOptsReview;
    QTimer::singleShot(0, review, [&] {
        reviewedPrinter = review->lblPrinter->text().toStdString();
        QTest::mouseClick(review->btnContinue, Qt::LeftButton);
    });
    rightClick(window.browser().tree().firstNode());
    window.tbbtnPrint->trigger();
    EXPECT_EQ(reviewedPrinter, kQueue);
    EXPECT_TRUE(messages.empty()) << messages.front().toStdString();
    EXPECT_FALSE(PrintMarks(window.browser().tree(), window.browser().projectImage()).anyMarked());

    // Project file, forms, options file, then the units in tree order: one job each.
    struct Piece {
        std::string opening;
        fs::path file;
    };
    const std::vector<Piece> pieces { { "program Sample", sample("Sample.dpr") }, { "object AboutBox", {} },
        { "object frmMain", {} }, { "object frmOptions", {} }, { "[FileVersion]", sample("Sample.dof") },
        { "unit TextTools", dir.path() / "examples/Lib/TextTools.pas" },
        { "unit About", sample("About.pas") }, { "unit Inventory", sample("Inventory.pas") },
        { "unit Main", sample("Main.pas") }, { "unit Options", sample("Options.pas") } };
    const std::vector<int> done = completedJobs(pieces.size());
    ASSERT_EQ(done.size(), pieces.size()) << "jobs completed: " << done.size() << "; server log:\n"
                                          << serverLog();

    for (size_t i = 0; i < pieces.size(); ++i) {
        SCOPED_TRACE(pieces[i].opening);
        const fs::path spooled = spooledFile(done[i]);
        ASSERT_TRUE(fs::exists(spooled)) << "job " << done[i] << " left no data file in the spool";
        const std::string text = squeezed(pdfText(spooled.string()));
        ASSERT_NE(text.find(pieces[i].opening), std::string::npos)
            << "job " << done[i] << " holds another file";
        // Every page carries its number in the footer.
        const int pages = static_cast<int>(std::count(text.begin(), text.end(), '\f'));
        ASSERT_GT(pages, 0);
        for (int p = 1; p <= pages; ++p)
            EXPECT_NE(text.find("- " + std::to_string(p) + " -"), std::string::npos) << "page " << p;
        // A text file arrives whole: every line, in order.
        if (!pieces[i].file.empty()) {
            const std::vector<std::string> lines = nonBlankLines(pieces[i].file);
            ASSERT_FALSE(lines.empty()) << "cannot read " << pieces[i].file;
            size_t at = 0;
            for (const std::string& line : lines) {
                const size_t found = text.find(line, at);
                ASSERT_NE(found, std::string::npos) << "missing or out of order: " << line;
                at = found + line.size();
            }
        }
        // The queue's driver turned the job into a PDF of the same pages.
        const fs::path rendered = cupsPdfFile(done[i]);
        ASSERT_FALSE(rendered.empty()) << "cups-pdf wrote nothing for job " << done[i];
        EXPECT_EQ(pdfPages(rendered), pages);
    }
}

TEST_F(CupsPrint, ThePreviewsPrintSendsTheRecordedPagesAsOneJob)
{
    std::vector<std::string> statuses;
    ASSERT_TRUE(previewAndPrint([&](TPreviewForm&) {
        const std::string text = window.Panel5->text().toStdString();
        if (statuses.empty() || statuses.back() != text)
            statuses.push_back(text);
    })) << "no preview window";
    EXPECT_TRUE(messages.empty()) << messages.front().toStdString();
    const std::vector<int> done = completedJobs(1);
    ASSERT_EQ(done.size(), 1u) << "server log:\n" << serverLog();
    const std::string text = squeezed(pdfText(spooledFile(done[0]).string()));
    EXPECT_NE(text.find("unit Main;"), std::string::npos);
    const int pages = static_cast<int>(std::count(text.begin(), text.end(), '\f'));
    ASSERT_GT(pages, 1);
    ASSERT_EQ(statuses.size(), static_cast<size_t>(pages + 1));
    for (int p = 1; p <= pages; ++p)
        EXPECT_EQ(statuses[p - 1], "Printing page " + std::to_string(p));
    EXPECT_EQ(statuses.back(), "Print Job Complete");
    EXPECT_FALSE(openAfterPrint) << "a finished print closes the preview";
}

// The preview window's Abort Print is the main window's command. The print stops after the page being
// printed; that page still reaches the queue (the document cannot be withdrawn once begun), no error is
// reported, and the preview stays open with its pages.
TEST_F(CupsPrint, AbortPrintInThePreviewWindowStopsThePrintAtTheNextPage)
{
    bool aborted = false;
    ASSERT_TRUE(previewAndPrint([&](TPreviewForm& form) {
        if (aborted)
            return;
        aborted = true;
        QTest::mouseClick(form.sbtnAbortPrint, Qt::LeftButton);
    })) << "no preview window";
    ASSERT_TRUE(aborted) << "Abort Print was never enabled while the preview printed";
    EXPECT_TRUE(messages.empty()) << messages.front().toStdString();
    const std::vector<int> done = completedJobs(1);
    ASSERT_EQ(done.size(), 1u) << "server log:\n" << serverLog();
    const std::string text = squeezed(pdfText(spooledFile(done[0]).string()));
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 1) << "only the page being printed";
    EXPECT_NE(text.find("unit Main;"), std::string::npos);
    EXPECT_TRUE(openAfterPrint);
    EXPECT_FALSE(window.sbtnAbortPrint->isEnabled());
}

// Abort Print while a file prints directly: the document ends before its next page.
TEST_F(CupsPrint, AbortPrintStopsADirectPrintBeforeTheNextPage)
{
    window.browser().settings().dsf = true;
    rightClick(node("Main.pas"));
    // Clicked at the first chance once the file is being sent: between its first and second page.
    bool aborted = false;
    QTimer poll;
    poll.setInterval(0);
    QObject::connect(&poll, &QTimer::timeout, &window, [&] {
        const QString status = window.Panel5->text();
        if (aborted || !status.startsWith("Sending ... ") || !status.endsWith(" ... to printer"))
            return;
        aborted = true;
        QTest::mouseClick(window.sbtnAbortPrint, Qt::LeftButton);
    });
    poll.start();
    window.tbbtnPrint->trigger();
    poll.stop();
    ASSERT_TRUE(aborted) << "the file was never sent";
    EXPECT_TRUE(messages.empty()) << messages.front().toStdString();
    const std::vector<int> done = completedJobs(1);
    ASSERT_EQ(done.size(), 1u) << "server log:\n" << serverLog();
    const std::string text = squeezed(pdfText(spooledFile(done[0]).string()));
    EXPECT_NE(text.find("unit Main;"), std::string::npos);
    EXPECT_EQ(std::count(text.begin(), text.end(), '\f'), 1) << "only the page printed before Abort";
    EXPECT_FALSE(window.sbtnAbortPrint->isEnabled());
    EXPECT_FALSE(PrintMarks(window.browser().tree(), window.browser().projectImage()).anyMarked());
}
