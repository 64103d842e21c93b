#pragma once
// The main window's accelerator tables and the tooltips of its buttons, with the hot keys the
// tooltips show.
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace KV {
class CIniTable;
class CListParam;
} // namespace KV

// Main window: pages, lesson, keyboard panel, dialogs, tray.
std::vector<ACCEL> MainAccelerators();
// Lesson tree: new, delete, switch to the editor, activate, insert.
std::vector<ACCEL> LessonTreeAccelerators();
// Lesson editor: save, switch to the tree, insert.
std::vector<ACCEL> LessonViewAccelerators();
// Graph: Ctrl+1, Ctrl+2, ... for each score column that is shown, has a picture and has a
// check box in the graph's panel (hasCheckBox(id)), at most ten (the tenth is Ctrl+0); then
// delete, diagram and point navigation and select all.
std::vector<ACCEL> GraphAccelerators(const KV::CListParam& scoreColumns,
                                     const std::function<bool(unsigned long id)>& hasCheckBox);

// The language key of a button's tooltip and the hot key it shows (nullptr for none).
struct ButtonTip
{
    unsigned short id;
    const wchar_t* key;
    const wchar_t* hotKey;
};

// The tip of a main-window or view button; nullptr for a button without one. The delete button
// 751 is the lesson tree's unless graph is set.
const ButtonTip* FindButtonTip(unsigned short id, bool graph = false);
// The text shown: the language text of the key, followed by " (" hot key ")" when there is one.
std::wstring TipText(const KV::CIniTable* lang, const ButtonTip& tip);
// A graph check box: the column's own tip and its accelerator ("Ctrl+1"), when it has one.
std::wstring GraphColumnTipText(const KV::CIniTable* lang, const wchar_t* columnTipKey, int keyIndex);
