#pragma once

#include <QObject>

#include <functional>

class QEvent;

namespace lrl {

// Hands the events of one object to a function before the object sees them; the function answers true
// for an event it took. The hook is a child of the watched object and goes with it.
class EventHook : public QObject {
public:
    using Handler = std::function<bool(QEvent*)>;
    EventHook(QObject* watched, Handler handler);

    bool eventFilter(QObject*, QEvent* event) override { return m_handler(event); }

private:
    Handler m_handler;
};

} // namespace lrl
