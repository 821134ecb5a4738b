#pragma once

namespace lrl {

class TLineNode;

// A line-tracking object: attached to one line node (which owns it and frees it with itself) and listed
// in its store's line-track list. It keeps a back reference to its node and a character offset that the
// store shifts when text is inserted or deleted before it. When its node is rebuilt it passes to the first
// new node.
class TLineTrack {
public:
    explicit TLineTrack(int position)
        : m_position(position)
    {
    }
    virtual ~TLineTrack() = default;
    TLineTrack(const TLineTrack&) = delete;
    TLineTrack& operator=(const TLineTrack&) = delete;

    TLineNode* node() const { return m_node; }
    int position() const { return m_position; }

    // Moves the position for a change that replaced `removed` characters at `offset` with `inserted`
    // ones: positions after the change move with the text, positions inside it go to its start.
    void shift(int offset, int removed, int inserted);

private:
    friend class TLineNode;
    TLineNode* m_node = nullptr;
    int m_position;
};

} // namespace lrl
