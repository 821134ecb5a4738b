#pragma once

#include <QFrame>
#include <QString>

namespace lrl {

// A label that shows a file path in one line and, when the path is wider than the label, shortens it
// from the left: the leading folders give way to "..." so that the file name and its nearest folders
// stay readable. The whole path is the tool tip.
class PathLabel : public QFrame {
    Q_OBJECT
public:
    explicit PathLabel(QWidget* parent = nullptr);

    const QString& path() const { return m_path; }
    void setPath(const QString& path);
    // The text shown now for the label's current width.
    QString shownText() const;

    // The path shortened from the left to fit width pixels in the font's metrics: whole leading folders
    // are dropped first; when even the file name does not fit, its start is cut off.
    static QString shorten(const QString& path, const QFontMetrics& metrics, int width);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_path;
};

} // namespace lrl
