#include "kvinterf/widgets/Link.h"
#include "kvstruct/kvstruct.h"
#include <commdlg.h>
#include <cwchar>

namespace KV {

namespace {

HFONT MakeArial(int height, BOOL underline)
{
    HFONT font = ::CreateFontW(height, 0, 0, 0, 0, 0, underline, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Arial");
    return font ? font : ::CreateFontW(height, 0, 0, 0, 0, 0, underline, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"");
}

int SystemOpenFile(HWND owner, const wchar_t* folder, const wchar_t* filter, wchar_t* path, DWORD size)
{
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter;
    ofn.lpstrFile = path;
    ofn.nMaxFile = size;
    ofn.lpstrInitialDir = (folder && folder[0]) ? folder : nullptr;
    ofn.Flags = OFN_PATHMUSTEXIST | OFN_FILEMUSTEXIST | OFN_HIDEREADONLY;
    return ::GetOpenFileNameW(&ofn) ? 1 : 0;
}

CFileLink::OpenFileHandler g_openFile = &SystemOpenFile;

} // namespace

CLink::CLink() : m_hFontCaption(MakeArial(20, FALSE)), m_hFontLink(MakeArial(20, TRUE)) {}

CLink::~CLink()
{
    DestroyWindow();
    if (m_hFontCaption)
        ::DeleteObject(m_hFontCaption);
    if (m_hFontLink)
        ::DeleteObject(m_hFontLink);
}

HWND CLink::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    if (m_hWnd || !parent)
        return nullptr;
    // Owner drawn: the system button must not paint its own face over the link.
    HWND hwnd = ::CreateWindowExW(0, L"button", L"", style | WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, rect.left,
                                  rect.top, rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>((UINT_PTR)id), instance, nullptr);
    if (hwnd)
        SetHandle(parent, hwnd);
    return hwnd;
}

void CLink::SetTextHeight(int height)
{
    if (m_hFontCaption)
        ::DeleteObject(m_hFontCaption);
    if (m_hFontLink)
        ::DeleteObject(m_hFontLink);
    m_hFontCaption = MakeArial(height, FALSE);
    m_hFontLink = MakeArial(height, TRUE);
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CLink::SetParamStr(const wchar_t* target, const wchar_t* linkText)
{
    m_strTarget = target ? target : L"";
    m_strText = linkText ? linkText : L"";
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

int CLink::DrawItem(DRAWITEMSTRUCT* item)
{
    if (!item || !item->hDC)
        return 1;
    HDC dc = item->hDC;
    const RECT& rc = item->rcItem;
    if (m_dib.IsLoad())
    {
        const int saved = ::SaveDC(dc);
        ClipToRegion(dc, m_hRgn, rc.left, rc.top);
        const CSize size = m_dib.GetSize();
        const int w = size.cx / (m_nPictures > 0 ? m_nPictures : 1);
        DrawBitmap(dc, RECT{rc.left, rc.top, rc.left + w, rc.top + size.cy}, 0);
        ::RestoreDC(dc, saved);
    }
    wchar_t caption[262];
    int length = m_hWnd ? ::GetWindowTextW(m_hWnd, caption, 260) : 0;
    ::SetBkMode(dc, TRANSPARENT);
    if (length > 0)
    {
        caption[length++] = L':';
        caption[length++] = L' ';
        caption[length] = 0;
        HGDIOBJ old = ::SelectObject(dc, m_hFontCaption);
        ::SetTextColor(dc, 0x141414);
        ::TextOutW(dc, rc.left + 10, rc.top, caption, length);
        ::SelectObject(dc, old);
    }
    const int linkLength = (int)std::wcslen(m_strText);
    if (linkLength > 0)
    {
        HGDIOBJ old = ::SelectObject(dc, m_hFontLink);
        ::SetTextColor(dc, kLinkColour);
        if (length > 0)
        {
            const UINT align = ::SetTextAlign(dc, TA_RIGHT | TA_TOP);
            ::TextOutW(dc, rc.right, rc.top, m_strText, linkLength);
            ::SetTextAlign(dc, align);
        }
        else
            ::TextOutW(dc, rc.left, rc.top, m_strText, linkLength);
        ::SelectObject(dc, old);
    }
    return 1;
}

void CLink::Draw(HDC dc)
{
    DrawThroughItem(dc, ODT_BUTTON);
}

LRESULT CLink::MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_SETTEXT || msg == WM_ENABLE)
    {
        LRESULT result = ::DefWindowProcW(hwnd, msg, wParam, lParam);
        m_bPassedOn = true;
        ::InvalidateRect(hwnd, nullptr, FALSE);
        return result;
    }
    return CSkin::MessageLoop(hwnd, msg, wParam, lParam);
}

LRESULT CLink::OnEraseBkgnd(HDC)
{
    return 1;
}

LRESULT CLink::OnMouseMove(UINT, int, int)
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return 0;
}

