// The options dialog's controls, its pages and its run for a scanner.

#include "options/TOptionsDialog.h"

#include "browser/BrowserSettings.h"
#include "common/CodePage.h"
#include "options/MarginSpinEdit.h"
#include "options/OptionsDialogHost.h"
#include "platform/HintDisplay.h"
#include "scheme/TSyntaxMemoParser.h"
#include "viewer/ui/TSyntaxMemo.h"
#include "widgets/TDFSColorButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QVBoxLayout>

#include <algorithm>
#include <iterator>
#include <utility>

namespace lrl {

namespace {

constexpr std::array<const char*, 4> kPageCaptions { "Viewer", "Syntax Highlighting", "Code Page Print",
    "Treeview Print" };
// The page tabs' captions with their mnemonics; no control of a page uses these letters.
constexpr std::array<const char*, 4> kPageTabs { "&Viewer", "S&yntax Highlighting", "Code Pa&ge Print",
    "Treeview Pri&nt" };

template <typename W> W* named(W* widget, const char* name)
{
    widget->setObjectName(QString::fromLatin1(name));
    return widget;
}

QCheckBox* checkBox(const char* name, const char* caption, QWidget* parent)
{
    return named(new QCheckBox(QString::fromLatin1(caption), parent), name);
}

// A label that gives its mnemonic's focus to `buddy`.
QLabel* buddyLabel(const char* caption, QWidget* buddy, QWidget* parent)
{
    auto* label = new QLabel(QString::fromLatin1(caption), parent);
    label->setBuddy(buddy);
    return label;
}

// The picture of a tree behind the four level labels: each level indented under the one above, with
// the branch lines drawn between them.
class TreePicture : public QFrame {
public:
    static constexpr int kIndent = 18;

    explicit TreePicture(QWidget* parent)
        : QFrame(parent)
    {
        setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
        setBackgroundRole(QPalette::Base);
        setAutoFillBackground(true);
        m_column = new QVBoxLayout(this);
        m_column->setSpacing(2);
        m_column->addStretch(1);
    }

    void addLevel(QWidget* label, int level)
    {
        auto* row = new QHBoxLayout;
        row->addSpacing(level * kIndent + 12);
        row->addWidget(label);
        row->addStretch(1);
        m_column->insertLayout(m_column->count() - 1, row);
        m_labels.push_back(label);
    }

protected:
    void paintEvent(QPaintEvent* event) override
    {
        QFrame::paintEvent(event);
        QPainter p(this);
        p.setPen(QPen(palette().color(QPalette::Mid), 1, Qt::DotLine));
        for (size_t i = 0; i < m_labels.size(); ++i) {
            QRect r = m_labels[i]->geometry();
            int x = r.left() - 10;
            p.drawLine(x, r.center().y(), r.left() - 2, r.center().y());
            if (i > 0) {
                QRect above = m_labels[i - 1]->geometry();
                p.drawLine(x, above.bottom(), x, r.center().y());
            }
        }
    }

private:
    QVBoxLayout* m_column = nullptr;
    std::vector<QWidget*> m_labels;
};

} // namespace

TOptionsDialog::Page TOptionsDialog::pageNamed(const QString& caption)
{
    for (size_t i = 0; i < kPageCaptions.size(); ++i)
        if (caption == QLatin1String(kPageCaptions[i]))
            return static_cast<Page>(i);
    return Page::Viewer;
}

TOptionsDialog::TOptionsDialog(OptionsDialogHost& host, QWidget* parent)
    : QDialog(parent)
    , m_host(host)
    , m_print(host.store())
{
    setObjectName(QStringLiteral("OptionsDialog"));
    setWindowTitle(QStringLiteral("Options"));
    setModal(true);

    PageControl1 = named(new QTabWidget(this), "PageControl1");
    QWidget* pages[]
        = { createViewerPage(), createSyntaxPage(), createCodePrintPage(), createTreePrintPage() };
    for (size_t i = 0; i < kPageTabs.size(); ++i)
        PageControl1->addTab(pages[i], QString::fromLatin1(kPageTabs[i]));

    btnOK = named(new QPushButton(QStringLiteral("OK"), this), "btnOK");
    btnOK->setDefault(true);
    btnCancel = named(new QPushButton(QStringLiteral("Cancel"), this), "btnCancel");
    connect(btnOK, &QPushButton::clicked, this, &QDialog::accept);
    connect(btnCancel, &QPushButton::clicked, this, &QDialog::reject);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOK);
    buttons->addWidget(btnCancel);

