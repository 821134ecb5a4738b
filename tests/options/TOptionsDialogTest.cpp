#include "options/TOptionsDialog.h"

#include "FakeOptionsHost.h"
#include "options/MarginSpinEdit.h"
#include "options/StyleElements.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"
#include "viewer/ui/TSyntaxMemo.h"
#include "widgets/TDFSColorButton.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTest>

#include <set>

using namespace lrl;
using Page = TOptionsDialog::Page;

namespace {

std::string stored(const SettingsStore& store, const char* name)
{
    return store.readString("PrtOps", name).value_or("<absent>");
}

class OptionsDialog : public ::testing::Test {
protected:
    FakeOptionsHost host;
    std::unique_ptr<TSyntaxMemoParser> parser = createShippedParser();
    TOptionsDialog dialog { host };
    int accepted = 0;

    void SetUp() override
    {
        dialog.onStylesAccepted = [this] { ++accepted; };
    }

    void open(Page page = Page::Viewer)
    {
        dialog.start(*parser, page);
        dialog.show();
        QApplication::processEvents();
    }
    void close(bool ok)
    {
        ok ? dialog.btnOK->click() : dialog.btnCancel->click();
        dialog.finish();
    }
    // Selects a style of the shipped scheme by name in the element list, as the user does.
    void chooseElement(const QString& name)
    {
        QList<QListWidgetItem*> items = dialog.SynElementsBox->findItems(name, Qt::MatchExactly);
        ASSERT_EQ(items.size(), 1) << name.toStdString();
        dialog.SynElementsBox->setCurrentItem(items.front());
    }
};

} // namespace

TEST_F(OptionsDialog, CancelKeepsTheScannersStylesButNotTheOtherPagesChanges)
{
    TSM_Settings before = parser->settings();
    open(Page::SyntaxHighlighting);
    chooseElement("Comment");
    dialog.UseBoldBox->click();
    dialog.UseDefForeBox->click();
    dialog.ForegroundButton->chooseColor(0x808000);
    EXPECT_EQ(dialog.workingSettings().effects[5].style & TSM_Effect::Bold, TSM_Effect::Bold);
    EXPECT_EQ(dialog.workingSettings().effects[5].foreground, 0x808000);
    EXPECT_EQ(dialog.FEditor->settings().effects[5].foreground, 0x808000)
        << "the sample shows the edit at once";

    dialog.PageControl1->setCurrentIndex(static_cast<int>(Page::Viewer));
    dialog.cbSortItems->click();
    dialog.cbWrdWrp->click();
    dialog.PageControl1->setCurrentIndex(static_cast<int>(Page::CodePagePrint));
    dialog.rxedtLeft->setValue(0.5);
    dialog.PageControl1->setCurrentIndex(static_cast<int>(Page::TreeviewPrint));
    dialog.cbBold->click();
    dialog.levelLabels[2]->click();

    close(false);
    EXPECT_EQ(parser->settings(), before);
    EXPECT_EQ(accepted, 0);
    EXPECT_FALSE(dialog.FEditor->parser(1)) << "the sample viewer lets the scanner go";
    EXPECT_FALSE(host.browserSettings.Srt);
    EXPECT_TRUE(host.browserSettings.WrdWrp);
    EXPECT_EQ(host.wordWrapApplied, 1);
    EXPECT_TRUE(host.optionsChanged);
    EXPECT_EQ(stored(host.memoryStore, "lmr"), "50");
    EXPECT_EQ(stored(host.memoryStore, "rbFst2"), "100");
}

TEST_F(OptionsDialog, OkHandsTheWorkingStylesToTheScanner)
{
    open(Page::SyntaxHighlighting);
    chooseElement("Reserved word");
    dialog.UseItalicBox->click();
    chooseElement("Gutter");
    dialog.BackgroundButton->chooseColor(0x00FFFF);
    close(true);
    EXPECT_EQ(parser->settings().effects[7].style & TSM_Effect::Italic, TSM_Effect::Italic);
    EXPECT_EQ(parser->settings().gutterColor, 0x00FFFF);
    EXPECT_EQ(parser->settings(), dialog.workingSettings());
    EXPECT_EQ(accepted, 1);
}

