#include "kvinterf/widgets/RichEdit.h"
#include <cwchar>

namespace KV {

CRichEdit::CRichEdit() {}

CRichEdit::~CRichEdit() {}

HWND CRichEdit::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT&, UINT id)
{
    return CreateControl(WS_EX_CLIENTEDGE | WS_EX_NOPARENTNOTIFY, L"RichEdit20W", style | 0x50200004, 0, 0, 0,
                         0, parent, id, instance);
}

int CRichEdit::SetText(const wchar_t* text)
{
    if (!m_hWnd)
        return 0;
    SetMaskEvent(ENM_UPDATE);
    ::SendMessageW(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L""));
    const int result =
        (int)::SendMessageW(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text ? text : L""));
    SetMaskEvent(ENM_CHANGE);
    return result;
}

int CRichEdit::SetTextEx(const wchar_t* text, DWORD flags, UINT codePage)
{
    if (!m_hWnd)
        return 0;
    SETTEXTEX set = {flags, codePage};
    return (int)::SendMessageW(m_hWnd, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set),
                               reinterpret_cast<LPARAM>(text ? text : L""));
}

int CRichEdit::SetTextEx(const char* text, DWORD flags, UINT codePage)
{
    if (!m_hWnd)
        return 0;
    SETTEXTEX set = {flags, codePage};
    return (int)::SendMessageW(m_hWnd, EM_SETTEXTEX, reinterpret_cast<WPARAM>(&set),
                               reinterpret_cast<LPARAM>(text ? text : ""));
}

int CRichEdit::GetTextLength() const
{
    if (!m_hWnd)
        return 0;
    GETTEXTLENGTHEX query = {GTL_USECRLF | GTL_PRECISE | GTL_NUMCHARS, 1200};
    const LRESULT n = ::SendMessageW(m_hWnd, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&query), 0);
    return n > 0 ? (int)n : 0;
}

int CRichEdit::GetText(wchar_t* buffer, int size) const
{
    if (!buffer || size <= 0)
        return 0;
    buffer[0] = 0;
    if (!m_hWnd)
        return 0;
    GETTEXTEX get = {};
    get.cb = (DWORD)size * sizeof(wchar_t);
    get.flags = GT_USECRLF;
    get.codepage = 1200;
    const LRESULT n = ::SendMessageW(m_hWnd, EM_GETTEXTEX, reinterpret_cast<WPARAM>(&get),
                                     reinterpret_cast<LPARAM>(buffer));
    buffer[size - 1] = 0;
    return n > 0 && n < size ? (int)n : (int)std::wcslen(buffer);
}

void CRichEdit::SetSelect(long start, long end)
{
    if (m_hWnd)
        ::SendMessageW(m_hWnd, EM_SETSEL, (WPARAM)start, (LPARAM)end);
}

void CRichEdit::HideSelection(int hide)
{
    if (m_hWnd)
        ::SendMessageW(m_hWnd, EM_HIDESELECTION, hide ? TRUE : FALSE, 0);
}

int CRichEdit::SetTextMode(int mode)
{
    return m_hWnd ? (int)::SendMessageW(m_hWnd, EM_SETTEXTMODE, (WPARAM)mode, 0) : -1;
}

LRESULT CRichEdit::SetOptions(int operation, DWORD options)
{
    return m_hWnd ? ::SendMessageW(m_hWnd, EM_SETOPTIONS, (WPARAM)operation, (LPARAM)options) : 0;
}

COLORREF CRichEdit::SetBkgColor(COLORREF colour)
{
    return m_hWnd ? (COLORREF)::SendMessageW(m_hWnd, EM_SETBKGNDCOLOR, 0, (LPARAM)colour) : 0;
}

DWORD CRichEdit::SetMaskEvent(DWORD mask)
{
    return m_hWnd ? (DWORD)::SendMessageW(m_hWnd, EM_SETEVENTMASK, 0, (LPARAM)mask) : 0;
}

void CRichEdit::SetScrool()
{
    if (m_hWnd)
        ::SendMessageW(m_hWnd, EM_SCROLL, SB_LINEDOWN, 0);
}

int CRichEdit::SetDefaultCharFormat(UINT which, DWORD mask, DWORD effects, LONG height, const wchar_t* face,
                                    LONG offset, COLORREF colour)
{
    if (!m_hWnd)
        return 0;
    CHARFORMAT2W format = {};
    format.cbSize = sizeof(format);
    format.dwMask = mask;
    format.dwEffects = effects;
    format.yHeight = height;
    format.yOffset = offset;
    format.crTextColor = colour;
    if (face)
        std::wcsncpy(format.szFaceName, face, LF_FACESIZE - 1);
    else
        format.dwMask &= ~(DWORD)CFM_FACE;
    return (int)::SendMessageW(m_hWnd, EM_SETCHARFORMAT, which, reinterpret_cast<LPARAM>(&format));
}

int CRichEdit::SetFont(const LOGFONTW* font)
{
    return font ? ReplaceFont(::CreateFontIndirectW(font), 1) : 0;
}

LRESULT CRichEdit::OnNotify(int id, NMHDR* header)
{
    return ForwardNotify(id, header);
}

} // namespace KV
