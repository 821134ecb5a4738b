#pragma once

#include <QDialog>

#include <optional>
#include <string>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace lrl {

// The viewer's Find dialog: the text to find, match case, whole word, the direction (Down is forward)
// and regular-expression mode, with Find Next and Cancel. It is modeless: it only asks for the next
// match (findNext) and leaves searching to its owner, so that the viewer stays usable beside it.
// Texts are the viewer's bytes (Windows-1252), shown and edited as Unicode.
class TFindDialog : public QDialog {
    Q_OBJECT
public:
    explicit TFindDialog(QWidget* parent = nullptr);

    // The find text in a code page of the store: characters the page lacks become "?" in findText and
    // make exactFindText null.
    std::string findText(int codePage = 1252) const;
    std::optional<std::string> exactFindText(int codePage) const;
    void setFindText(const std::string& text, int codePage = 1252);
    bool matchCase() const;
    void setMatchCase(bool on);
    bool wholeWord() const;
    void setWholeWord(bool on);
    bool down() const;
    void setDown(bool on);
    bool regexMode() const;
    void setRegexMode(bool on);

    QPushButton* findNextButton() const { return m_findNext; }

signals:
    // The user asked for the next match (Find Next, or Enter in the text box).
    void findNext();

private:
    void updateButtons();

    QLineEdit* m_text = nullptr;
    QCheckBox* m_wholeWord = nullptr;
    QCheckBox* m_matchCase = nullptr;
    QCheckBox* m_regex = nullptr;
    QRadioButton* m_up = nullptr;
    QRadioButton* m_down = nullptr;
    QPushButton* m_findNext = nullptr;
};

} // namespace lrl
