#include "kvinterf/window/DialogLook.h"
#include <commctrl.h>
#include <cwchar>
#include <map>
#include <string>

namespace KV {

namespace {

DialogLook g_look = DefaultDialogLook();

// One font per text height, shared by every dialog for the life of the program.
HFONT LookFont(LONG height, LONG weight)
{
    static std::map<std::wstring, HFONT> fonts;
    const std::wstring key = std::wstring(g_look.face) + L"/" + std::to_wstring(height) + L"/" + std::to_wstring(weight);
    HFONT& font = fonts[key];
    if (!font)
        font = ::CreateFontW(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, CLEARTYPE_QUALITY, DEFAULT_PITCH | FF_SWISS, g_look.face);
    return font;
}

bool IsStandardControl(const wchar_t* cls)
{
    static const wchar_t* const kClasses[] = {L"Static",       L"Button",        L"Edit",
                                              L"ComboBox",     L"ListBox",       WC_LISTVIEWW,
                                              WC_TREEVIEWW,    L"msctls_trackbar32"};
    for (const wchar_t* name : kClasses)
        if (_wcsicmp(cls, name) == 0)
            return true;
    return false;
}

} // namespace

DialogLook DefaultDialogLook()
{
    DialogLook look = {RGB(241, 244, 248), RGB(40, 48, 60), RGB(255, 255, 255), RGB(64, 140, 230), L"Arial"};
    return look;
}

const DialogLook& GetDialogLook()
{
    return g_look;
}

void SetDialogLook(const DialogLook& look)
{
    g_look = look;
}

bool LoadDialogLook(const wchar_t* folder)
{
    DialogLook look = DefaultDialogLook();
    std::wstring path = folder ? folder : L"";
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/')
        path += L'\\';
    path += L"4001.bmp";
    HBITMAP picture =
        static_cast<HBITMAP>(::LoadImageW(nullptr, path.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    BITMAP info = {};
    const bool ok = picture && ::GetObjectW(picture, sizeof(info), &info) && info.bmWidth >= 4;
    if (ok)
    {
        HDC dc = ::CreateCompatibleDC(nullptr);
        HGDIOBJ old = ::SelectObject(dc, picture);
        look.background = ::GetPixel(dc, 0, 0);
        look.text = ::GetPixel(dc, 1, 0);
        look.field = ::GetPixel(dc, 2, 0);
        look.accent = ::GetPixel(dc, 3, 0);
        ::SelectObject(dc, old);
        ::DeleteDC(dc);
    }
    if (picture)
        ::DeleteObject(picture);
    g_look = look;
    return ok;
}

HFONT GetDialogLookFont(HWND dialog, LONG weight, int percent)
{
    HFONT dialogFont = dialog ? reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0)) : nullptr;
    LOGFONTW base = {};
    if (!dialogFont || !::GetObjectW(dialogFont, sizeof(base), &base) || !base.lfHeight)
        base.lfHeight = -11;
    return LookFont(::MulDiv(base.lfHeight, percent, 100), weight);
}

void ApplyDialogLook(HWND dialog)
{
    HFONT dialogFont = reinterpret_cast<HFONT>(::SendMessageW(dialog, WM_GETFONT, 0, 0));
    HFONT font = GetDialogLookFont(dialog);
    for (HWND child = ::GetWindow(dialog, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
    {
        wchar_t cls[64] = {0};
        ::GetClassNameW(child, cls, 64);
        if (!IsStandardControl(cls))
            continue;
        HFONT own = reinterpret_cast<HFONT>(::SendMessageW(child, WM_GETFONT, 0, 0));
        if (font && (!own || own == dialogFont))
            ::SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (_wcsicmp(cls, WC_LISTVIEWW) == 0)
        {
            ListView_SetBkColor(child, g_look.field);
            ListView_SetTextBkColor(child, g_look.field);
            ListView_SetTextColor(child, g_look.text);
        }
        else if (_wcsicmp(cls, WC_TREEVIEWW) == 0)
        {
            TreeView_SetBkColor(child, g_look.field);
            TreeView_SetTextColor(child, g_look.text);
        }
    }
}

} // namespace KV