TEST_F(OptionsDialog, OpensOnThePageAskedForAndClearsTheChangedFlag)
{
    host.optionsChanged = true;
    open(Page::CodePagePrint);
    EXPECT_EQ(dialog.PageControl1->currentIndex(), 2);
    EXPECT_FALSE(host.optionsChanged);
    EXPECT_EQ(dialog.windowTitle(), "Options");
    QStringList tabs;
    for (int i = 0; i < dialog.PageControl1->count(); ++i)
        tabs << dialog.PageControl1->tabText(i).remove(QLatin1Char('&'));
    EXPECT_EQ(tabs, (QStringList { "Viewer", "Syntax Highlighting", "Code Page Print", "Treeview Print" }));
    EXPECT_EQ(TOptionsDialog::pageNamed("Treeview Print"), Page::TreeviewPrint);
    EXPECT_EQ(TOptionsDialog::pageNamed("no such page"), Page::Viewer);
    close(false);
}

TEST_F(OptionsDialog, ViewerBoxesSetTheirSettingsWhenClicked)
{
    open();
    struct Box {
        QCheckBox* box;
        bool BrowserSettings::*setting;
        bool asksReload;
    };
    Box boxes[] = { { dialog.cbSortItems, &BrowserSettings::Srt, true },
        { dialog.cbDckTlbr, &BrowserSettings::DckTlbr, false },
        { dialog.cbShowHints, &BrowserSettings::ShHnts, false },
        { dialog.cbShwLnNum, &BrowserSettings::ShLnNum, false },
        { dialog.cbPrtSepPgs, &BrowserSettings::PrtSepPgs, false },
        { dialog.cbVuDFM, &BrowserSettings::ShFrm, true }, { dialog.cbVuDOF, &BrowserSettings::ShOpt, true },
        { dialog.cbSupBData, &BrowserSettings::SupBData, true } };
    for (const Box& b : boxes) {
        host.optionsChanged = false;
        bool was = host.browserSettings.*b.setting;
        EXPECT_EQ(b.box->isChecked(), was) << b.box->objectName().toStdString();
        b.box->click();
        EXPECT_EQ(host.browserSettings.*b.setting, !was) << b.box->objectName().toStdString();
        EXPECT_EQ(host.optionsChanged, b.asksReload) << b.box->objectName().toStdString();
    }
    EXPECT_EQ(host.dockingApplied, 1);
    EXPECT_EQ(host.lineNumbersApplied, 1);
    dialog.cbShowHints->click();

    dialog.cbPrtOptsReview->click();
    EXPECT_FALSE(host.browserSettings.dsf) << "written only when the dialog closes";
    close(false);
    EXPECT_TRUE(host.browserSettings.dsf);
    EXPECT_EQ(host.memoryStore.readString("PrtOps", "dsf"), "1");
}

// The code page of older files is read when a file is opened: choosing another asks for a reload,
// choosing the same one does not.
TEST_F(OptionsDialog, CodePageOfOlderFilesAsksForAReload)
{
    host.browserSettings.AnsiCP = 1250;
    open();
    EXPECT_EQ(dialog.cbAnsiCP->currentData().toInt(), 1250);
    ASSERT_EQ(dialog.cbAnsiCP->count(), 6);
    const int cyrillic = dialog.cbAnsiCP->findData(1251);
    dialog.cbAnsiCP->setCurrentIndex(cyrillic);
    emit dialog.cbAnsiCP->activated(cyrillic);
    EXPECT_EQ(host.browserSettings.AnsiCP, 1251);
    EXPECT_TRUE(host.optionsChanged);
    host.optionsChanged = false;
    emit dialog.cbAnsiCP->activated(cyrillic);
    EXPECT_FALSE(host.optionsChanged);
    close(false);
}

TEST_F(OptionsDialog, MarginsShowOneInchAsOneAndStoreItAsDoubleZero)
{
    host.memoryStore.writeString("PrtOps", "lmr", "00");
    host.memoryStore.writeString("PrtOps", "tmr", "25");
    open(Page::CodePagePrint);
    EXPECT_EQ(dialog.rxedtLeft->text(), "1.00");
    EXPECT_EQ(dialog.rxedtTop->text(), "0.25");
    EXPECT_EQ(dialog.rxedtRight->text(), "0.05") << "the default";
    dialog.rxedtTop->setValue(dialog.rxedtTop->minimum());
    dialog.rxedtRight->stepBy(19);
    EXPECT_EQ(dialog.rxedtRight->text(), "1.00") << "the arrows stop at one inch";
    close(false);
    EXPECT_EQ(stored(host.memoryStore, "lmr"), "00");
    EXPECT_EQ(stored(host.memoryStore, "tmr"), "05");
    EXPECT_EQ(stored(host.memoryStore, "rmr"), "00");
    EXPECT_EQ(stored(host.memoryStore, "bmr"), "05");
}

