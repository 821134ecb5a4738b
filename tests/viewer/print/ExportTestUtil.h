#pragma once

#include "scheme/TSM_Settings.h"
#include "viewer/TCustomSyntaxMemo.h"
#include "viewer/ViewerTestUtil.h"
#include "viewer/print/TExportEnvironment.h"

#include <string>

namespace lrl::test {

// Styles for the exporter tests: 1 bold red text, 2 italic blue on yellow, 3 underlined in the default
// colours; token value v shows in style v for 1 ... 3. Style 0 is black on white.
inline TSM_Settings exportSettings()
{
    TSM_Settings s;
    s.effects[0] = { 0, 0x000000, 0xFFFFFF, false, false, false, true };
    s.effects[1] = { TSM_Effect::Bold, 0x0000FF, 0xFFFFFF, false, false, false, true };
    s.effects[2] = { TSM_Effect::Italic, 0xFF0000, 0x00FFFF, false, false, false, true };
    s.effects[3] = { TSM_Effect::Underline, 0, 0, true, true, false, true };
    for (int v = 1; v <= 3; ++v)
        s.map[static_cast<size_t>(v)] = static_cast<uint8_t>(v);
    return s;
}

// A fixed date, so that the HTML head can be compared as a whole.
inline TExportEnvironment fixedEnvironment()
{
    TExportEnvironment env;
    env.shortDate = [] { return std::string("08/12/2026"); };
    return env;
}

// Loads the text and gives its characters the token values written as digits in `values` (one per
// stored character, line ends as single CRs; a blank stands for 0).
inline void loadStyled(TCustomSyntaxMemo& memo, const std::string& text, const std::string& values)
{
    loadBytes(memo, text);
    std::string bytes;
    for (char c : values)
        bytes += static_cast<char>(c == ' ' ? 0 : c - '0');
    memo.setLineAttrs(
        0, memo.textStore().lineCount() - 1, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size());
}

} // namespace lrl::test