    auto* outer = new QVBoxLayout(this);
    outer->setContentsMargins(8, 8, 8, 8);
    outer->setSpacing(6);
    outer->addWidget(PageControl1, 1);
    outer->addLayout(buttons);

    connectSyntaxPage();
    connectPrintPages();
    setMinimumSize(kClientWidth, kClientHeight);
    resize(sizeHint().expandedTo(QSize(kClientWidth, kClientHeight)));
}

TOptionsDialog::~TOptionsDialog() { finish(); }

namespace {

// The code pages a file in no Unicode form may be in, as the Viewer page offers them.
constexpr std::pair<int, const char*> kLegacyCodePages[] = {
    { 1252, "Windows-1252 (Western European)" },
    { 1250, "Windows-1250 (Central European)" },
    { 1251, "Windows-1251 (Cyrillic)" },
    { 1253, "Windows-1253 (Greek)" },
    { 1254, "Windows-1254 (Turkish)" },
    { 1257, "Windows-1257 (Baltic)" },
};
static_assert(std::size(kLegacyCodePages) == CodePage::kStoragePages.size());

} // namespace

QWidget* TOptionsDialog::createViewerPage()
{
    auto* page = named(new QWidget, "tsViewer");
    cbSortItems = checkBox("cbSortItems", "&Sort Treeview Nodes", page);
    cbDckTlbr = checkBox("cbDckTlbr", "&Dockable Toolbar", page);
    cbShowHints = checkBox("cbShowHints", "Show Button &Hints", page);
    cbWrdWrp = checkBox("cbWrdWrp", "&Word Wrap", page);
    cbShwLnNum = checkBox("cbShwLnNum", "Show Code &Line Numbers", page);
    cbPrtSepPgs = checkBox("cbPrtSepPgs", "Always &Print on Separate Pages", page);
    cbPrtOptsReview = checkBox("cbPrtOptsReview", "Don't Show Print Opts &Review Msg", page);
    cbVuDFM = checkBox("cbVuDFM", "Show &Forms (dfm)", page);
    cbVuDOF = checkBox("cbVuDOF", "Show Op&tions (dof)", page);
    cbSupBData = checkBox("cbSupBData", "Suppress &Binary Data", page);

    auto* grid = new QGridLayout(page);
    QCheckBox* left[] = { cbSortItems, cbDckTlbr, cbShowHints, cbWrdWrp, cbShwLnNum };
    QCheckBox* right[] = { cbPrtSepPgs, cbPrtOptsReview, cbVuDFM, cbVuDOF, cbSupBData };
    for (int i = 0; i < 5; ++i) {
        grid->addWidget(left[i], i, 0);
        grid->addWidget(right[i], i, 1);
    }
    cbAnsiCP = named(new QComboBox(page), "cbAnsiCP");
    for (const auto& [number, name] : kLegacyCodePages)
        cbAnsiCP->addItem(QString::fromLatin1(name), number);
    auto* codePageRow = new QHBoxLayout;
    codePageRow->addWidget(buddyLabel("Code page of &older files", cbAnsiCP, page));
    codePageRow->addWidget(cbAnsiCP, 1);
    grid->addLayout(codePageRow, 5, 0, 1, 2);
    grid->setRowStretch(6, 1);
    // Column by column, so that Tab goes down the left column first.
    QWidget::setTabOrder(cbSupBData, cbSortItems);
    for (int i = 0; i < 4; ++i)
        QWidget::setTabOrder(left[i], left[i + 1]);
    QWidget::setTabOrder(left[4], right[0]);
    for (int i = 0; i < 4; ++i)
        QWidget::setTabOrder(right[i], right[i + 1]);
    QWidget::setTabOrder(right[4], cbAnsiCP);

    // Each box sets its setting the moment it is clicked; those read only at the next open ask for a
    // reload.
    auto flag = [this](QCheckBox* box, bool BrowserSettings::*setting, bool needsReload, auto apply) {
        connect(box, &QCheckBox::clicked, this, [this, setting, needsReload, apply](bool on) {
            m_host.settings().*setting = on;
            if (needsReload)
                m_host.setOptionsChanged(true);
            apply();
        });
    };
    auto nothing = [] {};
    flag(cbSortItems, &BrowserSettings::Srt, true, nothing);
    flag(cbDckTlbr, &BrowserSettings::DckTlbr, false, [this] { m_host.applyToolbarDocking(); });
    flag(cbShowHints, &BrowserSettings::ShHnts, false,
        [this] { HintDisplay::setShown(m_host.settings().ShHnts); });
    flag(cbWrdWrp, &BrowserSettings::WrdWrp, false, [this] { m_host.applyWordWrap(); });
    flag(cbShwLnNum, &BrowserSettings::ShLnNum, false, [this] {
        m_host.applyLineNumbers();
        FEditor->setOptions(m_host.viewerOptions());
    });
    flag(cbPrtSepPgs, &BrowserSettings::PrtSepPgs, false, nothing);
    flag(cbVuDFM, &BrowserSettings::ShFrm, true, nothing);
    flag(cbVuDOF, &BrowserSettings::ShOpt, true, nothing);
    flag(cbSupBData, &BrowserSettings::SupBData, true, nothing);
    // Files are decoded when they are read, so another code page takes effect at the next open.
    connect(cbAnsiCP, &QComboBox::activated, this, [this](int index) {
        const int number = cbAnsiCP->itemData(index).toInt();
        if (number == m_host.settings().AnsiCP)
            return;
        m_host.settings().AnsiCP = number;
        m_host.setOptionsChanged(true);
    });
    return page;
}

