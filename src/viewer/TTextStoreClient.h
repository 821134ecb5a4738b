#pragma once

#include "viewer/TTextChange.h"

namespace lrl {

// Something that shows or reads a text store and must hear of its changes: the viewers attached to the
// store and the character streams reading it. Node pointers a client holds are invalid after a change.
class TTextStoreClient {
public:
    virtual ~TTextStoreClient() = default;

    virtual void textStoreChanged(const TTextChange& change) = 0;
    // Bookmark bits or columns changed.
    virtual void bookmarksChanged() { }
    // The store is being destroyed; the client must not use it any more.
    virtual void textStoreDestroyed() = 0;
};

} // namespace lrl
