#pragma once

// A viewer holding the sample project's largest unit, scanned and highlighted with the shipped scheme,
// as the program's print buffer holds a file it prints.

#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"
#include "viewer/ui/TSyntaxMemo.h"

#include <initializer_list>
#include <memory>
#include <string>

namespace lrl::test {

struct SampleViewer {
    std::unique_ptr<TSyntaxMemoParser> parser = createShippedParser();
    std::unique_ptr<TSyntaxMemo> memo;

    explicit SampleViewer(const std::string& file = LRL_SOURCE_DIR "/examples/Sample/Inventory.pas")
    {
        // The shipped effects are plain until the user sets styles: set some, as a user would.
        TSM_Settings& scheme = parser->settings();
        TSM_Effect& reserved = scheme.effects[scheme.map[7]];
        reserved.style = TSM_Effect::Bold;
        reserved.foreground = 0x800000; // navy
        reserved.foregroundDefault = false;
        TSM_Effect& comment = scheme.effects[scheme.map[8]];
        comment.style = TSM_Effect::Italic;
        comment.foreground = 0x008000; // green
        comment.background = 0xF0F0F0;
        comment.foregroundDefault = comment.backgroundDefault = false;
        TSM_Effect& string = scheme.effects[scheme.map[3]];
        string.foreground = 0x0000C0; // dark red
        string.foregroundDefault = false;
        memo = std::make_unique<TSyntaxMemo>(*parser);
        memo->resize(600, 400);
        options({ smoSyntaxHighlight, smoTitleAsFilename, smoPrintFilename, smoPrintPageNos, smoPrintLineNos },
            true);
        options({ smoPrintDate }, false); // the clock would make two drawings of a page differ
        memo->setMonoPrint(false);
        memo->loadFromFile(file);
    }
    void options(std::initializer_list<TSyntaxMemoOption> list, bool on)
    {
        auto o = memo->options();
        for (auto option : list)
            o.set(option, on);
        memo->setOptions(o);
    }
};

} // namespace lrl::test
