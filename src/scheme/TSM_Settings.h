#pragma once

#include "scheme/TAutoReplace.h"
#include "scheme/TKeywordDefinitions.h"
#include "scheme/TMacroKeywords.h"
#include "scheme/TSM_Effect.h"
#include "viewer/keymap/TKeyboardActionContoller.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace lrl {

// A style the options dialog lets the user edit: its name and the effect it edits.
struct TSM_EditableStyle {
    std::string name;
    uint8_t effect = 0;

    bool operator==(const TSM_EditableStyle&) const = default;
};

struct TSM_Font {
    std::string name;
    int32_t size = 0;
    uint8_t charSet = 0;

    bool operator==(const TSM_Font&) const = default;
};

struct TSM_GutterFont {
    std::string name;
    int32_t size = 0;
    uint8_t charSet = 0;
    int32_t color = 0;
    uint8_t style = 0; // TSM_Effect::Style bits

    bool operator==(const TSM_GutterFont&) const = default;
};

// The settings half of a compiled scheme, which a viewer takes over and the options dialog edits: texts,
// option bits, geometry, colours, tab stops, the 256 effects and the token-value-to-effect map, editable
// styles, fonts, keyword tables, auto-replace list, code templates and key map. A value type: the options
// dialog works on a copy.
struct TSM_Settings {
    static constexpr int kEditableStyles = 25;
    static constexpr int kMaxKeywordTables = 20;
    static constexpr int kTabColumns = 32;
    static constexpr size_t kMaxLanguageName = 35;
    static constexpr size_t kMaxWrapOverride = 35;
    static constexpr size_t kMaxStyleName = 25;

    // The viewer's option bits that a new component starts with.
    static constexpr uint32_t kDefaultOptions = 67099632;

    // System colours (negative colour values) the defaults refer to.
    static constexpr int32_t clWindowText = static_cast<int32_t>(0x80000008u);
    static constexpr int32_t clHighlight = static_cast<int32_t>(0x8000000Du);
    static constexpr int32_t clHighlightText = static_cast<int32_t>(0x8000000Eu);
    static constexpr int32_t clBtnFace = static_cast<int32_t>(0x8000000Fu);

    std::string exampleText;
    std::string languageName;
    std::string wrapOverride = ">|:";
    uint32_t options = kDefaultOptions;
    int32_t marginWidth = 2;
    int32_t rightMargin = 80;
    int32_t wrapAtColumn = 0;
    int32_t gutterWidth = 34;
    int32_t indentStep = 1;
    int32_t marginColor = 0xFFFFFF;
    int32_t gutterColor = clBtnFace;
    int32_t selTextColor = clHighlightText;
    int32_t selTextBack = clHighlight;
    bool marginColorDefault = false;
    bool selTextColorDefault = false;
    bool selTextBackDefault = false;
    bool gutterColorDefault = false;
    int32_t tabDefault = 4;

    std::array<TSM_Effect, 256> effects {};
    // Effect number of each token value; 0 = none (the default style).
    std::array<uint8_t, 256> map {};
    // Slots 1..25 of the editable styles; a slot with an empty name is free.
    std::array<TSM_EditableStyle, kEditableStyles> editableStyles {};

    // The viewer's tab stops as stored: 32 little-endian 32-bit columns, 0-based, ascending, empty
    // slots -1. tabColumn() and setTabColumn() read and write one of them.
    std::array<uint8_t, kTabColumns * 4> tabColumns;

    TSM_Font font { "Courier New", 10, 1 };
    std::vector<TKeywordDefinitions> keywordTables;
    TAutoReplace autoReplace;
    TMacroKeywords templates;
    TKeyboardActionContoller keys;
    TSM_GutterFont gutterFont { "MS Sans Serif", 8, 1, clWindowText, 0 };

    TSM_Settings() { tabColumns.fill(0xFF); }

    int32_t tabColumn(int i) const;
    void setTabColumn(int i, int32_t column);

    // The number of editable-style slots to store: up to the last slot with a name.
    int editableStyleCount() const;
    // The first free slot (0-based), or -1 when all 25 are taken.
    int firstFreeEditableStyle() const;

    bool operator==(const TSM_Settings& o) const;
};

} // namespace lrl
