#pragma once
// Lists shared by the options dialog and the wizard: languages, keyboard types and view types.
#include <windows.h>
#include <string>
#include <vector>

namespace KV {
class CIniTable;
}

// The program's folder with its final backslash: the folder of the program file, unless
// another was set.
std::wstring ProgramFolder();
// Makes the dialogs read their data from folder (with its final backslash); empty: the
// program's own again. For a program folder prepared elsewhere (tests, tools).
void SetProgramFolder(const std::wstring& folder);
// Text of a dialog control.
std::wstring ControlText(HWND dialog, int id);

// Fills a list box with the display names of the interface languages; returns their file
// names in list order and selects current.
std::vector<std::wstring> FillLanguages(HWND listBox, const wchar_t* current);
// Names of the keyboard files ("Type #1", ...) of the data folder.
std::vector<std::wstring> KeyboardTypes();
// Fills a drop-down list with the types as the language names them and selects current.
void FillKeyboardTypes(HWND comboBox, const std::vector<std::wstring>& types, const wchar_t* current,
                       const KV::CIniTable* lang);
// Fills a drop-down list with the two keyboard styles and selects view.
void FillKeyboardViews(HWND comboBox, unsigned short view, const KV::CIniTable* lang);
