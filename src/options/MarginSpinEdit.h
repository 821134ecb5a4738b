#pragma once

#include <QDoubleSpinBox>

namespace lrl {

// A print margin in inches: 0.05 to 1.00 in steps of 0.05, shown with two decimals. Typing may pass 1
// for a moment (up to 9.99); when the key is released, a value above 1 becomes 1.
class MarginSpinEdit : public QDoubleSpinBox {
    Q_OBJECT
public:
    static constexpr double kMin = 0.05;
    static constexpr double kMax = 1.0;
    static constexpr double kTypedMax = 9.99;

    explicit MarginSpinEdit(QWidget* parent = nullptr);

    // The number the edit's text shows now (it may lie above kMax while a key is down).
    double typedValue() const;
    // Sets a typed value above kMax back to kMax.
    void limitToMax();

    QValidator::State validate(QString& text, int& pos) const override;

protected:
    void keyReleaseEvent(QKeyEvent* event) override;
};

} // namespace lrl
