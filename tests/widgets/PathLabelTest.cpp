#include "widgets/PathLabel.h"

#include <gtest/gtest.h>

#include <QFontMetrics>

using namespace lrl;

TEST(PathLabel, ShortensWholeFoldersFromTheLeft)
{
    QFont font;
    QFontMetrics fm(font);
    const QString path = QStringLiteral("/home/someone/projects/stock/Sample.dpr");
    EXPECT_EQ(PathLabel::shorten(path, fm, fm.horizontalAdvance(path)), path);

    QString fits = QStringLiteral(".../stock/Sample.dpr");
    EXPECT_EQ(PathLabel::shorten(path, fm, fm.horizontalAdvance(fits)), fits);
    // One pixel less drops the next folder.
    EXPECT_EQ(PathLabel::shorten(path, fm, fm.horizontalAdvance(fits) - 1), QStringLiteral(".../Sample.dpr"));
    // Backslashes separate folders as well.
    EXPECT_EQ(PathLabel::shorten(QStringLiteral("C:\\Work\\Stock\\Main.pas"), fm,
                  fm.horizontalAdvance(QStringLiteral("...\\Main.pas"))),
        QStringLiteral("...\\Main.pas"));
}

TEST(PathLabel, CutsIntoTheFileNameOnlyWhenItAloneIsTooWide)
{
    QFont font;
    QFontMetrics fm(font);
    const QString path = QStringLiteral("/a/VeryLongUnitName.pas");
    QString tail = QStringLiteral("...UnitName.pas");
    EXPECT_EQ(PathLabel::shorten(path, fm, fm.horizontalAdvance(tail)), tail);
    EXPECT_EQ(PathLabel::shorten(path, fm, 1), QStringLiteral("..."));
    EXPECT_EQ(PathLabel::shorten(QString(), fm, 0), QString());
}

TEST(PathLabel, ShowsWhatFitsItsWidth)
{
    PathLabel label;
    label.setPath(QStringLiteral("/home/someone/projects/stock/Sample.dpr"));
    label.resize(label.sizeHint());
    EXPECT_EQ(label.shownText(), label.path());
    EXPECT_EQ(label.toolTip(), label.path());
    label.resize(label.sizeHint().width() / 2, label.sizeHint().height());
    EXPECT_TRUE(label.shownText().startsWith(QStringLiteral("...")));
    EXPECT_TRUE(label.shownText().endsWith(QStringLiteral("/Sample.dpr")));
}
