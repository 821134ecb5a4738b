#include "viewer/TSyntaxMemoParserSlots.h"

namespace lrl {

TSyntaxMemoParser* TSyntaxMemoParserSlots::parser(int index) const
{
    return index >= 1 && index <= kSlots ? m_parsers[index - 1] : nullptr;
}

void TSyntaxMemoParserSlots::setParser(int index, TSyntaxMemoParser* parser)
{
    if (index >= 1 && index <= kSlots)
        m_parsers[index - 1] = parser;
}

void TSyntaxMemoParserSlots::setActiveIndex(int index)
{
    if (index >= 1 && index <= kSlots)
        m_active = index;
}

} // namespace lrl
