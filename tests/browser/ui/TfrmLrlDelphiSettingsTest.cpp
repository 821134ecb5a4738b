#include "browser/ui/HelpWindow.h"
#include "browser/ui/TfrmLrlDelphi.h"
#include "common/MemorySettingsStore.h"
#include "platform/HintDisplay.h"
#include "platform/QSettingsStore.h"
#include "support/TempDir.h"
#include "viewer/ui/TSyntaxMemo.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QDirIterator>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QPushButton>
#include <QRegularExpression>
#include <QScreen>
#include <QSplitter>
#include <QTextBrowser>
#include <QToolBar>

#include <filesystem>
#include <memory>

using namespace lrl;
using lrl::test::TempDir;

namespace {

// A window over an in-memory store that the test fills before the window is made and reads after it
// has closed.
class WindowSettings : public ::testing::Test {
protected:
    void TearDown() override { HintDisplay::setShown(true); }

    TfrmLrlDelphi& open()
    {
        window = std::make_unique<TfrmLrlDelphi>(
            nullptr, QString::fromStdString((dir.path() / "LrlDFileInfo.Dat").string()), &store);
        window->setMessageSink([this](bool, const QString& text) { messages << text; });
        return *window;
    }

    void closeWindow()
    {
        ASSERT_TRUE(window->close());
        window.reset();
    }

    std::string stored(const char* section, const char* name) const
    {
        return store.readString(section, name).value_or("<absent>");
    }

    // The paths of the recent-file items after the separator of a menu (up to the next separator or the
    // next of the window's own items).
    static QStringList recentItems(QMenu* menu, QAction* separator)
    {
        QStringList paths;
        QList<QAction*> actions = menu->actions();
        for (qsizetype i = actions.indexOf(separator) + 1;
             i < actions.size() && !actions[i]->isSeparator() && actions[i]->objectName().isEmpty(); ++i)
            paths << actions[i]->toolTip();
        return paths;
    }

    // Files that exist, named n0.pas, n1.pas, …
    std::string unitFile(int n) const
    {
        return dir.write("u" + std::to_string(n) + ".pas", "unit u;\r\nend.\r\n");
    }

