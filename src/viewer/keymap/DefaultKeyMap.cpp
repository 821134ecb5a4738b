#include "viewer/keymap/DefaultKeyMap.h"

#include "viewer/keymap/TEditorCommand.h"

#include <array>

namespace lrl {

namespace {

    constexpr std::array<const char*, kEditorCommandCount> kNames {
        "Cursor left",
        "Cursor right",
        "Line start",
        "Line end",
        "Up one line",
        "Down one line",
        "Up one page",
        "Down one page",
        "Move to word before",
        "Move to word after",
        "Document start",
        "Document end",
        "Cut to clipboard",
        "Copy to clipboard",
        "Paste from clipboard",
        "Delete character at cursor",
        "Delete character before caret",
        "Indent selected block",
        "Un-indent selected block",
        "Toggle insert/overwrite mode",
        "Set Bookmark 0",
        "Set Bookmark 1",
        "Set Bookmark 2",
        "Set Bookmark 3",
        "Set Bookmark 4",
        "Set Bookmark 5",
        "Set Bookmark 6",
        "Set Bookmark 7",
        "Set Bookmark 8",
        "Set Bookmark 9",
        "Goto Bookmark 0",
        "Goto Bookmark 1",
        "Goto Bookmark 2",
        "Goto Bookmark 3",
        "Goto Bookmark 4",
        "Goto Bookmark 5",
        "Goto Bookmark 6",
        "Goto Bookmark 7",
        "Goto Bookmark 8",
        "Goto Bookmark 9",
        "Delete current line",
        "Undo",
        "Redo",
        "Delete previous word",
        "Print selection",
        "Delete next word",
        "Scroll display up one line",
        "Scroll display down one line",
    };

    struct DefaultBinding {
        int32_t command;
        TShortCut first;
        TShortCut second;
    };

    constexpr TShortCut ctrl(TShortCut key) { return static_cast<TShortCut>(scCtrl | key); }

} // namespace

const char* editorCommandName(int32_t command)
{
    return command >= 0 && command < kEditorCommandCount ? kNames[static_cast<size_t>(command)] : "";
}

TKeyboardActionContoller buildDefaultKeyMap()
{
    TKeyboardActionContoller map;
    for (int32_t i = 0; i < kEditorCommandCount; ++i)
        map.setCommandName(i, kNames[static_cast<size_t>(i)]);

    const DefaultBinding bindings[] = {
        { caDELPREVWORD, ctrl(vk::Back), 0 },
        { caDELNEXTWORD, ctrl(vk::Delete), 0 },
        { caLEFT, vk::Left, 0 },
        { caRIGHT, vk::Right, 0 },
        { caLINEHOME, vk::Home, 0 },
        { caLINEEND, vk::End, 0 },
        { caUP, vk::Up, 0 },
        { caDOWN, vk::Down, 0 },
        { caPAGEUP, vk::Prior, 0 },
        { caPAGEDOWN, vk::Next, 0 },
        { caWORDLEFT, ctrl(vk::Left), 0 },
        { caWORDRIGHT, ctrl(vk::Right), 0 },
        { caDOCSTART, ctrl(vk::Home), 0 },
        { caDOCEND, ctrl(vk::End), 0 },
        { caCUT, ctrl('X'), 0 },
        { caCOPY, ctrl('C'), 0 },
        { caPASTE, ctrl('V'), 0 },
        { caDELETE, vk::Delete, 0 },
        { caBACKSPACE, vk::Back, 0 },
        { caBLOCKIND, ctrl('K'), 'I' },
        { caBLOCKUND, ctrl('K'), 'U' },
        { caINSTOGGLE, vk::Insert, 0 },
    };
    for (const DefaultBinding& b : bindings)
        map.addBinding(b.first, b.second, b.command);
    for (int32_t n = 0; n < 10; ++n)
        map.addBinding(ctrl('K'), static_cast<TShortCut>('0' + n), caSETBOOKMARK0 + n);
    for (int32_t n = 0; n < 10; ++n)
        map.addBinding(ctrl('Q'), static_cast<TShortCut>('0' + n), caGOTOBOOKMARK0 + n);
    map.addBinding(ctrl('Y'), 0, caDELETELINE);
    map.addBinding(ctrl('Z'), 0, caUNDO);
    map.addBinding(static_cast<TShortCut>(scShift | ctrl('Z')), 0, caREDO);
    map.addBinding(ctrl('K'), 'P', caPRINTSEL);
    map.addBinding(ctrl(vk::Up), 0, caSCROLLUP);
    map.addBinding(ctrl(vk::Down), 0, caSCROLLDOWN);
    return map;
}

const TKeyboardActionContoller& defaultKeyMap()
{
    static const TKeyboardActionContoller map = buildDefaultKeyMap();
    return map;
}

} // namespace lrl
