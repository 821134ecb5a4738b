#include "scheme/TSM_Settings.h"

namespace lrl {

int32_t TSM_Settings::tabColumn(int i) const
{
    auto at = static_cast<size_t>(i) * 4;
    uint32_t v = 0;
    for (size_t b = 0; b < 4; ++b)
        v |= static_cast<uint32_t>(tabColumns[at + b]) << (8 * b);
    return static_cast<int32_t>(v);
}

void TSM_Settings::setTabColumn(int i, int32_t column)
{
    auto at = static_cast<size_t>(i) * 4;
    auto v = static_cast<uint32_t>(column);
    for (size_t b = 0; b < 4; ++b)
        tabColumns[at + b] = static_cast<uint8_t>(v >> (8 * b));
}

int TSM_Settings::editableStyleCount() const
{
    for (int i = kEditableStyles; i > 0; --i)
        if (!editableStyles[static_cast<size_t>(i - 1)].name.empty())
            return i;
    return 0;
}

int TSM_Settings::firstFreeEditableStyle() const
{
    for (int i = 0; i < kEditableStyles; ++i)
        if (editableStyles[static_cast<size_t>(i)].name.empty())
            return i;
    return -1;
}

bool TSM_Settings::operator==(const TSM_Settings& o) const
{
    return exampleText == o.exampleText && languageName == o.languageName && wrapOverride == o.wrapOverride
        && options == o.options && marginWidth == o.marginWidth && rightMargin == o.rightMargin
        && wrapAtColumn == o.wrapAtColumn && gutterWidth == o.gutterWidth && indentStep == o.indentStep
        && marginColor == o.marginColor && gutterColor == o.gutterColor && selTextColor == o.selTextColor
        && selTextBack == o.selTextBack && marginColorDefault == o.marginColorDefault
        && selTextColorDefault == o.selTextColorDefault && selTextBackDefault == o.selTextBackDefault
        && gutterColorDefault == o.gutterColorDefault && tabDefault == o.tabDefault && effects == o.effects
        && map == o.map && editableStyles == o.editableStyles && tabColumns == o.tabColumns && font == o.font
        && keywordTables == o.keywordTables && autoReplace == o.autoReplace && templates == o.templates
        && keys == o.keys && gutterFont == o.gutterFont;
}

} // namespace lrl