TEST_F(OptionsDialog, TypingThreeInAMarginBecomesOneWhenTheKeyIsReleased)
{
    open(Page::CodePagePrint);
    dialog.activateWindow();
    dialog.rxedtBottom->setFocus();
    dialog.rxedtBottom->selectAll();
    QTest::keyPress(dialog.rxedtBottom, Qt::Key_3);
    EXPECT_EQ(dialog.rxedtBottom->text(), "3") << "the typed digit stands until the key comes up";
    QTest::keyRelease(dialog.rxedtBottom, Qt::Key_3);
    EXPECT_EQ(dialog.rxedtBottom->text(), "1.00");
    EXPECT_DOUBLE_EQ(dialog.rxedtBottom->value(), 1.0);
    close(true);
    EXPECT_EQ(stored(host.memoryStore, "bmr"), "00");
}

TEST_F(OptionsDialog, HeaderButtonsAndCustomTextAreWrittenWhenTheDialogCloses)
{
    host.open = true;
    host.customText = "Stock control";
    open(Page::CodePagePrint);
    EXPECT_TRUE(dialog.rbFnw->isChecked()) << "the default header";
    EXPECT_FALSE(dialog.Edit1->isEnabled()) << "the custom text is for the custom header only";
    EXPECT_EQ(dialog.Edit1->text(), "Stock control");
    dialog.rbct->click();
    EXPECT_TRUE(dialog.Edit1->isEnabled());
    dialog.Edit1->selectAll();
    QTest::keyClicks(dialog.Edit1, "Stock control 2");
    dialog.PageControl1->setCurrentIndex(static_cast<int>(Page::Viewer));
    dialog.PageControl1->setCurrentIndex(static_cast<int>(Page::CodePagePrint));
    EXPECT_EQ(dialog.Edit1->text(), "Stock control 2") << "coming back to the page keeps what was typed";
    close(true);
    EXPECT_EQ(host.customText, "Stock control 2");
    EXPECT_EQ(stored(host.memoryStore, "rbCt"), "1");
    EXPECT_EQ(stored(host.memoryStore, "rbFnw"), "0");
    EXPECT_EQ(stored(host.memoryStore, "hdr"), "3");

    struct Case {
        QRadioButton* TOptionsDialog::*button;
        const char* hdr;
    };
    for (Case c : { Case { &TOptionsDialog::rbFnw, "0" }, Case { &TOptionsDialog::rbFnwo, "1" },
             Case { &TOptionsDialog::rbsfp, "2" } }) {
        open(Page::CodePagePrint);
        (dialog.*c.button)->click();
        close(false);
        EXPECT_EQ(stored(host.memoryStore, "hdr"), c.hdr);
    }
}

TEST_F(OptionsDialog, WithoutAFileTheCodePrintBoxesAreOffLimits)
{
    open(Page::CodePagePrint);
    for (QWidget* w : std::initializer_list<QWidget*> { dialog.cbHdr, dialog.cbDate, dialog.cbPage,
             dialog.cbLine, dialog.rbct, dialog.rbFnw, dialog.rbFnwo, dialog.rbsfp, dialog.Edit1 })
        EXPECT_FALSE(w->isEnabled()) << w->objectName().toStdString();
    EXPECT_TRUE(dialog.rxedtLeft->isEnabled());
    dialog.PageControl1->setCurrentIndex(static_cast<int>(Page::SyntaxHighlighting));
    EXPECT_TRUE(dialog.cbHdr->isEnabled());
    EXPECT_FALSE(dialog.rbct->isEnabled()) << "the custom text needs a file";
    chooseElement("Gutter");
    dialog.PageControl1->setCurrentIndex(static_cast<int>(Page::CodePagePrint));
    dialog.PageControl1->setCurrentIndex(static_cast<int>(Page::SyntaxHighlighting));
    EXPECT_FALSE(dialog.UseDefForeBox->isEnabled()) << "switching pages leaves the element's boxes alone";
    close(false);
    EXPECT_EQ(host.customText, "Listrel") << "no file, no custom text written";
}

