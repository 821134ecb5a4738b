#include "app/TfrmAbout.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLayout>
#include <QPointer>
#include <QScreen>
#include <QTest>
#include <QTimer>

using namespace lrl;

TEST(TfrmAbout, ShowsTheVersionStringsCentredInABoxOfFixedSize)
{
    TfrmAbout about;
    EXPECT_EQ(about.size(), QSize(344, 184));
    EXPECT_EQ(about.minimumSize(), about.maximumSize());
    EXPECT_FALSE(about.windowFlags() & Qt::WindowCloseButtonHint);
    EXPECT_FALSE(about.windowFlags() & Qt::WindowSystemMenuHint);
    QRect screen = QGuiApplication::primaryScreen()->geometry();
    EXPECT_LE((about.geometry().center() - screen.center()).manhattanLength(), 2);

    QStringList lines = about.lines();
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines[0], "Listrel for Delphi");
    EXPECT_EQ(lines[1], TfrmAbout::programVersion().value("ProductVersion"));
    EXPECT_FALSE(lines[1].isEmpty());
    EXPECT_EQ(lines[2], "Version " + TfrmAbout::programVersion().value("FileVersion"));
    EXPECT_EQ(lines[4], "Corvane");
    for (QLabel* label : about.findChildren<QLabel*>())
        EXPECT_TRUE(label->alignment() & Qt::AlignHCenter);
    // Every line fits the fixed box (at any scaling the box and the font grow together).
    QSize needed = about.layout()->minimumSize();
    EXPECT_LE(needed.width(), TfrmAbout::kWidth);
    EXPECT_LE(needed.height(), TfrmAbout::kHeight);
}

TEST(TfrmAbout, AMissingStringSaysItIsNotAvailable)
{
    TfrmAbout::VersionStrings strings { { "ProductName", "P" }, { "CompanyName", "C" } };
    EXPECT_EQ(TfrmAbout::versionString(strings, "Comments"), " Comments not available");
    TfrmAbout about(nullptr, strings);
    QStringList lines = about.lines();
    EXPECT_EQ(lines[0], "P");
    EXPECT_EQ(lines[1], " ProductVersion not available");
    EXPECT_EQ(lines[2], "Version  FileVersion not available");
    EXPECT_EQ(lines[3], " LegalCopyright not available");
    EXPECT_EQ(lines[4], "C");
}

TEST(TfrmAbout, AClickOnAnyLineClosesTheModalBoxWhichIsThenFreed)
{
    QPointer<TfrmAbout> seen;
    bool found = false;
    // Should the click not close it, the box is closed anyway so that the test ends.
    QTimer::singleShot(5000, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    QTimer::singleShot(0, [&seen, &found] {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (auto* about = qobject_cast<TfrmAbout*>(w); about && about->isVisible())
                seen = about;
        ASSERT_TRUE(seen);
        found = true;
        EXPECT_TRUE(seen->isModal());
        QList<QLabel*> labels = seen->findChildren<QLabel*>();
        ASSERT_FALSE(labels.isEmpty());
        QTest::mouseClick(labels.last(), Qt::LeftButton);
    });
    TfrmAbout::showModal(nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(found);
    EXPECT_TRUE(seen.isNull());
}

TEST(TfrmAbout, EscClosesTheModalBox)
{
    QPointer<TfrmAbout> seen;
    QTimer::singleShot(5000, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    QTimer::singleShot(0, [&seen] {
        seen = qobject_cast<TfrmAbout*>(QApplication::activeModalWidget());
        ASSERT_TRUE(seen);
        QTest::keyClick(seen, Qt::Key_Escape);
    });
    QElapsedTimer shown;
    shown.start();
    TfrmAbout::showModal(nullptr);
    EXPECT_LT(shown.elapsed(), 4000) << "closed by Esc, not by the test's time-out";
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(seen.isNull());
}

// A picture of the About box, written next to the file LRL_SCREENSHOT names as "<name>-about.png".
TEST(Screenshot, AboutBox)
{
    QString target = qEnvironmentVariable("LRL_SCREENSHOT");
    if (target.isEmpty())
        GTEST_SKIP() << "set LRL_SCREENSHOT to the PNG file to write";
    TfrmAbout about;
    about.show();
    for (int i = 0; i < 20; ++i)
        QApplication::processEvents();
    target.replace(".png", "-about.png");
    ASSERT_TRUE(about.grab().save(target));
}
