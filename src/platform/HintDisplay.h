#pragma once

#include <QObject>

namespace lrl {

// Switches the application's button hints (tool tips) on or off for every widget at once.
class HintDisplay : public QObject {
    Q_OBJECT

public:
    // Installs the one filter on the application when first called.
    static void setShown(bool shown);
    static bool shown();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    explicit HintDisplay(QObject* parent);
    static HintDisplay* instance();

    bool m_shown = true;
};

} // namespace lrl