TEST_F(OptionsDialog, GutterAndMarginDisableTheForegroundControls)
{
    open(Page::SyntaxHighlighting);
    EXPECT_EQ(dialog.SynElementsBox->currentRow(), 0);
    QStringList names;
    for (int i = 0; i < dialog.SynElementsBox->count(); ++i)
        names << dialog.SynElementsBox->item(i)->text();
    EXPECT_EQ(names.mid(names.size() - 3), (QStringList { "Selected text", "Left margin", "Gutter" }));

    for (const char* fixed : { "Gutter", "Left margin" }) {
        chooseElement(QString::fromLatin1(fixed));
        EXPECT_FALSE(dialog.UseDefForeBox->isEnabled()) << fixed;
        EXPECT_FALSE(dialog.ForegroundButton->isEnabled()) << fixed;
        EXPECT_TRUE(dialog.UseDefBackBox->isEnabled()) << fixed;
        EXPECT_FALSE(dialog.GroupBox1->isEnabled()) << fixed;
    }
    chooseElement("String");
    EXPECT_TRUE(dialog.UseDefForeBox->isEnabled());
    EXPECT_TRUE(dialog.UseDefBackBox->isEnabled());
    EXPECT_TRUE(dialog.GroupBox1->isEnabled());
    EXPECT_TRUE(dialog.UseDefForeBox->isChecked());
    EXPECT_FALSE(dialog.ForegroundButton->isEnabled()) << "a default colour is not chosen";
    dialog.UseDefForeBox->click();
    EXPECT_TRUE(dialog.ForegroundButton->isEnabled());
    EXPECT_FALSE(dialog.workingSettings().effects[3].foregroundDefault);
    close(false);
}

TEST_F(OptionsDialog, FillingTheControlsEditsNothing)
{
    TSM_Settings before = parser->settings();
    open(Page::SyntaxHighlighting);
    for (int row = 0; row < dialog.SynElementsBox->count(); ++row)
        dialog.SynElementsBox->setCurrentRow(row);
    EXPECT_EQ(dialog.workingSettings(), before);
    close(true);
    EXPECT_EQ(parser->settings(), before);
}

TEST_F(OptionsDialog, FontBoxesChangeTheWorkingFont)
{
    open(Page::SyntaxHighlighting);
    EXPECT_EQ(dialog.FontNameBox->currentText().toStdString(), parser->settings().font.name);
    EXPECT_EQ(dialog.FontSizeBox->currentText(), QString::number(parser->settings().font.size));
    EXPECT_EQ(dialog.FontFamilyBox->count(), 18);
    EXPECT_TRUE(dialog.FontFamilyBox->isHidden());
    int at = dialog.FontSizeBox->findText("14");
    ASSERT_GE(at, 0);
    dialog.FontSizeBox->setCurrentIndex(at);
    emit dialog.FontSizeBox->textActivated("14");
    EXPECT_EQ(dialog.workingSettings().font.size, 14);
    EXPECT_EQ(dialog.FEditor->textFont().size, 14);
    close(false);
    EXPECT_NE(parser->settings().font.size, 14);
}

TEST_F(OptionsDialog, ClickingTheSameSpotOfTheSampleTwiceChangesNothing)
{
    open(Page::SyntaxHighlighting);
    dialog.resize(800, 700); // the sample's first ten lines in view
    QApplication::processEvents();
    dialog.FEditor->rescan();
    // The sample starts with a comment; the word "unit" follows on line 6.
    QPoint comment(dialog.FEditor->textLeft() + 20, 4);
    dialog.sampleClicked(comment);
    EXPECT_EQ(dialog.selectedElement(), 5) << "Comment";
    chooseElement("Gutter");
    dialog.sampleClicked(comment + QPoint(5, 5));
    EXPECT_EQ(dialog.selectedElement(), StyleElements::kGutter) << "within the same spot";

    int unitLine = 0;
    while (unitLine < dialog.FEditor->lines().count()
        && dialog.FEditor->lines().get(unitLine) != "unit PrintQueue;")
        ++unitLine;
    ASSERT_LT(unitLine, dialog.FEditor->lines().count());
    TPoint unit = dialog.FEditor->posFromChar(dialog.FEditor->textStore().lineStart(unitLine) + 1);
    dialog.sampleClicked(QPoint(unit.x, unit.y + 2));
    EXPECT_EQ(dialog.selectedElement(), 7) << "Reserved word";
    close(false);
}