    TempDir dir;
    MemorySettingsStore store;
    std::unique_ptr<TfrmLrlDelphi> window;
    QStringList messages;
};

TEST_F(WindowSettings, FirstStartGivesTheDefaultWindowAndStoresThem)
{
    TfrmLrlDelphi& w = open();
    EXPECT_EQ(w.pos(), QPoint(0, 0));
    EXPECT_EQ(w.size(), QSize(700, 500));
    EXPECT_EQ(w.Splitter1->sizes().value(0), 233);
    EXPECT_EQ(w.toolbarDock(), ToolbarDock::Top);
    EXPECT_TRUE(w.ToolBar1->isMovable());
    EXPECT_TRUE(HintDisplay::shown());
    EXPECT_FALSE(w.SyntaxMemo1->options().has(smoWordWrap));
    EXPECT_FALSE(w.SyntaxMemo1->options().has(smoLineNumbers));
    const BrowserSettings& s = w.browser().settings();
    EXPECT_TRUE(s.Srt && s.SupBData && s.FlNm && s.Dt && s.PgNo && s.LmtTVUpDt);
    EXPECT_FALSE(s.LnNo || s.ShFrm || s.ShOpt);

    closeWindow();
    EXPECT_EQ(stored("FormOps", "Top"), "0");
    EXPECT_EQ(stored("FormOps", "Left"), "0");
    EXPECT_EQ(stored("FormOps", "Width"), "700");
    EXPECT_EQ(stored("FormOps", "Height"), "500");
    EXPECT_EQ(stored("FormOps", "P2"), "233");
    EXPECT_EQ(stored("FormOps", "LmtTVUpDt"), "1");
    EXPECT_EQ(stored("FormOps", "DckLoc"), "0");
    EXPECT_EQ(stored("PrtOps", "PgNo"), "1");
    EXPECT_EQ(stored("PrtOps", "dsf"), "0");
    EXPECT_TRUE(store.valueNames("MRU Items").empty());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(WindowSettings, StoredValuesAreAppliedAndTheWindowAsItIsWrittenBack)
{
    store.writeString("FormOps", "Top", "20");
    store.writeString("FormOps", "Left", "30");
    store.writeString("FormOps", "Width", "0x258"); // 600
    store.writeString("FormOps", "Height", "400");
    store.writeString("FormOps", "P2", "150");
    store.writeString("FormOps", "ShHnts", "0");
    store.writeString("FormOps", "DckTlbr", "0");
    store.writeString("FormOps", "WrdWrp", "1");
    store.writeString("FormOps", "ShLnNum", "1");
    store.writeString("FormOps", "LmtTVUpDt", "0"); // never read: always on
    store.writeString("FormOps", "DckLoc", "1");
    store.writeString("PrtOps", "LnNo", "1");

    TfrmLrlDelphi& w = open();
    EXPECT_EQ(w.geometry(), QRect(30, 20, 600, 400));
    EXPECT_EQ(w.Splitter1->sizes().value(0), 150);
    EXPECT_FALSE(HintDisplay::shown());
    EXPECT_FALSE(w.ToolBar1->isMovable());
    EXPECT_TRUE(w.SyntaxMemo1->options().has(smoWordWrap));
    EXPECT_TRUE(w.SyntaxMemo1->options().has(smoLineNumbers));
    EXPECT_EQ(w.toolbarDock(), ToolbarDock::Left);
    EXPECT_TRUE(w.browser().settings().LmtTVUpDt);
    EXPECT_TRUE(w.browser().settings().LnNo);
    // Showing the window lays it out anew; the tree keeps its width.
    w.show();
    QApplication::processEvents();
    EXPECT_EQ(w.Splitter1->sizes().value(0), 150);

    w.move(40, 50);
    w.resize(640, 420);
    w.dockToolbar(ToolbarDock::Right);
    closeWindow();
    EXPECT_EQ(stored("FormOps", "Top"), "50");
    EXPECT_EQ(stored("FormOps", "Left"), "40");
    EXPECT_EQ(stored("FormOps", "Width"), "640");
    EXPECT_EQ(stored("FormOps", "Height"), "420");
    EXPECT_EQ(stored("FormOps", "ShHnts"), "0");
    EXPECT_EQ(stored("FormOps", "WrdWrp"), "1");
    EXPECT_EQ(stored("FormOps", "LmtTVUpDt"), "1");
    EXPECT_EQ(stored("FormOps", "DckLoc"), "2");
    EXPECT_EQ(stored("PrtOps", "LnNo"), "1");
}

TEST_F(WindowSettings, ADockLocationOfThreeLeavesTheToolbarAtTheTop)
{
    store.writeString("FormOps", "DckLoc", "3");
    EXPECT_EQ(open().toolbarDock(), ToolbarDock::Top);
    closeWindow();
    EXPECT_EQ(stored("FormOps", "DckLoc"), "0");
}

TEST_F(WindowSettings, AFloatingToolbarIsDockedAtTheTopBeforeClosing)
{
    store.writeString("FormOps", "DckLoc", "2");
    TfrmLrlDelphi& w = open();
    w.show();
    ASSERT_EQ(w.toolbarDock(), ToolbarDock::Right);
    // What dragging it off the window does: the toolbar becomes a window of its own.
    w.ToolBar1->setWindowFlags(Qt::Tool | Qt::FramelessWindowHint);
    w.ToolBar1->show();
    ASSERT_EQ(w.toolbarDock(), ToolbarDock::Floating);

    ASSERT_TRUE(w.close());
    EXPECT_FALSE(w.ToolBar1->isFloating());
    EXPECT_EQ(w.toolBarArea(w.ToolBar1), Qt::TopToolBarArea);
    EXPECT_FALSE(w.ToolBar1->isHidden());
    EXPECT_EQ(stored("FormOps", "DckLoc"), "0");
}

TEST_F(WindowSettings, DamagedSettingsStillGiveAVisibleWindowOfDefaultSize)
{
    store.writeString("FormOps", "Top", "99999999999");
    store.writeString("FormOps", "Left", "-30000");
    store.writeString("FormOps", "Width", "-40");
    store.writeString("FormOps", "Height", "\x01\xff garbage");
    store.writeString("FormOps", "P2", "0x");
    store.writeString("FormOps", "Srt", "yes");
    store.writeBinary("FormOps", "ShHnts", { 1, 2, 3 });
    store.writeString("FormOps", "DckLoc", "-7");
    store.writeString("MRU Items", "F0", std::string(5000, 'x'));

    TfrmLrlDelphi& w = open();
    EXPECT_EQ(w.size(), QSize(700, 500));
    EXPECT_EQ(w.Splitter1->sizes().value(0), 233);
    EXPECT_TRUE(w.browser().settings().Srt);
    EXPECT_TRUE(HintDisplay::shown());
    EXPECT_EQ(w.toolbarDock(), ToolbarDock::Top);
    EXPECT_TRUE(w.recentFiles().empty());
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.contains(w.geometry().topLeft())) << w.geometry().x() << "," << w.geometry().y();
}

TEST_F(WindowSettings, AWindowStoredOffEveryScreenComesBackOnOne)
{
    store.writeString("FormOps", "Top", "20000");
    store.writeString("FormOps", "Left", "-20000");
    TfrmLrlDelphi& w = open();
    QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(screen.intersects(w.geometry()));
    EXPECT_GE(w.geometry().top(), screen.top());
}

TEST_F(WindowSettings, RecentFilesLoseDeletedOnesAtStartAndAreRewrittenAsAWhole)
{
    std::string a = unitFile(0), b = unitFile(1), c = unitFile(2);
    store.writeString("MRU Items", "F0", a);
    store.writeString("MRU Items", "F1", b);
    store.writeString("MRU Items", "F2", c);
    store.writeString("MRU Items", "Stale", "left by someone else");
    std::filesystem::remove(b);

    TfrmLrlDelphi& w = open();
    QMetaObject::invokeMethod(w.mnuFile, "aboutToShow");
    EXPECT_EQ(recentItems(w.mnuFile, w.mnuMRUSep),
        (QStringList { QString::fromStdString(a), QString::fromStdString(c) }));

    // Reopening the older one moves it to the top, once.
    w.openFile(QString::fromStdString(c));
    closeWindow();
    EXPECT_EQ(store.valueNames("MRU Items"), (std::vector<std::string> { "F0", "F1" }));
    EXPECT_EQ(stored("MRU Items", "F0"), c);
    EXPECT_EQ(stored("MRU Items", "F1"), a);
}

TEST_F(WindowSettings, TheEleventhRecentFileDropsTheOldest)
{
    for (int i = 0; i < 10; ++i)
        store.writeString("MRU Items", "F" + std::to_string(i), unitFile(i));
    std::string eleventh = unitFile(10);
    TfrmLrlDelphi& w = open();
    ASSERT_EQ(w.recentFiles().entries().size(), 10u);
    w.openFile(QString::fromStdString(eleventh));
    closeWindow();
    EXPECT_EQ(store.valueNames("MRU Items").size(), 10u);
    EXPECT_EQ(stored("MRU Items", "F0"), eleventh);
    EXPECT_EQ(stored("MRU Items", "F1"), unitFile(0));
    EXPECT_EQ(stored("MRU Items", "F9"), unitFile(8));
}

TEST_F(WindowSettings, RecentItemsShowInTheMenuOpenedLastWithShortCaptions)
{
    std::string deep = dir.write(
        std::string(20, 'd') + "/" + std::string(30, 'e') + "/" + std::string(40, 'f') + "/Unit1.pas",
        "unit Unit1;\r\nend.\r\n");
    store.writeString("MRU Items", "F0", deep);
    TfrmLrlDelphi& w = open();
    QMetaObject::invokeMethod(w.pmnuOpen, "aboutToShow");
    ASSERT_EQ(recentItems(w.pmnuOpen, w.pmnuMRUSep), QStringList { QString::fromStdString(deep) });
    EXPECT_TRUE(recentItems(w.mnuFile, w.mnuMRUSep).isEmpty());
    QAction* item = w.pmnuOpen->actions().value(w.pmnuOpen->actions().indexOf(w.pmnuMRUSep) + 1);
    EXPECT_LE(QFontMetrics(w.pmnuOpen->font()).horizontalAdvance(item->text()), 200);

    // "&Clear MRU List" empties the list, and the store with it at close.
    QAction* clear = nullptr;
    for (QAction* a : w.pmnuOpen->actions())
        if (a->text() == "&Clear MRU List")
            clear = a;
    ASSERT_NE(clear, nullptr);
    clear->trigger();
    EXPECT_TRUE(w.recentFiles().empty());
    closeWindow();
    EXPECT_TRUE(store.valueNames("MRU Items").empty());
}

TEST_F(WindowSettings, ExitClosesTheWindowAndWritesTheSettings)
{
    TfrmLrlDelphi& w = open();
    w.show();
    EXPECT_EQ(w.tbbtnExit->toolTip(), "Exit Listrel for Delphi");
    EXPECT_EQ(w.tbbtnHelp->toolTip(), "Help");
    EXPECT_EQ(w.mnuContents->text(), "&Contents");
    EXPECT_EQ(w.mnuAbout->text(), "&About");
    w.tbbtnExit->trigger();
    EXPECT_FALSE(w.isVisible());
    EXPECT_EQ(stored("FormOps", "Width"), "700");
}

TEST_F(WindowSettings, TheProgramsStoreKeepsTheValuesAsTextInAnIniFile)
{
    QString ini = QString::fromStdString((dir.path() / "settings.ini").string());
    {
        QSettingsStore qstore(ini);
        qstore.writeString("FormOps", "Width", "0x280");
        TfrmLrlDelphi w(nullptr, QString::fromStdString((dir.path() / "LrlDFileInfo.Dat").string()), &qstore);
        EXPECT_EQ(w.width(), 640);
        w.close();
    }
    QFile file(ini);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QString text = QString::fromUtf8(file.readAll());
    EXPECT_TRUE(text.contains("[FormOps]"));
    EXPECT_TRUE(text.contains("Width=640"));
    EXPECT_TRUE(text.contains("[PrtOps]"));
}

TEST(Help, OpensAtItsContentsPage)
{
    TfrmLrlDelphi w;
    w.mnuContents->trigger();
    ASSERT_NE(w.helpWindow(), nullptr);
    EXPECT_TRUE(w.helpWindow()->isVisible());
    EXPECT_EQ(w.helpWindow()->browser()->source(), HelpWindow::contentsUrl());
    EXPECT_EQ(w.helpWindow()->browser()->documentTitle(), "Listrel for Delphi Help");

    // Browsing away and asking again returns to the contents, in the same window.
    HelpWindow* first = w.helpWindow();
    w.helpWindow()->browser()->setSource(QUrl("qrc:/help/printing.html"));
    w.tbbtnHelp->trigger();
    EXPECT_EQ(w.helpWindow(), first);
    EXPECT_EQ(w.helpWindow()->browser()->source(), HelpWindow::contentsUrl());
    w.helpWindow()->close();
}

TEST(Help, EveryPageLinkLeadsToAPageThatExists)
{
    HelpWindow help;
    QDirIterator pages(":/help");
    int count = 0;
    while (pages.hasNext()) {
        QString page = pages.next();
        ++count;
        QFile file(page);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << page.toStdString();
        QString html = QString::fromUtf8(file.readAll());
        auto links = QRegularExpression(R"(href="([^"#:]+))").globalMatch(html);
        while (links.hasNext()) {
            QString target = links.next().captured(1);
            EXPECT_TRUE(QFile::exists(":/help/" + target))
                << page.toStdString() << " -> " << target.toStdString();
        }
    }
    EXPECT_GE(count, 5);
}

} // namespace

namespace {

TEST(WindowLayout, StatusPanelsKeepClearOfTheAbortButtonAndThePrintBufferFollowsTheViewer)
{
    TfrmLrlDelphi w;
    w.show();
    for (int width : { 700, 520, 900 }) {
        w.resize(width, 480);
        QCoreApplication::sendPostedEvents();
        QApplication::processEvents();
        QWidget* status = w.Panel5->parentWidget();
        QRect abort = w.sbtnAbortPrint->geometry();
        EXPECT_EQ(w.Panel4->geometry().right() + 1, abort.left() - 3) << width;
        EXPECT_EQ(w.Panel5->width(), status->width() - abort.width() - 4) << width;
        EXPECT_EQ(abort.right(), status->width() - 1) << width;
        EXPECT_EQ(w.tmpMemo->width(), w.SyntaxMemo1->width()) << width;
        EXPECT_EQ(w.tmpMemo->x(), w.SyntaxMemo1->x()) << width;
    }
}

} // namespace

namespace {

// A picture of the window with the File menu open over recent files, written next to the file
// LRL_SCREENSHOT names (tools/screenshot.sh), as "<name>-filemenu.png".
TEST(Screenshot, FileMenuWithRecentFiles)
{
    QString target = qEnvironmentVariable("LRL_SCREENSHOT");
    if (target.isEmpty())
        GTEST_SKIP() << "set LRL_SCREENSHOT to the PNG file to write";
    MemorySettingsStore store;
    const char* units[] = { "Main.pas", "About.pas", "Sample.dpr" };
    for (int i = 0; i < 3; ++i)
        store.writeString(
            "MRU Items", "F" + std::to_string(i), LRL_SOURCE_DIR "/examples/Sample/" + std::string(units[i]));
    store.writeString("MRU Items", "F3", "/no/longer/there/Gone.pas");
    TfrmLrlDelphi window(nullptr, {}, &store);
    window.setMessageSink([](bool, const QString&) {});
    window.show();
    for (int i = 0; i < 10; ++i)
        QApplication::processEvents();
    window.mnuFile->popup(window.mapToGlobal(QPoint(4, window.menuBar()->height())));
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    QString out = target;
    out.replace(QRegularExpression("\\.png$"), "-filemenu.png");
    // The window with the open menu drawn over it where it pops up.
    QPixmap shot = window.grab();
    {
        QPainter painter(&shot);
        painter.drawPixmap(window.mapFromGlobal(window.mnuFile->pos()), window.mnuFile->grab());
    }
    ASSERT_TRUE(shot.save(out));
    window.mnuFile->close();
}

} // namespace

namespace {

// Whether a picture of the viewer holds a pixel close to the colour (0x00BBGGRR), as text drawn in it
// leaves some at its full colour.
bool showsColour(const QImage& image, int32_t colour)
{
    QColor wanted(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF);
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x) {
            QColor c = image.pixelColor(x, y);
            if (std::abs(c.red() - wanted.red()) + std::abs(c.green() - wanted.green())
                    + std::abs(c.blue() - wanted.blue())
                < 24)
                return true;
        }
    return false;
}

} // namespace

TEST_F(WindowSettings, FirstStartShowsTheDefaultHighlightingWithoutStoringIt)
{
    TfrmLrlDelphi& w = open();
    const TSM_Settings& s = w.SyntaxMemo1->settings();
    EXPECT_EQ(s.effects[7].style, TSM_Effect::Bold); // reserved words
    EXPECT_EQ(s.effects[5].style, TSM_Effect::Italic); // comments
    EXPECT_NE(s.effects[7].foreground, 0x000000);
    EXPECT_TRUE(s.effects[7] == w.tmpMemo->settings().effects[7])
        << "the print buffer prints the same styles";

    w.resize(700, 500);
    w.show();
    w.openFile(QString::fromStdString(dir.write("Colours.pas",
        "unit Colours;\r\n{ a comment }\r\ninterface\r\nconst S = 'text'; N = 42;\r\nend.\r\n")));
    QApplication::processEvents();
    QImage picture = w.SyntaxMemo1->grab().toImage();
    EXPECT_TRUE(showsColour(picture, s.effects[7].foreground)) << "reserved words";
    EXPECT_TRUE(showsColour(picture, s.effects[3].foreground)) << "strings";
    EXPECT_TRUE(showsColour(picture, s.effects[4].foreground)) << "numbers";

    closeWindow();
    EXPECT_EQ(stored("FormOps", "Highlighting - Object Pascal"), "<absent>");
    EXPECT_FALSE(store.readBinary("FormOps", "Key Assignments - Object Pascal").has_value());
    EXPECT_TRUE(messages.isEmpty());
}

TEST_F(WindowSettings, StoredStylesFromTheProgramsStoreWinOverTheDefault)
{
    // The user made reserved words italic red on green and comments plain; "#", ";" and "," in the
    // value must come back from the settings file as written.
    const std::string style = "Farvel6:FON#13#Liberation #;EFF#30#2,5,0,16777215,;7,255,65280,I;#END#";
    QString ini = QString::fromStdString((dir.path() / "settings.ini").string());
    {
        QSettingsStore qstore(ini);
        qstore.writeString("FormOps", "Highlighting - Object Pascal", style);
        qstore.flush();
    }
    QSettingsStore qstore(ini);
    TfrmLrlDelphi w(nullptr, QString::fromStdString((dir.path() / "LrlDFileInfo.Dat").string()), &qstore);
    const TSM_Settings& s = w.SyntaxMemo1->settings();
    EXPECT_EQ(s.effects[7].style, TSM_Effect::Italic);
    EXPECT_EQ(s.effects[7].foreground, 0x0000FF);
    EXPECT_EQ(s.effects[7].background, 0x00FF00);
    EXPECT_EQ(s.effects[5].style, 0);
    EXPECT_EQ(s.font.name, "Liberation #;");
    // Effects the stored string does not name keep the scheme's plain definition, not the default's.
    EXPECT_TRUE(s.effects[3].foregroundDefault);
    w.close();
    EXPECT_EQ(qstore.readString("FormOps", "Highlighting - Object Pascal").value_or(""), style);
}
