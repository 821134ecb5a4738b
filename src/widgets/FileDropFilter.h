#pragma once

#include <QObject>
#include <QStringList>

class QMimeData;

namespace lrl {

// Makes a widget accept files dropped on it from the desktop (local files in "text/uri-list") and
// reports each drop as the list of its local paths. Installed as an event filter on the widget (for a
// scroll area, on its viewport); the widget gets setAcceptDrops(true).
class FileDropFilter : public QObject {
    Q_OBJECT
public:
    // Watches target; the filter is a child of target.
    static FileDropFilter* install(QWidget* target);

    explicit FileDropFilter(QObject* parent = nullptr);

    // The local files among the URLs of dropped data, in their order.
    static QStringList localPaths(const QMimeData* mime);

signals:
    void filesDropped(const QStringList& paths);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

} // namespace lrl
