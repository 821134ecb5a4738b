#include "options/StyleElements.h"

namespace lrl::StyleElements {

std::vector<Element> list(const TSM_Settings& settings)
{
    std::vector<Element> elements;
    for (const TSM_EditableStyle& style : settings.editableStyles) {
        if (style.name.empty())
            break;
        elements.push_back({ style.name, style.effect });
    }
    elements.push_back({ "Selected text", kSelectedText });
    elements.push_back({ "Left margin", kLeftMargin });
    elements.push_back({ "Gutter", kGutter });
    return elements;
}

bool isStyle(int number) { return number >= 0 && number <= 255; }

View view(const TSM_Settings& s, int number)
{
    View v;
    if (isStyle(number)) {
        const TSM_Effect& e = s.effects[static_cast<size_t>(number)];
        v.attributesEnabled = true;
        v.style = e.style & (TSM_Effect::Bold | TSM_Effect::Italic | TSM_Effect::Underline);
        v.foreDefaultEnabled = v.backDefaultEnabled = true;
        v.foreDefault = e.foregroundDefault;
        v.backDefault = e.backgroundDefault;
        v.foreground = e.foreground;
        v.background = e.background;
    } else if (number == kSelectedText) {
        v.foreDefaultEnabled = v.backDefaultEnabled = true;
        v.foreDefault = s.selTextColorDefault;
        v.backDefault = s.selTextBackDefault;
        v.foreground = s.selTextColor;
        v.background = s.selTextBack;
    } else if (number == kLeftMargin || number == kGutter) {
        v.backDefaultEnabled = true;
        v.backDefault = number == kLeftMargin ? s.marginColorDefault : s.gutterColorDefault;
        v.background = number == kLeftMargin ? s.marginColor : s.gutterColor;
    } else {
        return v;
    }
    v.foregroundEnabled = v.foreDefaultEnabled && !v.foreDefault;
    v.backgroundEnabled = v.backDefaultEnabled && !v.backDefault;
    return v;
}

void setAttribute(TSM_Settings& s, int number, uint8_t bit, bool on)
{
    if (!isStyle(number))
        return;
    TSM_Effect& e = s.effects[static_cast<size_t>(number)];
    e.style = on ? static_cast<uint8_t>(e.style | bit) : static_cast<uint8_t>(e.style & ~bit);
    e.defined = true;
}

void setColors(TSM_Settings& s, int number, int32_t foreground, int32_t background)
{
    if (isStyle(number)) {
        TSM_Effect& e = s.effects[static_cast<size_t>(number)];
        if (!e.foregroundDefault)
            e.foreground = foreground;
        if (!e.backgroundDefault)
            e.background = background;
        e.defined = true;
    } else if (number == kSelectedText) {
        if (!s.selTextColorDefault)
            s.selTextColor = foreground;
        if (!s.selTextBackDefault)
            s.selTextBack = background;
    } else if (number == kLeftMargin) {
        if (!s.marginColorDefault)
            s.marginColor = background;
    } else if (number == kGutter) {
        if (!s.gutterColorDefault)
            s.gutterColor = background;
    }
}

void setUseDefault(TSM_Settings& s, int number, bool foreground, bool on)
{
    if (isStyle(number)) {
        TSM_Effect& e = s.effects[static_cast<size_t>(number)];
        (foreground ? e.foregroundDefault : e.backgroundDefault) = on;
        e.defined = true;
    } else if (number == kSelectedText) {
        (foreground ? s.selTextColorDefault : s.selTextBackDefault) = on;
    } else if (number == kLeftMargin && !foreground) {
        s.marginColorDefault = on;
    } else if (number == kGutter && !foreground) {
        s.gutterColorDefault = on;
    }
}

int styleOfToken(const TSM_Settings& s, uint8_t value)
{
    if (value == 0)
        return -1;
    if (value == 22)
        value = 53;
    return s.map[value];
}

} // namespace lrl::StyleElements
