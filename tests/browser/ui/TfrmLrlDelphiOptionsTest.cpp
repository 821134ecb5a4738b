#include "browser/ui/TfrmLrlDelphi.h"
#include "options/TOptionsDialog.h"
#include "scheme/TSyntaxMemoParser.h"
#include "support/TempDir.h"
#include "viewer/ui/TSyntaxMemo.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include <filesystem>
#include <functional>

using namespace lrl;
using lrl::test::TempDir;

namespace {

// The main window with its real options dialog, which each test drives once it is up.
class OptionsWindow : public ::testing::Test {
protected:
    TempDir dir;
    TfrmLrlDelphi window { nullptr, QString::fromStdString((dir.path() / "LrlDFileInfo.Dat").string()) };
    std::vector<QString> questions;

    OptionsWindow()
    {
        // The sample project names a unit that is not there on purpose: its notice is not looked at.
        window.setMessageSink([](bool, const QString&) {});
        window.setQuestionSink([this](const QString& text) {
            questions.push_back(text);
            return false;
        });
    }

    // Runs `command`; `use` gets the dialog it opens and closes it (a dialog still open afterwards is
    // cancelled, and the test fails).
    void withDialog(const std::function<void()>& command, const std::function<void(TOptionsDialog&)>& use)
    {
        bool seen = false;
        QTimer::singleShot(0, [&] {
            auto* dialog = qobject_cast<TOptionsDialog*>(QApplication::activeModalWidget());
            ASSERT_TRUE(dialog) << "no options dialog";
            seen = true;
            use(*dialog);
            if (dialog->isVisible()) {
                ADD_FAILURE() << "the dialog was left open";
                dialog->reject();
            }
        });
        command();
        EXPECT_TRUE(seen);
    }
    void openSample() { window.openFile(QString::fromLatin1(LRL_SOURCE_DIR "/examples/Sample/Sample.dpr")); }
    static void choose(TOptionsDialog& d, const char* element)
    {
        d.SynElementsBox->setCurrentItem(
            d.SynElementsBox->findItems(QString::fromLatin1(element), Qt::MatchExactly).front());
    }
};

} // namespace

TEST_F(OptionsWindow, ViewerPrintSyntaxAsksToReloadAfterASettingThatNeedsIt)
{
    openSample();
    withDialog([&] { window.mnuViewer->trigger(); },
        [&](TOptionsDialog& d) {
            EXPECT_EQ(d.PageControl1->currentIndex(), 0);
            d.cbVuDOF->click();
            d.btnCancel->click();
        });
    EXPECT_TRUE(window.browser().settings().ShOpt);
    ASSERT_EQ(questions.size(), 1u);
    EXPECT_EQ(questions[0], "Options have changed - Do you want to reload the file?");

    withDialog([&] { window.mnuViewer->trigger(); },
        [&](TOptionsDialog& d) {
            d.cbWrdWrp->click();
            d.btnOK->click();
        });
    EXPECT_EQ(questions.size(), 1u) << "word wrap takes effect at once";
    EXPECT_TRUE(window.SyntaxMemo1->options().has(smoWordWrap));
    EXPECT_TRUE(window.tbbtnWrdWrp->isChecked());
}

TEST_F(OptionsWindow, SyntaxHighlightingStylesReachTheViewersOnlyAfterOk)
{
    openSample();
    TSyntaxMemoOptions options = window.SyntaxMemo1->options();
    const uint8_t commentStyle = window.SyntaxMemo1->settings().effects[5].style; // from the default styles
    withDialog([&] { window.pmnuSynTxProp->trigger(); },
        [&](TOptionsDialog& d) {
            EXPECT_EQ(d.PageControl1->currentIndex(), 1);
            choose(d, "Comment");
            d.UseBoldBox->click();
            d.btnCancel->click();
        });
    EXPECT_EQ(window.SyntaxMemo1->settings().effects[5].style, commentStyle);
    const std::string stylesKey = SettingsStore::sectionOfKey(window.parser().RegistryKey);
    EXPECT_FALSE(window.settingsStore().readString(stylesKey, "Highlighting - Object Pascal"))
        << "nothing is stored before OK";

    withDialog([&] { window.pmnuSynTxProp->trigger(); },
        [&](TOptionsDialog& d) {
            choose(d, "Comment");
            d.UseBoldBox->click();
            choose(d, "Gutter");
            d.UseDefBackBox->click();
            d.btnOK->click();
        });
    const auto boldComment = static_cast<uint8_t>(commentStyle ^ TSM_Effect::Bold);
    EXPECT_EQ(window.parser().settings().effects[5].style, boldComment);
    for (TSyntaxMemo* viewer : { window.SyntaxMemo1, window.tmpMemo }) {
        EXPECT_EQ(viewer->settings().effects[5].style, boldComment)
            << viewer->objectName().toStdString();
        EXPECT_TRUE(viewer->settings().gutterColorDefault);
    }
    EXPECT_EQ(window.SyntaxMemo1->options(), options) << "the viewer keeps the window's options";
    EXPECT_TRUE(questions.empty());

    // OK kept the styles: the next window on the same settings starts with them.
    EXPECT_TRUE(window.settingsStore().readString(stylesKey, "Highlighting - Object Pascal"));
    EXPECT_TRUE(window.settingsStore().readBinary(stylesKey, "Key Assignments - Object Pascal"));
    TfrmLrlDelphi next { nullptr, QString::fromStdString((dir.path() / "LrlDFileInfo.Dat").string()),
        &window.settingsStore() };
    EXPECT_EQ(next.parser().settings().effects[5].style, boldComment);
    EXPECT_TRUE(next.parser().settings().gutterColorDefault);
}

TEST_F(OptionsWindow, CodePrintPageKeepsTheCustomHeaderTextOfTheOpenFile)
{
    withDialog([&] { window.runCodePrintOptions(); },
        [&](TOptionsDialog& d) {
            EXPECT_EQ(d.PageControl1->currentIndex(), 2);
            EXPECT_FALSE(d.rbct->isEnabled()) << "no file open";
            d.btnOK->click();
        });
    openSample();
    withDialog([&] { window.runCodePrintOptions(); },
        [&](TOptionsDialog& d) {
            EXPECT_EQ(d.Edit1->text(), "Listrel") << "what a project without its own text gets";
            d.rbct->click();
            d.Edit1->setText("Sample stock");
            d.btnOK->click();
        });
    EXPECT_EQ(window.browser().fileInfoRead("Sample.dpr", "CsmtTxt"), "Sample stock");
    EXPECT_EQ(window.settingsStore().readString("PrtOps", "hdr"), "3");
    withDialog([&] { window.runCodePrintOptions(); },
        [&](TOptionsDialog& d) {
            EXPECT_EQ(d.Edit1->text(), "Sample stock");
            EXPECT_TRUE(d.Edit1->isEnabled());
            d.close();
        });
}
