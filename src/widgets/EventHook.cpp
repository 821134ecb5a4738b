#include "widgets/EventHook.h"

#include <utility>

namespace lrl {

EventHook::EventHook(QObject* watched, Handler handler)
    : QObject(watched)
    , m_handler(std::move(handler))
{
    watched->installEventFilter(this);
}

} // namespace lrl
