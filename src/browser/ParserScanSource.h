#pragma once

#include "scheme/TSyntaxMemoParser.h"
#include "viewer/TScanSource.h"

namespace lrl {

// Lets a scanner component drive a viewer's scan: the viewer asks for tokens through TScanSource, the
// component answers from its compiled table.
class ParserScanSource : public TScanSource {
public:
    explicit ParserScanSource(TSyntaxMemoParser& parser)
        : m_parser(parser)
    {
    }
    Set256 restartSet() const override { return m_parser.anchorSet(); }
    void reset(int value) override { m_parser.reset(value); }
    uint8_t next(CharStream& stream, int32_t& length) override
    {
        return m_parser.nextToken(nullptr, stream, length);
    }
    bool busy() const override { return m_parser.busy(); }
    bool mustContinue() const override { return m_parser.inBoundState(); }
    bool safeStop() const override { return m_parser.safeStop(); }
    bool inContainer() const override { return m_parser.scanner().inContainer(); }

private:
    TSyntaxMemoParser& m_parser;
};

} // namespace lrl