LRESULT CLink::OnSetCursor(HWND, UINT, UINT)
{
    ::SetCursor(::LoadCursorW(nullptr, IDC_HAND));
    return 1;
}

// ---------------------------------------------------------------------------------------------

LRESULT CHyperLink::OnLButtonDown(UINT, int, int)
{
    if (m_strTarget.GetW()[0])
        ShellExec(m_strTarget);
    return 0;
}

// ---------------------------------------------------------------------------------------------

CFileLink::OpenFileHandler CFileLink::SetOpenFileHandler(OpenFileHandler handler)
{
    OpenFileHandler old = g_openFile;
    g_openFile = handler ? handler : &SystemOpenFile;
    return old;
}

CFileLink::CFileLink() : m_strFilter(L"All")
{
    m_szPath[0] = 0;
}

void CFileLink::SetFilterExtention(const wchar_t* kind)
{
    m_strFilter = (kind && std::wcscmp(kind, L"ico") == 0) ? L"ico" : L"All";
}

const wchar_t* CFileLink::GetSelectedName() const
{
    const wchar_t* name = m_szPath;
    for (const wchar_t* p = m_szPath; *p; ++p)
        if (*p == L'\\' || *p == L'/' || *p == L':')
            name = p + 1;
    return name;
}

LRESULT CFileLink::OnLButtonDown(UINT, int, int)
{
    m_szPath[0] = 0;
    // Filter pairs end with an empty string (two zeros).
    static const wchar_t kAll[] = L"All Files\0*\0";
    static const wchar_t kIco[] = L"Icon Files\0*.ico\0";
    const bool ico = std::wcscmp(m_strFilter, L"ico") == 0;
    wchar_t path[kPathSize] = L"";
    HWND owner = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (g_openFile(owner, m_strTarget, ico ? kIco : kAll, path, kPathSize))
    {
        path[kPathSize - 1] = 0;
        std::wcscpy(m_szPath, path);
    }
    return 0;
}

// ---------------------------------------------------------------------------------------------

CFileLinkIco::CFileLinkIco() : m_hIconWnd(nullptr), m_hIcon(nullptr) {}

CFileLinkIco::~CFileLinkIco()
{
    if (m_hIconWnd && ::IsWindow(m_hIconWnd) &&
        reinterpret_cast<HICON>(::SendMessageW(m_hIconWnd, STM_GETICON, 0, 0)) == m_hIcon)
        ::SendMessageW(m_hIconWnd, STM_SETICON, 0, 0);
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
}

LRESULT CFileLinkIco::OnLButtonDown(UINT flags, int x, int y)
{
    CFileLink::OnLButtonDown(flags, x, y);
    if (!IsSelectedPath() || !m_hIconWnd)
        return 0;
    HICON icon = static_cast<HICON>(::LoadImageW(nullptr, m_szPath, IMAGE_ICON, 32, 32, LR_LOADFROMFILE));
    if (!icon)
        return 0; // not an icon: the shown one stays
    ::SendMessageW(m_hIconWnd, STM_SETICON, reinterpret_cast<WPARAM>(icon), 0);
    if (m_hIcon)
        ::DestroyIcon(m_hIcon);
    m_hIcon = icon;
    return 0;
}

} // namespace KV