TEST_F(OptionsDialog, ClickingALevelWritesItsFontAndDefaultResetsAllFour)
{
    PrintOptionValues values(host.memoryStore);
    values.setLevelFont(0, { "DejaVu Sans", 11, true, false, true, 0x0000FF });
    values.setLevelFont(3, { "DejaVu Serif", 12, false, true, false, 0x00FF00 });
    open(Page::TreeviewPrint);
    EXPECT_EQ(dialog.levelFont(0).name, "DejaVu Sans");
    EXPECT_EQ(dialog.levelLabels[0]->toolTip(), "DejaVu Sans");
    EXPECT_EQ(dialog.RzFontComboBox1->currentText(), "Courier New");
    EXPECT_EQ(dialog.UpDown1->value(), 8);
    dialog.UpDown1->stepDown();
    EXPECT_EQ(dialog.UpDown1->value(), 12) << "the size wraps";

    dialog.cbItalic->click();
    EXPECT_TRUE(dialog.lblSmpTxt->font().italic());
    EXPECT_EQ(dialog.lblSmpTxt->font().pointSize(), 12);
    dialog.levelLabels[1]->click();
    EXPECT_EQ(
        values.levelFont(1), (PrintOptionValues::LevelFont { "Courier New", 12, false, true, false, 0 }));
    EXPECT_EQ(stored(host.memoryStore, "rbFst1"), "010");

    dialog.btnDefault->click();
    for (int level = 0; level < PrintOptionValues::kLevels; ++level) {
        EXPECT_EQ(values.levelFont(level), PrintOptionValues::LevelFont {}) << level;
        EXPECT_EQ(dialog.levelFont(level), PrintOptionValues::LevelFont {}) << level;
        EXPECT_FALSE(dialog.levelLabels[static_cast<size_t>(level)]->font().bold()) << level;
    }
    close(false);
}

// Every page can be used from the keyboard: Tab walks its controls in reading order, and no two
// mnemonics shown together share a letter.
TEST_F(OptionsDialog, KeyboardOnly)
{
    open();
    auto mnemonic = [](QString text) -> QChar {
        text.replace(QStringLiteral("&&"), QString());
        qsizetype at = text.indexOf(QLatin1Char('&'));
        return at >= 0 && at + 1 < text.size() ? text[at + 1].toLower() : QChar();
    };
    std::set<QChar> tabKeys;
    for (int i = 0; i < dialog.PageControl1->count(); ++i) {
        QChar key = mnemonic(dialog.PageControl1->tabText(i));
        ASSERT_FALSE(key.isNull()) << i;
        EXPECT_TRUE(tabKeys.insert(key).second) << dialog.PageControl1->tabText(i).toStdString();
    }
    for (int i = 0; i < dialog.PageControl1->count(); ++i) {
        dialog.PageControl1->setCurrentIndex(i);
        QApplication::processEvents();
        QWidget* page = dialog.PageControl1->widget(i);
        std::set<QChar> keys = tabKeys;
        auto take = [&](const QString& text) {
            QChar key = mnemonic(text);
            if (!key.isNull()) {
                EXPECT_TRUE(keys.insert(key).second) << "page " << i << ": " << text.toStdString();
            }
        };
        for (QAbstractButton* b : page->findChildren<QAbstractButton*>())
            take(b->text());
        for (QLabel* l : page->findChildren<QLabel*>()) {
            take(l->text());
            if (!mnemonic(l->text()).isNull()) {
                EXPECT_TRUE(l->buddy()) << l->text().toStdString();
            }
        }

        // Tab from the first control visits every enabled focusable control of the page before leaving it.
        std::vector<QWidget*> focusable;
        for (QWidget* w : page->findChildren<QWidget*>())
            if (w->isVisible() && w->isEnabled() && (w->focusPolicy() & Qt::TabFocus) && !w->focusProxy()
                && w->window() == &dialog)
                focusable.push_back(w);
        ASSERT_FALSE(focusable.empty());
        QWidget* first = page->nextInFocusChain();
        while (!(std::find(focusable.begin(), focusable.end(), first) != focusable.end()))
            first = first->nextInFocusChain();
        std::set<QWidget*> seen;
        QWidget* w = first;
        for (size_t n = 0; n < focusable.size() * 4 && seen.size() < focusable.size(); ++n) {
            if (std::find(focusable.begin(), focusable.end(), w) != focusable.end())
                seen.insert(w);
            w = w->nextInFocusChain();
        }
        EXPECT_EQ(seen.size(), focusable.size()) << "page " << i;
    }
    // The sample viewer is read-only: Tab leaves it rather than being typed into it.
    dialog.PageControl1->setCurrentIndex(static_cast<int>(Page::SyntaxHighlighting));
    dialog.activateWindow();
    dialog.FEditor->setFocus();
    QApplication::processEvents();
    ASSERT_TRUE(dialog.FEditor->hasFocus());
    std::string sample = dialog.FEditor->lines().getText();
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    EXPECT_FALSE(dialog.FEditor->hasFocus());
    EXPECT_EQ(dialog.FEditor->lines().getText(), sample);

    // The mnemonics reach the pages and their controls.
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_G, Qt::AltModifier);
    EXPECT_EQ(dialog.PageControl1->currentIndex(), static_cast<int>(Page::CodePagePrint));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_N, Qt::AltModifier);
    EXPECT_EQ(dialog.PageControl1->currentIndex(), static_cast<int>(Page::TreeviewPrint));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_S, Qt::AltModifier);
    EXPECT_TRUE(dialog.UpDown1->hasFocus()) << "the Size label's buddy";

    EXPECT_TRUE(dialog.btnOK->isDefault());
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    dialog.finish();
}

