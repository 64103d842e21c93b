#pragma once
// An owner-drawn push button painted from five pictures of one skin bitmap (focus mark, normal,
// pressed or checked, mouse over, hidden), clickable only inside the shape cut from the bitmap.
#include "kvinterf/skin/Skin.h"
#include <vector>

namespace KV {

class KVINTERF_API CButton : public CSkin
{
public:
    // State flags.
    enum : unsigned long {
        kFocused = 0x10,
        kHover = 0x100,
        kChecked = 0x1000,
        kPush = 0x10000,
        kHidden = 0x10000000,
    };
    // Picture indexes of the bitmap.
    enum { kPicFocus = 0, kPicNormal = 1, kPicPressed = 2, kPicHover = 3, kPicHidden = 4 };
    enum : COLORREF { kDisabledColour = 0x969696 };

    CButton();
    ~CButton() override;

    // A visible button child of parent at place (x, y, width, height) with its five pictures
    // loaded from pictureFile; nullptr (nothing left behind) when either fails.
    static CButton* Make(HWND parent, DWORD style, const CRect& place, unsigned long skinStyle, UINT id,
                         const wchar_t* pictureFile);
    // The first button of a row with that control ID, and the width of the row.
    static CButton* Find(const std::vector<CButton*>& row, unsigned short id);
    static int RowWidth(const std::vector<CButton*>& row);

    using CSkin::Create;
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    int LoadBitmapW(const wchar_t* file, int pictures, int reload) override;
    int SetCheck(int check);
    // Hiding keeps the window on screen, disabled, showing the hidden picture.
    int ShowWindow(int show) override;
    HWND SetFocus() override;
    void SetTextColor(COLORREF colour, COLORREF second = 0);
    void SetAlignY(int offset) { m_nAlignY = offset; }
    void SetEnableLangChange(int flag) { m_bLangChange = flag; }
    // A window told of clicks besides the parent (the strip that owns a tab).
    void SetNotify(CMessageWnd* target) { m_pNotify = target; }

    unsigned long GetFlag(unsigned long mask) const { return m_nFlags & mask; }
    unsigned long GetCheck() const { return m_nFlags & 0xF000; }
    HRGN GetShape() const { return m_hShape; }
    HFONT GetFont() const { return m_hFont; }
    // Whether a client point lies in the clickable shape (the whole rectangle without one).
    bool HitShape(int x, int y) const;
    // The picture shown for a drawing action of the system.
    int PictureFor(UINT action, UINT state) const;

    int DrawItem(DRAWITEMSTRUCT* item) override;
    void Draw(HDC dc) override;

    LRESULT MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnMouseMove(UINT flags, int x, int y) override;
    LRESULT OnMouseLeave() override;
    LRESULT OnLButtonDown(UINT flags, int x, int y) override;
    LRESULT OnLButtonUp(UINT flags, int x, int y) override;
    LRESULT OnSetFocus(HWND previous) override;
    LRESULT OnKillFocus(HWND next) override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnInputLangChange(WPARAM charset, LPARAM layout) override;

protected:
    void Repaint(bool now);
    void LeaveHover();

    HRGN m_hShape;
    HFONT m_hFont;
    COLORREF m_crText;
    unsigned long m_nFlags;
    int m_bLangChange;
    int m_nAlignY;
    HBITMAP m_hFocusPic; // the focus mark, blitted with magenta as the see-through colour
    CMessageWnd* m_pNotify;
    bool m_bTracking;
    bool m_bDown;
};

} // namespace KV
