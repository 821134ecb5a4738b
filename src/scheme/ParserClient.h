#pragma once

namespace lrl {

class TSyntaxMemoParser;

// What a viewer implements to be bound to a scanner component (TSyntaxMemoParser).
//
// The scanner calls parserActivated when it attaches the viewer and whenever its scheme changes
// (a compile, a load, the options dialog), and parserDetached when it lets the viewer go: on
// detachViewer, and for every attached viewer when the scanner is destroyed. A viewer that is destroyed
// while attached must call detachViewer on the scanner first.
class ParserClient {
public:
    // Take over the scheme's settings (fonts, colours, options, tab stops, styles, keys) and rescan.
    virtual void parserActivated(TSyntaxMemoParser& parser) = 0;
    // Undo the settings link and forget the scanner.
    virtual void parserDetached(TSyntaxMemoParser& parser) = 0;

protected:
    ParserClient() = default;
    ParserClient(const ParserClient&) = default;
    ParserClient& operator=(const ParserClient&) = default;
    ~ParserClient() = default;
};

} // namespace lrl
