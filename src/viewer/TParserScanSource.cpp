#include "viewer/TParserScanSource.h"

#include "scheme/TSyntaxMemoParser.h"

namespace lrl {

Set256 TParserScanSource::restartSet() const { return m_parser->anchorSet(); }

void TParserScanSource::reset(int value) { m_parser->reset(value); }

uint8_t TParserScanSource::next(CharStream& stream, int32_t& length)
{
    return m_parser->nextToken(m_viewer, stream, length);
}

bool TParserScanSource::busy() const { return m_parser->busy(); }

bool TParserScanSource::mustContinue() const { return m_parser->inBoundState(); }

bool TParserScanSource::safeStop() const { return m_parser->safeStop(); }

bool TParserScanSource::inContainer() const { return m_parser->scanner().inContainer(); }

} // namespace lrl
