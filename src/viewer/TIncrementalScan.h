#pragma once

#include "viewer/TNodePos.h"

#include <cstdint>
#include <functional>
#include <vector>

namespace lrl {

class TScanSource;
class TTextStore;

// Keeps the token values of a text store current with a scanner, starting where the text changed and
// stopping as soon as the values come out as they were.
//
// One run starts at a node marked for rescanning (lfRescan) or as a scan start (lfScanStart). It steps
// back one node and, from the end of that node's token values backwards across earlier nodes that have
// token values, looks for the nearest character whose value is in the scanner's restart set; the scan
// restarts at the first character of the run of equal values holding it, in the context of that value.
// (Without token values before the node it starts at the stepped-back node, or the node itself at the
// head, in the context of 0.) Each node's values are rebuilt in a work buffer that starts as a copy of
// its old ones; a token of length 0 counts as one character.
//
// When a node is full the run ends if its values came out unchanged, it is not a scan start, the scan
// has reached the node where it was asked to start, the next node has token values, the scanner neither
// must continue nor forbids stopping, and no token runs on into the next node. Otherwise the buffer
// becomes the node's values (a change marks the node for repaint) and the scan goes on; it always ends
// after the last node. Every node the run finishes loses its rescan and scan-start marks.
//
// When a token opens a container, its text is scanned again token by token; characters that no inner
// token claims (inner value 0) keep the container's value.
class TIncrementalScan {
public:
    // Told of every token: its value (which the handler may change; the changed value is stored) and
    // its character offsets, end one past its last character.
    using TokenHandler = std::function<void(int& value, int start, int end)>;

    // The lines a run covered: its restart line and the last line it finished.
    struct Range {
        int first = -1;
        int last = -1;
    };

    explicit TIncrementalScan(TTextStore& store)
        : m_store(&store)
    {
    }
    void setStore(TTextStore& store) { m_store = &store; }

    // The first node at or after line `from` marked for rescanning or as a scan start; a null node when
    // there is none.
    TNodePos firstMarked(int from) const;

    // One run from `start` (a marked node).
    Range run(TScanSource& source, const TNodePos& start, const TokenHandler* onToken);

private:
    struct Restart {
        TNodePos node;
        int index = 0;
        int value = 0;
    };
    Restart restartPoint(TScanSource& source, const TNodePos& start) const;
    void loadWork(const TLineNode& node);
    bool finishNode(TScanSource& source, const TNodePos& node, int startLine, bool runsOn);

    TTextStore* m_store;
    std::vector<uint8_t> m_work;
};

} // namespace lrl
