#include "platform/HintDisplay.h"

#include <QCoreApplication>
#include <QEvent>

namespace lrl {

HintDisplay::HintDisplay(QObject* parent)
    : QObject(parent)
{
}

HintDisplay* HintDisplay::instance()
{
    // Owned by the application object, so it goes away with it.
    static HintDisplay* filter = [] {
        auto* f = new HintDisplay(QCoreApplication::instance());
        QCoreApplication::instance()->installEventFilter(f);
        return f;
    }();
    return filter;
}

void HintDisplay::setShown(bool shown) { instance()->m_shown = shown; }

bool HintDisplay::shown() { return instance()->m_shown; }

bool HintDisplay::eventFilter(QObject* watched, QEvent* event)
{
    if (!m_shown && event->type() == QEvent::ToolTip)
        return true;
    return QObject::eventFilter(watched, event);
}

} // namespace lrl
