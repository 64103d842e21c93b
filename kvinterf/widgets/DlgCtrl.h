#pragma once
// Helpers for the controls of dialog boxes: edit text, icons for image lists, the folder and
// file browsers, enabling controls. (Tree item helpers are in Tree.h.)
#include "kvinterf/kvinterf_api.h"
#include "kvstruct/core/CString.h"
#include <windows.h>
#include <commctrl.h>

namespace KV {

// Copies the first line of an edit control of a dialog into text; returns its length.
KVINTERF_API int GetEditText(HWND dialog, int controlId, CString& text);
// Appends the icon file at path, at that size, to the image list; the platform's question-mark
// icon stands in for a file that is missing or not an icon. 0 when no icon could be added.
KVINTERF_API int AddIconToImageList(HIMAGELIST imageList, const wchar_t* path, int width, int height);
// The folder browser; 1 and the chosen folder in path (MAX_PATH characters), else 0.
KVINTERF_API int PathBrowseDlg(HWND owner, UINT flags, const wchar_t* title, const wchar_t* startPath,
                               wchar_t* path);
// The open-file dialog; kind "All", "ico" or "txt" picks the filter. 1 and the chosen file in path
// (520 characters), else 0.
KVINTERF_API int FileBrowseDlg(HWND owner, const wchar_t* initialFolder, wchar_t* path, const wchar_t* kind);
// The filter text of FileBrowseDlg for kind: pairs of name and pattern, ended by an empty text.
KVINTERF_API const wchar_t* FileBrowseFilter(const wchar_t* kind);
KVINTERF_API int EnableDlgCtrl(HWND dialog, int controlId, int enable);

} // namespace KV