QWidget* TOptionsDialog::createSyntaxPage()
{
    auto* page = named(new QWidget, "tsSyntax");
    SynElementsBox = named(new QListWidget(page), "SynElementsBox");
    SynElementsBox->setSelectionMode(QAbstractItemView::SingleSelection);
    auto* elementLabel = buddyLabel("E&lement", SynElementsBox, page);

    GroupBox1 = named(new QGroupBox(QStringLiteral("Text attributes"), page), "GroupBox1");
    UseBoldBox = checkBox("UseBoldBox", "&Bold", GroupBox1);
    UseItalicBox = checkBox("UseItalicBox", "&Italic", GroupBox1);
    UseUnderlineBox = checkBox("UseUnderlineBox", "&Underline", GroupBox1);
    auto* attributes = new QVBoxLayout(GroupBox1);
    attributes->addWidget(UseBoldBox);
    attributes->addWidget(UseItalicBox);
    attributes->addWidget(UseUnderlineBox);

    DefCheckBox = named(new QGroupBox(QStringLiteral("Use defaults for"), page), "DefCheckBox");
    UseDefForeBox = checkBox("UseDefForeBox", "&Foreground", DefCheckBox);
    UseDefBackBox = checkBox("UseDefBackBox", "B&ackground", DefCheckBox);
    auto* defaults = new QVBoxLayout(DefCheckBox);
    defaults->addWidget(UseDefForeBox);
    defaults->addWidget(UseDefBackBox);

    ForegroundButton = named(new TDFSColorButton(page), "ForegroundButton");
    ForegroundButton->setAccessibleName(QStringLiteral("Foreground"));
    auto* foreLabel = buddyLabel("Fo&reground", ForegroundButton, page);
    BackgroundButton = named(new TDFSColorButton(page), "BackgroundButton");
    BackgroundButton->setAccessibleName(QStringLiteral("Background"));
    auto* backLabel = buddyLabel("Bac&kground", BackgroundButton, page);

    FontNameBox = named(new QComboBox(page), "FontNameBox");
    FontNameBox->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    FontNameBox->setMinimumContentsLength(14);
    auto* fontLabel = buddyLabel("Fon&t", FontNameBox, page);
    FontSizeBox = named(new QComboBox(page), "FontSizeBox");
    for (const char* size : { "8", "9", "10", "11", "12", "14", "16", "18", "20", "22", "24", "26", "30" })
        FontSizeBox->addItem(QString::fromLatin1(size));
    auto* sizeLabel = buddyLabel("&Size", FontSizeBox, page);
    FontFamilyBox = named(new QComboBox(page), "FontFamilyBox");
    FontFamilyBox->hide();

    FEditor = named(new TSyntaxMemo(page), "FEditor");
    FEditor->setReadOnly(true);

    // Element list | attributes over defaults | colours over font; the sample viewer below them all. The
    // list and the sample take the height the rest leaves them, so that the page stays small enough for
    // a small screen at double scale.
    SynElementsBox->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Ignored);
    SynElementsBox->setFixedWidth(
        SynElementsBox->fontMetrics().horizontalAdvance(QStringLiteral("Reserved word")) + 48);
    SynElementsBox->setMinimumHeight(60);
    FEditor->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Ignored);
    FEditor->setMinimumHeight(90);
    for (QGroupBox* box : { GroupBox1, DefCheckBox }) {
        box->layout()->setContentsMargins(6, 2, 6, 2);
        box->layout()->setSpacing(0);
    }

    auto* grid = new QGridLayout(page);
    grid->setContentsMargins(6, 6, 6, 6);
    grid->setVerticalSpacing(4);
    auto* list = new QVBoxLayout;
    list->setSpacing(2);
    list->addWidget(elementLabel);
    list->addWidget(SynElementsBox, 1);
    grid->addLayout(list, 0, 0, 2, 1);
    grid->addWidget(GroupBox1, 0, 1);
    grid->addWidget(DefCheckBox, 1, 1);
    auto* colours = new QGridLayout;
    colours->setVerticalSpacing(2);
    colours->addWidget(foreLabel, 0, 0);
    colours->addWidget(ForegroundButton, 1, 0);
    colours->addWidget(backLabel, 2, 0);
    colours->addWidget(BackgroundButton, 3, 0);
    colours->setRowStretch(4, 1);
    grid->addLayout(colours, 0, 2);
    auto* font = new QGridLayout;
    font->setVerticalSpacing(2);
    font->addWidget(fontLabel, 0, 0);
    font->addWidget(sizeLabel, 0, 1);
    font->addWidget(FontNameBox, 1, 0);
    font->addWidget(FontSizeBox, 1, 1);
    font->setColumnStretch(0, 1);
    font->setRowStretch(2, 1);
    grid->addLayout(font, 1, 2);
    grid->addWidget(FEditor, 2, 0, 1, 3);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(2, 1);

    QWidget* order[] = { SynElementsBox, UseBoldBox, UseItalicBox, UseUnderlineBox, UseDefForeBox,
        UseDefBackBox, ForegroundButton, BackgroundButton, FontNameBox, FontSizeBox, FEditor };
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    return page;
}

