#include "viewer/TUndoStack.h"

namespace lrl {

TUndoRecord TUndoStack::pop()
{
    TUndoRecord record = std::move(m_records.back());
    m_records.pop_back();
    return record;
}

} // namespace lrl