TEST_F(OptionsDialog, FitsAScreenOf1280By800)
{
    open(Page::SyntaxHighlighting);
    qreal scale = dialog.devicePixelRatioF();
    QSize device = dialog.size() * scale;
    RecordProperty("scale", std::to_string(scale));
    RecordProperty("size", std::to_string(dialog.width()) + " x " + std::to_string(dialog.height()));
    EXPECT_LE(device.width(), 1280) << "at scale " << scale;
    EXPECT_LE(device.height(), 800 - 40) << "at scale " << scale << ", with room for a title bar";
    EXPECT_GE(dialog.width(), TOptionsDialog::kClientWidth);
    EXPECT_GE(dialog.height(), TOptionsDialog::kClientHeight);
    for (int i = 0; i < dialog.PageControl1->count(); ++i) {
        QWidget* page = dialog.PageControl1->widget(i);
        EXPECT_LE(page->minimumSizeHint().width(), page->width()) << i;
        EXPECT_LE(page->minimumSizeHint().height(), page->height()) << i;
    }
    close(false);
}

// Pictures of each page, written next to the file LRL_SCREENSHOT names as "<name>-options-<n>.png" (see
// tools/screenshot.sh, which runs this under a virtual X display).
TEST_F(OptionsDialog, Screenshots)
{
    QString target = qEnvironmentVariable("LRL_SCREENSHOT");
    if (target.isEmpty())
        GTEST_SKIP() << "set LRL_SCREENSHOT to the PNG file to write";
    host.open = true;
    host.customText = "Stock control";
    open();
    // A few edits, so that the picture shows the sample following the working styles.
    chooseElement("Reserved word");
    dialog.UseBoldBox->click();
    dialog.UseDefForeBox->click();
    dialog.ForegroundButton->chooseColor(0x800000);
    chooseElement("Comment");
    dialog.UseItalicBox->click();
    dialog.UseDefForeBox->click();
    dialog.ForegroundButton->chooseColor(0x008000);
    for (int i = 0; i < dialog.PageControl1->count(); ++i) {
        dialog.PageControl1->setCurrentIndex(i);
        for (int n = 0; n < 10; ++n)
            QApplication::processEvents();
        QString file = target;
        file.replace(".png", QStringLiteral("-options-%1.png").arg(i + 1));
        ASSERT_TRUE(dialog.grab().save(file)) << file.toStdString();
    }
    close(false);
}
