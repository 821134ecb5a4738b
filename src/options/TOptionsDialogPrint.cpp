// The options dialog's two print pages (code print options, tree level fonts) and what the dialog
// writes when it closes.

#include "options/TOptionsDialog.h"

#include "browser/BrowserSettings.h"
#include "options/CharacterSets.h"
#include "options/MarginSpinEdit.h"
#include "options/MarginText.h"
#include "options/OptionsDialogHost.h"
#include "platform/StoredColor.h"
#include "widgets/TDFSColorButton.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTabWidget>

namespace lrl {

namespace {

using Margin = PrintOptionValues::Margin;
using HeaderButton = PrintOptionValues::HeaderButton;
using HeaderSource = PrintOptionValues::HeaderSource;

constexpr const char* kTreeFace = "Courier New";

// The font a label would have without one of its own.
QFont baseFont(const QWidget* widget)
{
    return widget->parentWidget() ? widget->parentWidget()->font() : QApplication::font();
}

// The font a level label or the sample label shows.
QFont levelQFont(const PrintOptionValues::LevelFont& font, const QFont& base)
{
    QFont f = base;
    f.setFamily(QString::fromStdString(font.name));
    f.setPointSize(font.size);
    f.setBold(font.bold);
    f.setItalic(font.italic);
    f.setUnderline(font.underline);
    return f;
}

void showInColor(QWidget* widget, int32_t color)
{
    QPalette p = widget->palette();
    QColor c = StoredColor::toQColor(color, p);
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::ButtonText, c);
    widget->setPalette(p);
}

// Selects a face in a face box, adding it in its sorted place when the box does not list it.
void selectFace(QComboBox* box, const QString& face)
{
    int found = box->findText(face, Qt::MatchFixedString);
    if (found < 0) {
        found = 0;
        while (found < box->count() && box->itemText(found).compare(face, Qt::CaseInsensitive) < 0)
            ++found;
        box->insertItem(found, face);
    }
    box->setCurrentIndex(found);
}

} // namespace

void TOptionsDialog::connectPrintPages()
{
    connect(
        rbct, &QRadioButton::toggled, this, [this](bool on) { Edit1->setEnabled(on && rbct->isEnabled()); });
    connect(PageControl1, &QTabWidget::currentChanged, this, &TOptionsDialog::pageChanged);

    connect(RzFontComboBox1, &QComboBox::currentTextChanged, this, &TOptionsDialog::updateSampleLabel);
    connect(TreeColorButton, &TDFSColorButton::colorChanged, this, &TOptionsDialog::updateSampleLabel);
    connect(UpDown1, &QSpinBox::valueChanged, this, &TOptionsDialog::updateSampleLabel);
    for (QCheckBox* box : { cbBold, cbItalic, cbUnderline })
        connect(box, &QCheckBox::toggled, this, &TOptionsDialog::updateSampleLabel);
    for (int level = 0; level < PrintOptionValues::kLevels; ++level)
        connect(levelLabels[static_cast<size_t>(level)], &QPushButton::clicked, this,
            [this, level] { levelClicked(level); });
    connect(btnDefault, &QPushButton::clicked, this, [this] {
        m_print.resetLevelFonts();
        loadLevelFonts();
    });
}

// The custom header text of the open file (the custom text button is off limits without one), the print
// boxes, the header buttons and the margins.
void TOptionsDialog::fillCodePrintPage()
{
    bool open = m_host.fileOpen();
    Edit1->setText(open ? QString::fromStdString(m_host.customHeaderText()) : QString());
    rbct->setEnabled(open);

    const BrowserSettings& s = m_host.settings();
    cbHdr->setChecked(s.FlNm);
    cbDate->setChecked(s.Dt);
    cbPage->setChecked(s.PgNo);
    cbLine->setChecked(s.LnNo);

    rbct->setChecked(m_print.headerButton(HeaderButton::CustomText));
    rbFnw->setChecked(m_print.headerButton(HeaderButton::FileNameWithPath));
    rbFnwo->setChecked(m_print.headerButton(HeaderButton::FileNameWithoutPath));
    rbsfp->setChecked(m_print.headerButton(HeaderButton::NodeText));

    std::pair<MarginSpinEdit*, Margin> margins[] = { { rxedtLeft, Margin::Left }, { rxedtTop, Margin::Top },
        { rxedtRight, Margin::Right }, { rxedtBottom, Margin::Bottom } };
    for (auto [edit, margin] : margins)
        edit->setValue(QString::fromStdString(MarginText::shown(m_print.marginText(margin))).toDouble());

    Edit1->setEnabled(rbct->isChecked() && rbct->isEnabled());
}

// The level labels from the settings store; the face box on "Courier New".
void TOptionsDialog::fillTreePrintPage()
{
    QStringList faces = CharacterSets::faces(CharacterSets::kDefault);
    RzFontComboBox1->clear();
    RzFontComboBox1->addItems(faces);
    selectFace(RzFontComboBox1, QString::fromLatin1(kTreeFace));
    loadLevelFonts();
    updateSampleLabel();
}

