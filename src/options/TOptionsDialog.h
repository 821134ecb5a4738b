#pragma once

#include "browser/PrintOptionValues.h"
#include "scheme/TSM_Settings.h"

#include <QDialog>
#include <QPoint>

#include <array>
#include <functional>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QSpinBox;
class QTabWidget;

namespace lrl {

class MarginSpinEdit;
class OptionsDialogHost;
class TDFSColorButton;
class TSyntaxMemo;
class TSyntaxMemoParser;

// The options dialog: viewer options, the highlighting styles of the scanner, the code-print options and
// the tree-print fonts, on four pages.
//
// The styles are edited on a working copy of the scanner's settings, shown in the sample viewer FEditor
// as they change; only OK hands the copy to the scanner. Every other page writes its settings when a box
// is clicked or when the dialog closes, however it closes.
//
// The class is split over several files: TOptionsDialog.cpp builds the controls and runs the dialog,
// TOptionsDialogSyntax.cpp the highlighting page, TOptionsDialogPrint.cpp the two print pages and the
// writes when the dialog closes.
class TOptionsDialog : public QDialog {
    Q_OBJECT
public:
    enum class Page { Viewer = 0, SyntaxHighlighting = 1, CodePagePrint = 2, TreeviewPrint = 3 };
    static constexpr int kClientWidth = 442;
    static constexpr int kClientHeight = 336;

    // The page of a caption ("Viewer", "Syntax Highlighting", "Code Page Print", "Treeview Print"); any
    // other caption gives the Viewer page.
    static Page pageNamed(const QString& caption);

    explicit TOptionsDialog(OptionsDialogHost& host, QWidget* parent = nullptr);
    ~TOptionsDialog() override;

    // Called after OK has handed the working styles to the scanner: the window re-applies them to its
    // viewers (and keeps them in the settings store).
    std::function<void()> onStylesAccepted;

    // Runs the dialog modally for the scanner, opened on `page`; answers the dialog's result.
    int run(TSyntaxMemoParser& parser, Page page);
    // The two halves of run, for callers that drive the dialog themselves: start makes the working copy,
    // binds the sample viewer and fills every control; finish (after the dialog has closed) hands the
    // working copy to the scanner when the result is OK, unbinds the sample viewer and then calls
    // onStylesAccepted. The destructor finishes a started run.
    void start(TSyntaxMemoParser& parser, Page page);
    void finish();
    bool started() const { return m_parser != nullptr; }

    // The working copy of the scanner's settings.
    const TSM_Settings& workingSettings() const { return m_working; }
    // The element number of the selected entry of SynElementsBox, or -1.
    int selectedElement() const;
    // Selects and shows the entry carrying the number (nothing happens when none does).
    void selectElement(int number);
    // A click in the sample viewer at a viewport position.
    void sampleClicked(QPoint pos);
    // The tree level labels' fonts as shown.
    const PrintOptionValues::LevelFont& levelFont(int level) const
    {
        return m_levelFonts.at(static_cast<size_t>(level));
    }

