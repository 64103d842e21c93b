#pragma once
// Writes what a table shows to a CSV file that spreadsheet programs open as it is: UTF-8 with
// a byte-order mark, the header row first, fields quoted where needed, CR LF line ends.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvinterf/widgets/Table.h"
#include <windows.h>
#include <string>

namespace KV {

// One field, quoted when it holds a comma, a quote, a line break or edge spaces.
KVFWCTRL_API std::string CsvField(const std::wstring& text);
// The bytes of the whole file.
KVFWCTRL_API std::string FormatTableCSV(const CTableChart& table);
// Writes the file through a temporary; false (target untouched) on any failure.
KVFWCTRL_API bool ExportTableCSV(const CTableChart& table, const wchar_t* path);

// Asks for the file to write; false when the user cancels. Tests put their own in place.
typedef bool (*SaveFileAsk)(HWND owner, const wchar_t* suggestedName, std::wstring& path);
KVFWCTRL_API SaveFileAsk SetSaveFileAsk(SaveFileAsk ask);
KVFWCTRL_API bool AskSaveFile(HWND owner, const wchar_t* suggestedName, std::wstring& path);

} // namespace KV
