#include "viewer/ui/TFindDialog.h"

#include "platform/CodePageText.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace lrl {

TFindDialog::TFindDialog(QWidget* parent)
    : QDialog(parent)
{
    setWindowTitle(tr("Find"));
    setModal(false);

    m_text = new QLineEdit(this);
    auto* label = new QLabel(tr("Fi&nd what:"), this);
    label->setBuddy(m_text);

    m_wholeWord = new QCheckBox(tr("Match &whole word only"), this);
    m_matchCase = new QCheckBox(tr("Match &case"), this);
    m_regex = new QCheckBox(tr("&Regular expression"), this);

    auto* direction = new QGroupBox(tr("Direction"), this);
    m_up = new QRadioButton(tr("&Up"), direction);
    m_down = new QRadioButton(tr("&Down"), direction);
    m_down->setChecked(true);
    auto* directionLayout = new QHBoxLayout(direction);
    directionLayout->addWidget(m_up);
    directionLayout->addWidget(m_down);

    m_findNext = new QPushButton(tr("&Find Next"), this);
    m_findNext->setDefault(true);
    auto* cancel = new QPushButton(tr("Cancel"), this);

    auto* grid = new QGridLayout;
    grid->addWidget(label, 0, 0);
    grid->addWidget(m_text, 0, 1, 1, 2);
    auto* boxes = new QVBoxLayout;
    boxes->addWidget(m_wholeWord);
    boxes->addWidget(m_matchCase);
    boxes->addWidget(m_regex);
    grid->addLayout(boxes, 1, 0, 1, 2);
    grid->addWidget(direction, 1, 2, Qt::AlignTop);

    auto* buttons = new QVBoxLayout;
    buttons->addWidget(m_findNext);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(grid, 1);
    layout->addLayout(buttons);

    connect(m_findNext, &QPushButton::clicked, this, &TFindDialog::findNext);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(m_text, &QLineEdit::textChanged, this, [this] { updateButtons(); });
    updateButtons();
}

void TFindDialog::updateButtons() { m_findNext->setEnabled(!m_text->text().isEmpty()); }

std::string TFindDialog::findText(int codePage) const { return CodePageText::encode(codePage, m_text->text()); }

std::optional<std::string> TFindDialog::exactFindText(int codePage) const
{
    return CodePageText::encodeExact(codePage, m_text->text());
}

void TFindDialog::setFindText(const std::string& text, int codePage)
{
    m_text->setText(CodePageText::decode(codePage, text));
    m_text->selectAll();
}

bool TFindDialog::matchCase() const { return m_matchCase->isChecked(); }
void TFindDialog::setMatchCase(bool on) { m_matchCase->setChecked(on); }
bool TFindDialog::wholeWord() const { return m_wholeWord->isChecked(); }
void TFindDialog::setWholeWord(bool on) { m_wholeWord->setChecked(on); }
bool TFindDialog::down() const { return m_down->isChecked(); }
void TFindDialog::setDown(bool on) { (on ? m_down : m_up)->setChecked(true); }
bool TFindDialog::regexMode() const { return m_regex->isChecked(); }
void TFindDialog::setRegexMode(bool on) { m_regex->setChecked(on); }

} // namespace lrl
