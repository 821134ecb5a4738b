// The options dialog's highlighting page: the element list, the attribute and use-default boxes, the
// colour buttons, the font boxes and the sample viewer, all working on the working copy of the
// scanner's settings.

#include "options/TOptionsDialog.h"

#include "options/CharacterSets.h"
#include "options/StyleElements.h"
#include "scheme/TSyntaxMemoParser.h"
#include "viewer/TLineNode.h"
#include "viewer/ui/TSyntaxMemo.h"
#include "widgets/EventHook.h"
#include "widgets/TDFSColorButton.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QListWidget>
#include <QMouseEvent>

#include <algorithm>
#include <cstdlib>

namespace lrl {

namespace {

// Clicks of the sample viewer closer than this to the previous one are taken as the same click.
constexpr int kSameClickX = 5;
constexpr int kSameClickY = 6;

} // namespace

void TOptionsDialog::connectSyntaxPage()
{
    connect(SynElementsBox, &QListWidget::currentRowChanged, this, [this](int) {
        if (!m_filling)
            showElement(selectedElement());
    });
    connect(
        UseBoldBox, &QCheckBox::clicked, this, [this](bool on) { attributeClicked(TSM_Effect::Bold, on); });
    connect(UseItalicBox, &QCheckBox::clicked, this,
        [this](bool on) { attributeClicked(TSM_Effect::Italic, on); });
    connect(UseUnderlineBox, &QCheckBox::clicked, this,
        [this](bool on) { attributeClicked(TSM_Effect::Underline, on); });
    connect(UseDefForeBox, &QCheckBox::clicked, this, [this](bool on) { useDefaultClicked(true, on); });
    connect(UseDefBackBox, &QCheckBox::clicked, this, [this](bool on) { useDefaultClicked(false, on); });
    connect(ForegroundButton, &TDFSColorButton::colorChanged, this, &TOptionsDialog::colorChanged);
    connect(BackgroundButton, &TDFSColorButton::colorChanged, this, &TOptionsDialog::colorChanged);
    connect(FontNameBox, &QComboBox::textActivated, this, &TOptionsDialog::fontNameChosen);
    connect(FontSizeBox, &QComboBox::textActivated, this, &TOptionsDialog::fontSizeChosen);
    connect(FontFamilyBox, &QComboBox::activated, this, &TOptionsDialog::characterSetChosen);

    new EventHook(FEditor->viewport(), [this](QEvent* event) {
        if (event->type() == QEvent::MouseButtonPress) {
            auto* mouse = static_cast<QMouseEvent*>(event);
            if (mouse->button() == Qt::LeftButton)
                sampleClicked(mouse->position().toPoint());
        }
        return false;
    });
}

// The sample viewer with the scheme's sample text in the working styles, the element list with its first
// entry shown, the character sets and the font boxes.
void TOptionsDialog::fillSyntaxPage()
{
    m_filling = true;
    FEditor->lines().beginUpdate();
    FEditor->setSettings(m_working);
    FEditor->setText(m_working.exampleText);
    FEditor->setSel(0, 0);
    SynElementsBox->clear();
    for (const StyleElements::Element& e : StyleElements::list(m_working)) {
        auto* item = new QListWidgetItem(QString::fromStdString(e.name), SynElementsBox);
        item->setData(Qt::UserRole, e.number);
    }
    SynElementsBox->setCurrentRow(0);
    showElement(selectedElement());
    FEditor->lines().endUpdate();
    FEditor->viewport()->update();

    FontFamilyBox->clear();
    std::vector<const CharacterSets::Entry*> sets;
    for (int i = 0; i < CharacterSets::kCount; ++i)
        sets.push_back(&CharacterSets::at(i));
    std::sort(sets.begin(), sets.end(), [](const CharacterSets::Entry* a, const CharacterSets::Entry* b) {
        return std::string_view(a->name) < b->name;
    });
    for (const CharacterSets::Entry* set : sets)
        FontFamilyBox->addItem(QString::fromLatin1(set->name), set->value);
    int charSet = FontFamilyBox->findData(m_working.font.charSet);
    FontFamilyBox->setCurrentIndex(charSet);
    fillFontNames(m_working.font.charSet);

    QString face = QString::fromStdString(FEditor->textFont().name);
    int found = FontNameBox->findText(face, Qt::MatchFixedString);
    if (found < 0 && !face.isEmpty()) {
        // A face the system does not list by that name (it is matched to another) is still the face the
        // settings ask for; it is shown so that the box says what is set.
        auto at = std::lower_bound(m_faces.begin(), m_faces.end(), face,
            [](const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) < 0; });
        found = static_cast<int>(at - m_faces.begin());
        m_faces.insert(at, face);
        FontNameBox->insertItem(found, face);
    }
    FontNameBox->setCurrentIndex(found);
    QString size = QString::number(FEditor->textFont().size);
    int sizeAt = FontSizeBox->findText(size);
    if (sizeAt < 0) {
        int i = 0;
        while (i < FontSizeBox->count() && FontSizeBox->itemText(i).toInt() < FEditor->textFont().size)
            ++i;
        FontSizeBox->insertItem(i, size);
        sizeAt = i;
    }
    FontSizeBox->setCurrentIndex(sizeAt);
    m_filling = false;
}

