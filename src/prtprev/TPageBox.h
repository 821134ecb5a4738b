#pragma once

#include <QWidget>

#include <functional>

namespace lrl {

// A paint box over a page's paper: draws what its owner gives it and passes the mouse on.
class TPageBox : public QWidget {
    Q_OBJECT

public:
    explicit TPageBox(QWidget* parent = nullptr);

    std::function<void(QPainter&, const QSize&)> paintPage;
    std::function<void(int x, int y, bool left, bool right)> mouseDown;
    std::function<void(int x, int y)> mouseMoved;
    std::function<void()> mouseUp;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
};

} // namespace lrl
