#include "browser/formconv/FormInput.h"

#include "common/Exception.h"
#include "common/Stream.h"

#include <algorithm>

namespace lrl {

uint8_t FormInput::readByte()
{
    uint8_t b;
    read(&b, 1);
    return b;
}

uint8_t FormInput::peekByte()
{
    if (m_peeked < 0)
        m_peeked = readByte();
    return static_cast<uint8_t>(m_peeked);
}

void FormInput::read(void* buffer, size_t count)
{
    if (count == 0)
        return;
    auto* out = static_cast<uint8_t*>(buffer);
    if (m_peeked >= 0) {
        *out++ = static_cast<uint8_t>(m_peeked);
        m_peeked = -1;
        --count;
    }
    m_stream.readBuffer(out, count);
}

std::string FormInput::readChars(size_t count)
{
    constexpr size_t kPiece = 64 * 1024;
    std::string text;
    while (text.size() < count) {
        size_t done = text.size();
        size_t piece = std::min(count - done, kPiece);
        text.resize(done + piece);
        read(text.data() + done, piece);
    }
    return text;
}

std::string FormInput::readShortString() { return readChars(readByte()); }

} // namespace lrl