QWidget* TOptionsDialog::createCodePrintPage()
{
    auto* page = named(new QWidget, "tsCodePrint");
    gbOptions = named(new QGroupBox(QStringLiteral("Print"), page), "gbOptions");
    cbHdr = checkBox("cbHdr", "&Header", gbOptions);
    cbDate = checkBox("cbDate", "&Date", gbOptions);
    cbPage = checkBox("cbPage", "Page &#", gbOptions);
    cbLine = checkBox("cbLine", "&Line #'s", gbOptions);
    auto* print = new QVBoxLayout(gbOptions);
    for (QCheckBox* box : { cbHdr, cbDate, cbPage, cbLine })
        print->addWidget(box);
    print->addStretch(1);

    GroupBox3 = named(new QGroupBox(QStringLiteral("Print Margins  (inches)"), page), "GroupBox3");
    rxedtLeft = named(new MarginSpinEdit(GroupBox3), "rxedtLeft");
    rxedtTop = named(new MarginSpinEdit(GroupBox3), "rxedtTop");
    rxedtRight = named(new MarginSpinEdit(GroupBox3), "rxedtRight");
    rxedtBottom = named(new MarginSpinEdit(GroupBox3), "rxedtBottom");
    auto* margins = new QGridLayout(GroupBox3);
    margins->addWidget(buddyLabel("Le&ft", rxedtLeft, GroupBox3), 0, 0);
    margins->addWidget(rxedtLeft, 0, 1);
    margins->addWidget(buddyLabel("&Top", rxedtTop, GroupBox3), 0, 2);
    margins->addWidget(rxedtTop, 0, 3);
    margins->addWidget(buddyLabel("&Right", rxedtRight, GroupBox3), 1, 0);
    margins->addWidget(rxedtRight, 1, 1);
    margins->addWidget(buddyLabel("&Bottom", rxedtBottom, GroupBox3), 1, 2);
    margins->addWidget(rxedtBottom, 1, 3);

    GroupBox4 = named(new QGroupBox(QStringLiteral("Header"), page), "GroupBox4");
    rbct = named(new QRadioButton(QStringLiteral("&Custom text"), GroupBox4), "rbct");
    Edit1 = named(new QLineEdit(GroupBox4), "Edit1");
    Edit1->setAccessibleName(QStringLiteral("Custom header text"));
    rbFnw = named(new QRadioButton(QStringLiteral("File Name (&w/path)"), GroupBox4), "rbFnw");
    rbFnwo = named(new QRadioButton(QStringLiteral("File Name (w&o/path)"), GroupBox4), "rbFnwo");
    rbsfp = named(new QRadioButton(QStringLiteral("TreeView Node Te&xt"), GroupBox4), "rbsfp");
    auto* header = new QGridLayout(GroupBox4);
    header->addWidget(rbct, 0, 0);
    header->addWidget(Edit1, 0, 1);
    header->addWidget(rbFnw, 1, 0, 1, 2);
    header->addWidget(rbFnwo, 2, 0, 1, 2);
    header->addWidget(rbsfp, 3, 0, 1, 2);
    header->setColumnStretch(1, 1);

    auto* grid = new QGridLayout(page);
    grid->addWidget(gbOptions, 0, 0, 2, 1);
    grid->addWidget(GroupBox3, 0, 1);
    grid->addWidget(GroupBox4, 1, 1);
    grid->setRowStretch(2, 1);
    grid->setColumnStretch(1, 1);

    QWidget* order[] = { cbHdr, cbDate, cbPage, cbLine, rxedtLeft, rxedtTop, rxedtRight, rxedtBottom, rbct,
        Edit1, rbFnw, rbFnwo, rbsfp };
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    return page;
}

