#include "options/MarginSpinEdit.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace lrl {

MarginSpinEdit::MarginSpinEdit(QWidget* parent)
    : QDoubleSpinBox(parent)
{
    setDecimals(2);
    setRange(kMin, kMax);
    setSingleStep(0.05);
    setLocale(QLocale::c());
    setKeyboardTracking(true);
}

double MarginSpinEdit::typedValue() const
{
    bool ok = false;
    double typed = locale().toDouble(lineEdit()->text().trimmed(), &ok);
    return ok ? typed : value();
}

void MarginSpinEdit::limitToMax()
{
    if (typedValue() > kMax) {
        setValue(kMax);
        // The value may already be the maximum (the typed text is bounded to it); the text follows.
        lineEdit()->setText(textFromValue(kMax));
    }
}

// Digits with at most two decimals up to kTypedMax are accepted while typing; the spin box bounds the
// value to its range, and the key's release brings the text back to it.
QValidator::State MarginSpinEdit::validate(QString& text, int& pos) const
{
    QString t = text.trimmed();
    if (t.isEmpty() || t == QLatin1String("."))
        return QValidator::Intermediate;
    qsizetype dot = t.indexOf(QLatin1Char('.'));
    if (dot >= 0 && t.size() - dot - 1 > decimals())
        return QValidator::Invalid;
    bool ok = false;
    double typed = locale().toDouble(t, &ok);
    if (!ok || typed < 0 || typed > kTypedMax)
        return QValidator::Invalid;
    if (typed < kMin)
        return QValidator::Intermediate;
    (void)pos;
    return QValidator::Acceptable;
}

void MarginSpinEdit::keyReleaseEvent(QKeyEvent* event)
{
    QDoubleSpinBox::keyReleaseEvent(event);
    limitToMax();
}

} // namespace lrl
