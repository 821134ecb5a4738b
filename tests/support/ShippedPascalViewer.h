#pragma once

#include "browser/SyntaxMemoBrowserViewer.h"
#include "scheme/TSyntaxMemoParser.h"
#include "scheme/shipped/ShippedScheme.h"
#include "viewer/TCustomSyntaxMemo.h"

#include <memory>

namespace lrl::test {

// A viewer model as the main window sets it up for the project browser: bound to the shipped scheme,
// highlighting, print wrap and word selection on, seen by the browser through its adapter.
struct ShippedPascalViewer {
    ShippedPascalViewer()
        : parser(createShippedParser())
        , memo(*parser)
        , adapter(memo)
    {
        TSyntaxMemoOptions options;
        options.insert(smoSyntaxHighlight);
        options.insert(smoPrintWrap);
        options.insert(smoWordSelect);
        memo.setOptions(options);
    }
    std::unique_ptr<TSyntaxMemoParser> parser;
    TCustomSyntaxMemo memo;
    SyntaxMemoBrowserViewer adapter;
};

} // namespace lrl::test