QWidget* TOptionsDialog::createTreePrintPage()
{
    auto* page = named(new QWidget, "tsTreePrint");
    RzFontComboBox1 = named(new QComboBox(page), "RzFontComboBox1");
    RzFontComboBox1->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    RzFontComboBox1->setMinimumContentsLength(14);
    TreeColorButton = named(new TDFSColorButton(page), "TreeColorButton");
    TreeColorButton->setAccessibleName(QStringLiteral("Color"));
    UpDown1 = named(new QSpinBox(page), "UpDown1");
    UpDown1->setRange(8, 12);
    UpDown1->setWrapping(true);
    UpDown1->setValue(8);
    cbBold = checkBox("cbBold", "&Bold", page);
    cbItalic = checkBox("cbItalic", "&Italic", page);
    cbUnderline = checkBox("cbUnderline", "&Underline", page);
    lblSmpTxt = named(new QLabel(QStringLiteral("Sample text"), page), "lblSmpTxt");
    lblSmpTxt->setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    lblSmpTxt->setAlignment(Qt::AlignCenter);
    lblSmpTxt->setMinimumHeight(36);

    auto* picture = new TreePicture(page);
    const char* names[] = { "lblTopLvl", "lblSndLvl", "lblThrdLvl", "lblFrthLvl" };
    const char* captions[]
        = { "&Top level node", "Second &level node", "T&hird level node", "Fou&rth level node" };
    for (int level = 0; level < PrintOptionValues::kLevels; ++level) {
        auto* label = named(new QPushButton(QString::fromLatin1(captions[level]), picture), names[level]);
        label->setFlat(true);
        label->setCursor(Qt::PointingHandCursor);
        levelLabels[static_cast<size_t>(level)] = label;
        picture->addLevel(label, level);
    }
    btnDefault = named(new QPushButton(QStringLiteral("&Default"), page), "btnDefault");

    auto* font = new QGridLayout;
    font->addWidget(buddyLabel("&Font", RzFontComboBox1, page), 0, 0);
    font->addWidget(RzFontComboBox1, 1, 0, 1, 2);
    font->addWidget(buddyLabel("&Color", TreeColorButton, page), 2, 0);
    font->addWidget(buddyLabel("&Size", UpDown1, page), 2, 1);
    font->addWidget(TreeColorButton, 3, 0);
    font->addWidget(UpDown1, 3, 1);
    auto* styles = new QHBoxLayout;
    styles->addWidget(cbBold);
    styles->addWidget(cbItalic);
    styles->addWidget(cbUnderline);
    styles->addStretch(1);
    font->addLayout(styles, 4, 0, 1, 2);
    font->addWidget(lblSmpTxt, 5, 0, 1, 2);
    font->setRowStretch(6, 1);

    auto* side = new QVBoxLayout;
    side->addWidget(picture, 1);
    auto* buttonRow = new QHBoxLayout;
    buttonRow->addStretch(1);
    buttonRow->addWidget(btnDefault);
    side->addLayout(buttonRow);

    auto* grid = new QHBoxLayout(page);
    grid->addLayout(font, 1);
    grid->addLayout(side, 1);

    QWidget* order[] = { RzFontComboBox1, TreeColorButton, UpDown1, cbBold, cbItalic, cbUnderline,
        levelLabels[0], levelLabels[1], levelLabels[2], levelLabels[3], btnDefault };
    for (size_t i = 0; i + 1 < std::size(order); ++i)
        QWidget::setTabOrder(order[i], order[i + 1]);
    return page;
}

