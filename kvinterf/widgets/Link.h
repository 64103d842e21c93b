#pragma once
// Links: a caption and an underlined blue link text; a web or document link opens its target,
// a file link lets the user pick a file (and an icon link shows the icon picked).
#include "kvinterf/skin/Skin.h"
#include "kvstruct/core/CString.h"

namespace KV {

enum : unsigned long { kSkinTypeHyperLink = 0x0E000000ul };

class KVINTERF_API CLink : public CSkin
{
public:
    enum : COLORREF { kLinkColour = 0x00FF0000 };

    CLink();
    ~CLink() override;

    using CSkin::Create;
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    void SetParamStr(const wchar_t* target, const wchar_t* linkText);
    // Caption and link in Arial of height (as CreateFont takes it; 20 by default).
    void SetTextHeight(int height);
    const wchar_t* GetTarget() const { return m_strTarget; }
    const wchar_t* GetLinkText() const { return m_strText; }

    int DrawItem(DRAWITEMSTRUCT* item) override;
    void Draw(HDC dc) override;
    LRESULT MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnMouseMove(UINT flags, int x, int y) override;
    LRESULT OnSetCursor(HWND hwnd, UINT hitTest, UINT mouseMsg) override;

protected:
    CString m_strTarget;
    CString m_strText;
    HFONT m_hFontCaption;
    HFONT m_hFontLink;
};

class KVINTERF_API CHyperLink : public CLink
{
public:
    LRESULT OnLButtonDown(UINT flags, int x, int y) override;
};

class KVINTERF_API CFileLink : public CLink
{
public:
    // The file dialog; tests replace it. Returns 1 with the chosen path in path (size characters).
    typedef int (*OpenFileHandler)(HWND owner, const wchar_t* folder, const wchar_t* filter, wchar_t* path,
                                   DWORD size);
    static OpenFileHandler SetOpenFileHandler(OpenFileHandler handler);

    CFileLink();
    // "All" or "ico".
    void SetFilterExtention(const wchar_t* kind);
    const wchar_t* GetFilterExtention() const { return m_strFilter; }
    int IsSelectedPath() const { return m_szPath[0] ? 1 : 0; }
    const wchar_t* GetSelectedPath() const { return m_szPath; }
    const wchar_t* GetSelectedName() const;

    LRESULT OnLButtonDown(UINT flags, int x, int y) override;

    enum { kPathSize = 520 };

protected:
    CString m_strFilter;
    wchar_t m_szPath[kPathSize];
};

class KVINTERF_API CFileLinkIco : public CFileLink
{
public:
    CFileLinkIco();
    ~CFileLinkIco() override;
    void SetStaticIcon(HWND icon) { m_hIconWnd = icon; }
    LRESULT OnLButtonDown(UINT flags, int x, int y) override;

protected:
    HWND m_hIconWnd;
    HICON m_hIcon;
};

} // namespace KV
