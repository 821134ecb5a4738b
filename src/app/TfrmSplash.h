#pragma once

#include <QTimer>
#include <QWidget>

namespace lrl {

// frmSplash: the splash window shown while the program starts. 360 x 240, borderless, white, centred on
// the screen, on top of other windows without taking the focus; its timer releases it after 4000 ms.
class TfrmSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 360;
    static constexpr int kHeight = 240;
    static constexpr int kShowMs = 4000;

    explicit TfrmSplash(QWidget* parent = nullptr);

    // Shows the window and paints it at once, before the program goes on starting.
    void showNow();
    const QTimer& timer() const { return Timer1; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer Timer1;
};

} // namespace lrl