void TOptionsDialog::fillFontNames(uint8_t charSet)
{
    m_faces = CharacterSets::faces(charSet);
    FontNameBox->clear();
    FontNameBox->addItems(m_faces);
}

int TOptionsDialog::selectedElement() const
{
    QListWidgetItem* item = SynElementsBox->currentItem();
    return item ? item->data(Qt::UserRole).toInt() : -1;
}

void TOptionsDialog::selectElement(int number)
{
    for (int row = 0; row < SynElementsBox->count(); ++row) {
        if (SynElementsBox->item(row)->data(Qt::UserRole).toInt() == number) {
            bool filling = std::exchange(m_filling, true);
            SynElementsBox->setCurrentRow(row);
            m_filling = filling;
            showElement(number);
            return;
        }
    }
}

void TOptionsDialog::showElement(int number)
{
    bool filling = std::exchange(m_filling, true);
    StyleElements::View v = StyleElements::view(m_working, number);
    GroupBox1->setEnabled(v.attributesEnabled);
    UseBoldBox->setChecked(v.style & TSM_Effect::Bold);
    UseItalicBox->setChecked(v.style & TSM_Effect::Italic);
    UseUnderlineBox->setChecked(v.style & TSM_Effect::Underline);
    UseDefForeBox->setEnabled(v.foreDefaultEnabled);
    UseDefForeBox->setChecked(v.foreDefault);
    UseDefBackBox->setEnabled(v.backDefaultEnabled);
    UseDefBackBox->setChecked(v.backDefault);
    ForegroundButton->setEnabled(v.foregroundEnabled);
    ForegroundButton->setColorValue(v.foreground);
    BackgroundButton->setEnabled(v.backgroundEnabled);
    BackgroundButton->setColorValue(v.background);
    ForegroundButton->update();
    BackgroundButton->update();
    m_filling = filling;
}

void TOptionsDialog::attributeClicked(uint8_t bit, bool on)
{
    int number = selectedElement();
    if (m_filling || number < 0)
        return;
    StyleElements::setAttribute(m_working, number, bit, on);
    refreshSample();
}

void TOptionsDialog::colorChanged()
{
    int number = selectedElement();
    if (m_filling || number < 0)
        return;
    StyleElements::setColors(
        m_working, number, ForegroundButton->colorValue(), BackgroundButton->colorValue());
    refreshSample();
}

void TOptionsDialog::useDefaultClicked(bool foreground, bool on)
{
    int number = selectedElement();
    if (m_filling || number < 0)
        return;
    StyleElements::setUseDefault(m_working, number, foreground, on);
    showElement(number);
    refreshSample();
}

void TOptionsDialog::fontNameChosen(const QString& name)
{
    if (m_filling || name.isEmpty())
        return;
    m_working.font.name = name.toStdString();
    refreshSample();
}

void TOptionsDialog::fontSizeChosen(const QString& size)
{
    bool ok = false;
    int points = size.toInt(&ok);
    if (m_filling || !ok || points <= 0)
        return;
    m_working.font.size = points;
    refreshSample();
}

void TOptionsDialog::characterSetChosen(int index)
{
    if (m_filling || index < 0)
        return;
    auto charSet = static_cast<uint8_t>(FontFamilyBox->itemData(index).toInt());
    bool filling = std::exchange(m_filling, true);
    fillFontNames(charSet);
    int found = FontNameBox->findText(QString::fromStdString(m_working.font.name), Qt::MatchFixedString);
    FontNameBox->setCurrentIndex(found);
    m_filling = filling;
    if (found >= 0) {
        m_working.font.charSet = charSet;
        refreshSample();
    }
}

void TOptionsDialog::refreshSample()
{
    TSM_Settings shown = m_working;
    shown.options = FEditor->options().bits();
    FEditor->setSettings(shown);
    FEditor->rescan();
    FEditor->viewport()->update();
}

// A click on the sample viewer selects the element whose style the clicked character shows.
void TOptionsDialog::sampleClicked(QPoint pos)
{
    if (!FEditor->viewport()->rect().contains(pos))
        return;
    if (std::abs(pos.x() - m_lastClick.x()) <= kSameClickX
        && std::abs(pos.y() - m_lastClick.y()) < kSameClickY)
        return;
    m_lastClick = pos;
    int offset = FEditor->charFromPos({ pos.x(), pos.y() });
    if (offset < 0)
        return;
    FEditor->setSel(offset, offset);
    FEditor->rescan();
    TNodePos at = FEditor->textStore().findOffset(offset);
    if (!at.valid() || offset - at.start >= at.node->textLength() || !at.node->attrs())
        return;
    int style = StyleElements::styleOfToken(m_working, at.node->attrs()[offset - at.start]);
    if (style >= 0)
        selectElement(style);
}

} // namespace lrl
