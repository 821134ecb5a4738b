#pragma once

#include <QElapsedTimer>
#include <QTimer>
#include <QWidget>

namespace lrl {

// frmSplash: the splash window shown while the program starts. 360 x 240, borderless, white, centred on
// the screen, on top of other windows without taking the focus; its timer releases it after 4000 ms at
// the latest. The program releases it earlier, once its window is ready (release()).
class TfrmSplash : public QWidget {
    Q_OBJECT
public:
    static constexpr int kWidth = 360;
    static constexpr int kHeight = 240;
    static constexpr int kShowMs = 4000;
    // However soon the program is ready, the splash stays this long, so that it is seen, not flashed.
    static constexpr int kMinShowMs = 1000;

    explicit TfrmSplash(QWidget* parent = nullptr);

    // Shows the window and paints it at once, before the program goes on starting.
    void showNow();
    // The program is ready (its window shown with its first file): the splash closes now, or as soon as
    // it has been shown kMinShowMs.
    void release();
    const QTimer& timer() const { return Timer1; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QTimer Timer1;
    QElapsedTimer m_shown;
};

} // namespace lrl
