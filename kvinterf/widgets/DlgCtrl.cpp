#include "kvinterf/widgets/DlgCtrl.h"
#include <commdlg.h>
#include <shlobj.h>
#include <cwchar>
#include <vector>

namespace KV {

int GetEditText(HWND dialog, int controlId, CString& text)
{
    text = L"";
    HWND edit = dialog ? ::GetDlgItem(dialog, controlId) : nullptr;
    if (!edit)
        return 0;
    const int length = (int)::SendMessageW(edit, EM_LINELENGTH, 0, 0);
    if (length <= 0)
        return 0;
    // EM_GETLINE takes the buffer size in its first word.
    std::vector<wchar_t> buffer((size_t)length + 2, 0);
    buffer[0] = (wchar_t)(length + 1);
    const int copied = (int)::SendMessageW(edit, EM_GETLINE, 0, reinterpret_cast<LPARAM>(buffer.data()));
    buffer[copied >= 0 && copied <= length ? copied : 0] = 0;
    text = buffer.data();
    return (int)text.GetLength();
}

int AddIconToImageList(HIMAGELIST imageList, const wchar_t* path, int width, int height)
{
    if (!imageList)
        return 0;
    HICON icon = nullptr;
    if (path && *path)
        icon =
            reinterpret_cast<HICON>(::LoadImageW(nullptr, path, IMAGE_ICON, width, height, LR_LOADFROMFILE));
    bool shared = false;
    if (!icon)
    {
        // A missing or damaged avatar still takes its place in the list.
        icon = ::LoadIconW(nullptr, IDI_QUESTION);
        shared = true;
    }
    if (!icon)
        return 0;
    const int index = ::ImageList_AddIcon(imageList, icon);
    if (!shared)
        ::DestroyIcon(icon);
    return index >= 0 ? 1 : 0;
}

namespace {

int CALLBACK BrowseCallback(HWND hwnd, UINT msg, LPARAM, LPARAM data)
{
    if (msg == BFFM_INITIALIZED && data)
        ::SendMessageW(hwnd, BFFM_SETSELECTIONW, TRUE, data);
    return 0;
}

} // namespace

int PathBrowseDlg(HWND owner, UINT flags, const wchar_t* title, const wchar_t* startPath, wchar_t* path)
{
    if (!path)
        return 0;
    BROWSEINFOW info = {};
    info.hwndOwner = owner;
    info.pszDisplayName = path;
    info.lpszTitle = title;
    info.ulFlags = flags;
    if (startPath && *startPath)
    {
        info.lpfn = &BrowseCallback;
        info.lParam = reinterpret_cast<LPARAM>(startPath);
    }
    PIDLIST_ABSOLUTE list = ::SHBrowseForFolderW(&info);
    if (!list)
        return 0;
    const BOOL ok = ::SHGetPathFromIDListW(list, path);
    ::CoTaskMemFree(list);
    return ok ? 1 : 0;
}

const wchar_t* FileBrowseFilter(const wchar_t* kind)
{
    static const wchar_t kIco[] = L"Icon Files\0*.ico\0";
    static const wchar_t kTxt[] = L"Text Files\0*.txt\0";
    static const wchar_t kAll[] = L"All Files\0*\0";
    if (kind && ::CompareStringOrdinal(kind, -1, L"ico", -1, TRUE) == CSTR_EQUAL)
        return kIco;
    if (kind && ::CompareStringOrdinal(kind, -1, L"txt", -1, TRUE) == CSTR_EQUAL)
        return kTxt;
    return kAll;
}

int FileBrowseDlg(HWND owner, const wchar_t* initialFolder, wchar_t* path, const wchar_t* kind)
{
    if (!path)
        return 0;
    enum { kPathSize = 520 };
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = FileBrowseFilter(kind);
    ofn.lpstrFile = path;
    ofn.nMaxFile = kPathSize;
    ofn.lpstrInitialDir = initialFolder;
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    return ::GetOpenFileNameW(&ofn) ? 1 : 0;
}

int EnableDlgCtrl(HWND dialog, int controlId, int enable)
{
    HWND control = dialog ? ::GetDlgItem(dialog, controlId) : nullptr;
    if (!control)
        return 0;
    ::EnableWindow(control, enable ? TRUE : FALSE);
    return 1;
}

} // namespace KV