// On the code print page without an open file nothing there can be chosen; elsewhere, or with a file,
// everything can again.
void TOptionsDialog::pageChanged(int index)
{
    bool codePrint = index == static_cast<int>(Page::CodePagePrint);
    bool open = m_host.fileOpen();
    // The stored text again, unless the user has typed one that is not stored yet.
    if (codePrint && open && !Edit1->isModified())
        Edit1->setText(QString::fromStdString(m_host.customHeaderText()));
    setPrintBoxesEnabled(!codePrint || open);
}

void TOptionsDialog::setPrintBoxesEnabled(bool enabled)
{
    QWidget* page = PageControl1->widget(static_cast<int>(Page::CodePagePrint));
    for (QCheckBox* box : page->findChildren<QCheckBox*>())
        box->setEnabled(enabled);
    for (QRadioButton* button : page->findChildren<QRadioButton*>())
        button->setEnabled(enabled);
    // The custom text belongs to a file: without one its button stays off limits.
    rbct->setEnabled(enabled && m_host.fileOpen());
    Edit1->setEnabled(rbct->isEnabled() && rbct->isChecked());
}

PrintOptionValues::LevelFont TOptionsDialog::currentTreeFont() const
{
    PrintOptionValues::LevelFont font;
    if (!RzFontComboBox1->currentText().isEmpty())
        font.name = RzFontComboBox1->currentText().toStdString();
    font.size = UpDown1->value();
    font.color = TreeColorButton->colorValue();
    font.bold = cbBold->isChecked();
    font.italic = cbItalic->isChecked();
    font.underline = cbUnderline->isChecked();
    return font;
}

void TOptionsDialog::updateSampleLabel()
{
    PrintOptionValues::LevelFont font = currentTreeFont();
    lblSmpTxt->setFont(levelQFont(font, baseFont(lblSmpTxt)));
    showInColor(lblSmpTxt, font.color);
}

void TOptionsDialog::showLevelFont(int level, const PrintOptionValues::LevelFont& font)
{
    m_levelFonts.at(static_cast<size_t>(level)) = font;
    QPushButton* label = levelLabels.at(static_cast<size_t>(level));
    label->setFont(levelQFont(font, baseFont(label)));
    showInColor(label, font.color);
    // The hint names the level's face.
    label->setToolTip(QString::fromStdString(font.name));
}

// A level takes the current font and keeps it in the settings store at once.
void TOptionsDialog::levelClicked(int level)
{
    PrintOptionValues::LevelFont font = currentTreeFont();
    showLevelFont(level, font);
    m_print.setLevelFont(level, font);
}

void TOptionsDialog::loadLevelFonts()
{
    for (int level = 0; level < PrintOptionValues::kLevels; ++level)
        showLevelFont(level, m_print.levelFont(level));
}

// OK, Cancel and the close box alike write the print boxes, the custom header text, the header buttons,
// the margins and the header source.
void TOptionsDialog::done(int result)
{
    writeOnClose();
    QDialog::done(result);
}

void TOptionsDialog::writeOnClose()
{
    BrowserSettings& s = m_host.settings();
    s.FlNm = cbHdr->isChecked();
    s.PgNo = cbPage->isChecked();
    s.Dt = cbDate->isChecked();
    s.LnNo = cbLine->isChecked();
    s.dsf = cbPrtOptsReview->isChecked();
    if (m_host.fileOpen())
        m_host.setCustomHeaderText(Edit1->text().toStdString());

    BrowserSettings::writeDsf(m_host.store(), s.dsf);
    m_print.setHeaderButton(HeaderButton::CustomText, rbct->isChecked());
    m_print.setHeaderButton(HeaderButton::FileNameWithPath, rbFnw->isChecked());
    m_print.setHeaderButton(HeaderButton::FileNameWithoutPath, rbFnwo->isChecked());
    m_print.setHeaderButton(HeaderButton::NodeText, rbsfp->isChecked());
    std::pair<MarginSpinEdit*, Margin> margins[] = { { rxedtLeft, Margin::Left }, { rxedtTop, Margin::Top },
        { rxedtRight, Margin::Right }, { rxedtBottom, Margin::Bottom } };
    for (auto [edit, margin] : margins) {
        edit->limitToMax();
        m_print.setMarginText(margin, MarginText::stored(edit->value()));
    }
    HeaderSource source = HeaderSource::Path;
    if (rbct->isChecked())
        source = HeaderSource::CustomText;
    else if (rbFnwo->isChecked())
        source = HeaderSource::FileName;
    else if (rbsfp->isChecked())
        source = HeaderSource::Caption;
    m_print.setHeaderSource(source);
    rbsfp->setEnabled(true);
}

} // namespace lrl
