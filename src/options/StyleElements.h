#pragma once

#include "scheme/TSM_Settings.h"

#include <cstdint>
#include <string>
#include <vector>

namespace lrl {

// The elements the highlighting page edits on a settings object: the scheme's editable styles (each
// numbered by the style it edits) and three fixed elements of the viewer, "Selected text", "Left margin"
// and "Gutter". Plain logic, so that what each control shows and what each edit changes is tested
// without widgets.
namespace StyleElements {

constexpr int kSelectedText = 16384;
constexpr int kLeftMargin = 16385;
constexpr int kGutter = 16386;

struct Element {
    std::string name;
    int number = 0; // a style index 0..255, or one of the three fixed numbers

    bool operator==(const Element&) const = default;
};

// The editable styles from slot 1 up to the first slot without a name, then the three fixed ones.
std::vector<Element> list(const TSM_Settings& settings);

bool isStyle(int number);

// What the controls show for an element.
struct View {
    bool attributesEnabled = false;
    uint8_t style = 0; // bold 1, italic 2, underline 4
    bool foreDefaultEnabled = false;
    bool foreDefault = false;
    bool backDefaultEnabled = false;
    bool backDefault = false;
    bool foregroundEnabled = false;
    int32_t foreground = 0;
    bool backgroundEnabled = false;
    int32_t background = 0;

    bool operator==(const View&) const = default;
};
View view(const TSM_Settings& settings, int number);

// An attribute box: sets or clears the style's bit and marks the style changed. Only styles have
// attributes; other elements are left alone.
void setAttribute(TSM_Settings& settings, int number, uint8_t bit, bool on);
// A colour button's change: the element takes the colours its use-default flags let it take.
void setColors(TSM_Settings& settings, int number, int32_t foreground, int32_t background);
// A use-default box: foreground (tag 1) or background (tag 0).
void setUseDefault(TSM_Settings& settings, int number, bool foreground, bool on);

// The style index shown by a token value, or -1 for none (token value 0). 22 is taken as 53.
int styleOfToken(const TSM_Settings& settings, uint8_t value);

} // namespace StyleElements

} // namespace lrl
