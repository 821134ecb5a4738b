#pragma once

#include "common/CharStream.h"
#include "common/Stream.h"
#include "viewer/TNodePos.h"
#include "viewer/TTextStoreClient.h"

namespace lrl {

class TTextStore;

// A read-only stream over a text store: the scanner and the search read the text through it.
//
// As a CharStream each line node is one segment, so stepping inside a line is inline and crossing into
// the next or previous node is one step along the list; a jump walks from whichever known node is
// nearest (this stream's node, the store's top line, head or tail). As a Stream it reads and seeks
// byte-wise; writing raises "Cannot write to a read-only stream". The size is the store's CharCount.
//
// The stream follows changes of the store: after a change it re-finds its node on the next step, at the
// same position clamped to the new size. It must not outlive its store; if the store goes first it
// reads as empty.
class TEdStream : public CharStream, public Stream, private TTextStoreClient {
public:
    explicit TEdStream(TTextStore& store);
    ~TEdStream() override;

    // Positions the stream on a node (with its line and start offset) at offsetInNode characters into it.
    void positionAt(const TNodePos& node, int offsetInNode);
    // The node the position lies in (null for the implied empty line after a final CR, or for an empty
    // text).
    TNodePos node();

    int64_t position() const { return CharStream::position(); }
    int64_t size() const { return CharStream::size(); }
    using CharStream::read;
    using CharStream::seek;

    // Stream
    size_t read(void* buffer, size_t count) override;
    size_t write(const void* buffer, size_t count) override;
    int64_t seek(int64_t offset, SeekOrigin origin) override;
    int64_t size() override { return CharStream::size(); }

protected:
    void loadSegment(int64_t pos) override;

private:
    void textStoreChanged(const TTextChange& change) override;
    void textStoreDestroyed() override;
    void setNodeSegment(const TNodePos& node, int64_t pos);

    TTextStore* m_store;
    TNodePos m_node; // the node of the current segment; null when none is loaded
};

} // namespace lrl
