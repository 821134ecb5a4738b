#pragma once

#include <QPushButton>

#include <cstdint>

class QMenu;

namespace lrl {

// A push button showing a colour swatch. Pressing it (mouse, Space or Enter) drops down a palette of the
// sixteen standard colours and "Other...", which opens the colour dialog; the colour the user picks is
// reported through colorChanged. Colours are kept in their stored form (0x00BBGGRR, or a negative value
// naming a system colour, painted from the button's palette).
class TDFSColorButton : public QPushButton {
    Q_OBJECT
public:
    // The width the dialogs give the button.
    static constexpr int kWidth = 124;

    explicit TDFSColorButton(QWidget* parent = nullptr);

    int32_t colorValue() const { return m_color; }
    // Shows a colour without reporting it (the dialogs fill their controls this way).
    void setColorValue(int32_t color);
    // The user's choice: shows it and reports it through colorChanged, also when it is the colour shown.
    void chooseColor(int32_t color);

    // The drop-down palette: one entry per standard colour, then "Other...".
    QMenu* colorMenu() const { return m_menu; }
    // The standard colours of the palette, in the stored form, and their names.
    static int standardColorCount();
    static int32_t standardColor(int index);
    static const char* standardColorName(int index);

    QSize sizeHint() const override;

signals:
    void colorChanged(int32_t color);

protected:
    void paintEvent(QPaintEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void chooseOther();

    int32_t m_color = 0;
    QMenu* m_menu = nullptr;
};

} // namespace lrl
