#pragma once
// A skin element with a child window that shows its bitmap in a shape cut from the bitmap and
// passes mouse clicks on to its parent.
#include "kvinterf/skin/Skin.h"

namespace KV {

class KVINTERF_API CStatic : public CSkin
{
public:
    CStatic();
    ~CStatic() override;

    using CSkin::Create;
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    int LoadBitmapW(const wchar_t* file, int pictures, int reload) override;
    int DrawItem(DRAWITEMSTRUCT* item) override;
    void Draw(HDC dc) override;

    LRESULT MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
    LRESULT OnLButtonDown(UINT flags, int x, int y) override;
    LRESULT OnLButtonDblClick(UINT flags, int x, int y) override;
    LRESULT OnEraseBkgnd(HDC dc) override;

    int IsPictureLoaded() const { return m_bLoaded; }

protected:
    // Sends msg to the parent with the point in the parent's client coordinates.
    void ForwardToParent(UINT msg, UINT flags, int x, int y);

    int m_bLoaded;
};

} // namespace KV
