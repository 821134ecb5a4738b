#include "browser/ui/PrintInputGuard.h"

#include <QAction>
#include <QCoreApplication>
#include <QEvent>
#include <QWidget>

namespace lrl {

PrintInputGuard::PrintInputGuard(QWidget& window, QWidget& abortButton)
    : m_window(window)
    , m_abortButton(abortButton)
{
    QCoreApplication::instance()->installEventFilter(this);
}

PrintInputGuard::~PrintInputGuard() { QCoreApplication::instance()->removeEventFilter(this); }

bool PrintInputGuard::isUserInput(const QEvent& event) const
{
    switch (event.type()) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::Shortcut:
    case QEvent::ContextMenu:
    case QEvent::DragEnter:
    case QEvent::DragMove:
    case QEvent::Drop:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::TabletPress:
    case QEvent::TabletRelease:
        return true;
    default:
        return false;
    }
}

bool PrintInputGuard::ofTheWindow(const QWidget* widget) const
{
    // The window's widgets, and its menus, which are windows of their own; not its dialogs.
    const QWidget* top = widget->window();
    while (top != &m_window && top->windowType() == Qt::Popup && top->parentWidget())
        top = top->parentWidget()->window();
    return top == &m_window;
}

bool PrintInputGuard::blocked(QObject* watched, const QEvent& event) const
{
    if (auto* widget = qobject_cast<QWidget*>(watched)) {
        // Only the window's own widgets; the Abort Print button stays usable.
        if (!ofTheWindow(widget))
            return false;
        return widget != &m_abortButton && !m_abortButton.isAncestorOf(widget);
    }
    // A shortcut reaches its action, not a widget: the actions of the window's menus and toolbars wait
    // too.
    if (auto* action = qobject_cast<QAction*>(watched); action && event.type() == QEvent::Shortcut) {
        for (QObject* owner : action->associatedObjects()) {
            auto* widget = qobject_cast<QWidget*>(owner);
            if (widget && ofTheWindow(widget))
                return true;
        }
    }
    return false;
}

bool PrintInputGuard::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::Close && watched == &m_window) {
        event->ignore();
        return true;
    }
    if (!isUserInput(*event) || !blocked(watched, *event))
        return false;
    event->ignore();
    return true;
}

} // namespace lrl