    // --- Controls, named as the dialog's description names them
    QTabWidget* PageControl1 = nullptr;
    QPushButton* btnOK = nullptr;
    QPushButton* btnCancel = nullptr;
    // Viewer
    QCheckBox* cbSortItems = nullptr;
    QCheckBox* cbDckTlbr = nullptr;
    QCheckBox* cbShowHints = nullptr;
    QCheckBox* cbWrdWrp = nullptr;
    QCheckBox* cbShwLnNum = nullptr;
    QCheckBox* cbPrtSepPgs = nullptr;
    QCheckBox* cbPrtOptsReview = nullptr;
    QCheckBox* cbVuDFM = nullptr;
    QCheckBox* cbVuDOF = nullptr;
    QCheckBox* cbSupBData = nullptr;
    QComboBox* cbAnsiCP = nullptr; // the code page of files saved in no Unicode form
    // Syntax Highlighting
    QListWidget* SynElementsBox = nullptr;
    QGroupBox* GroupBox1 = nullptr;
    QCheckBox* UseBoldBox = nullptr;
    QCheckBox* UseItalicBox = nullptr;
    QCheckBox* UseUnderlineBox = nullptr;
    QGroupBox* DefCheckBox = nullptr;
    QCheckBox* UseDefForeBox = nullptr;
    QCheckBox* UseDefBackBox = nullptr;
    TDFSColorButton* ForegroundButton = nullptr;
    TDFSColorButton* BackgroundButton = nullptr;
    QComboBox* FontNameBox = nullptr;
    QComboBox* FontSizeBox = nullptr;
    QComboBox* FontFamilyBox = nullptr; // hidden
    TSyntaxMemo* FEditor = nullptr;
    // Code Page Print
    QGroupBox* gbOptions = nullptr;
    QCheckBox* cbHdr = nullptr;
    QCheckBox* cbDate = nullptr;
    QCheckBox* cbPage = nullptr;
    QCheckBox* cbLine = nullptr;
    QGroupBox* GroupBox3 = nullptr;
    MarginSpinEdit* rxedtLeft = nullptr;
    MarginSpinEdit* rxedtTop = nullptr;
    MarginSpinEdit* rxedtRight = nullptr;
    MarginSpinEdit* rxedtBottom = nullptr;
    QGroupBox* GroupBox4 = nullptr;
    QRadioButton* rbct = nullptr;
    QLineEdit* Edit1 = nullptr;
    QRadioButton* rbFnw = nullptr;
    QRadioButton* rbFnwo = nullptr;
    QRadioButton* rbsfp = nullptr;
    // Treeview Print
    QComboBox* RzFontComboBox1 = nullptr;
    TDFSColorButton* TreeColorButton = nullptr;
    QSpinBox* UpDown1 = nullptr; // shows the size itself (Panel5)
    QCheckBox* cbBold = nullptr;
    QCheckBox* cbItalic = nullptr;
    QCheckBox* cbUnderline = nullptr;
    QLabel* lblSmpTxt = nullptr;
    std::array<QPushButton*, PrintOptionValues::kLevels> levelLabels {}; // lblTopLvl ... lblFrthLvl
    QPushButton* btnDefault = nullptr;

public slots:
    void done(int result) override;

private:
    // --- Construction (TOptionsDialog.cpp)
    QWidget* createViewerPage();
    QWidget* createSyntaxPage();
    QWidget* createCodePrintPage();
    QWidget* createTreePrintPage();
    // Showing: every control from the settings, the sample viewer from the working copy.
    void fillViewerPage();

    // --- Syntax Highlighting (TOptionsDialogSyntax.cpp)
    void connectSyntaxPage();
    void fillSyntaxPage();
    void showElement(int number);
    void attributeClicked(uint8_t bit, bool on);
    void colorChanged();
    void useDefaultClicked(bool foreground, bool on);
    void fontNameChosen(const QString& name);
    void fontSizeChosen(const QString& size);
    void characterSetChosen(int index);
    void fillFontNames(uint8_t charSet);
    // The working copy into the sample viewer (which keeps its own options), repainted.
    void refreshSample();

    // --- Print pages and closing (TOptionsDialogPrint.cpp)
    void connectPrintPages();
    void fillCodePrintPage();
    void fillTreePrintPage();
    void pageChanged(int index);
    void setPrintBoxesEnabled(bool enabled);
    PrintOptionValues::LevelFont currentTreeFont() const;
    void updateSampleLabel();
    void showLevelFont(int level, const PrintOptionValues::LevelFont& font);
    void levelClicked(int level);
    void loadLevelFonts();
    void writeOnClose();

    OptionsDialogHost& m_host;
    PrintOptionValues m_print;
    TSyntaxMemoParser* m_parser = nullptr;
    TSM_Settings m_working;
    QPoint m_lastClick { 0, 0 };
    // Set while the dialog fills its controls: the style handlers ignore the signals that causes.
    bool m_filling = false;
    QStringList m_faces;
    std::array<PrintOptionValues::LevelFont, PrintOptionValues::kLevels> m_levelFonts {};
};

} // namespace lrl