int TOptionsDialog::run(TSyntaxMemoParser& parser, Page page)
{
    start(parser, page);
    int result = exec();
    finish();
    return result;
}

void TOptionsDialog::start(TSyntaxMemoParser& parser, Page page)
{
    finish();
    m_parser = &parser;
    m_working = parser.settings();
    FEditor->bindParser(parser);
    m_host.setOptionsChanged(false);
    m_lastClick = QPoint(0, 0);
    setResult(0);

    fillViewerPage();
    fillCodePrintPage();
    fillSyntaxPage();
    fillTreePrintPage();
    PageControl1->setCurrentIndex(static_cast<int>(page));
    pageChanged(PageControl1->currentIndex());
}

void TOptionsDialog::finish()
{
    if (!m_parser)
        return;
    TSyntaxMemoParser& parser = *m_parser;
    m_parser = nullptr;
    bool accepted = result() == QDialog::Accepted;
    if (accepted)
        parser.settings() = m_working;
    FEditor->setParser(1, nullptr);
    if (accepted && onStylesAccepted)
        onStylesAccepted();
}

void TOptionsDialog::fillViewerPage()
{
    const BrowserSettings& s = m_host.settings();
    cbSortItems->setChecked(s.Srt);
    cbDckTlbr->setChecked(s.DckTlbr);
    cbShowHints->setChecked(s.ShHnts);
    cbWrdWrp->setChecked(s.WrdWrp);
    cbShwLnNum->setChecked(s.ShLnNum);
    cbPrtSepPgs->setChecked(s.PrtSepPgs);
    cbPrtOptsReview->setChecked(s.dsf);
    cbVuDFM->setChecked(s.ShFrm);
    cbVuDOF->setChecked(s.ShOpt);
    cbSupBData->setChecked(s.SupBData);
    cbAnsiCP->setCurrentIndex(std::max(cbAnsiCP->findData(s.AnsiCP), 0));
}

} // namespace lrl
