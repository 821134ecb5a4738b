#pragma once

#include "viewer/TScanSource.h"

namespace lrl {

class ParserClient;
class TSyntaxMemoParser;

// The incremental scan's view of a scanner component: restart set, reset, next token (attaching the
// viewer it scans for), busy, the bound-state query as "must continue" and the container state as the
// safe-stop query.
class TParserScanSource final : public TScanSource {
public:
    TParserScanSource(TSyntaxMemoParser& parser, ParserClient* viewer)
        : m_parser(&parser)
        , m_viewer(viewer)
    {
    }

    TSyntaxMemoParser& parser() const { return *m_parser; }

    Set256 restartSet() const override;
    void reset(int value) override;
    uint8_t next(CharStream& stream, int32_t& length) override;
    bool busy() const override;
    bool mustContinue() const override;
    bool safeStop() const override;
    bool inContainer() const override;

private:
    TSyntaxMemoParser* m_parser;
    ParserClient* m_viewer;
};

} // namespace lrl
