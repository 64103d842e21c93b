#pragma once
// The bar between two side-by-side areas of a skinned window. Its place is kept as a share of the
// parent's width; dragging it moves it and its neighbours follow through their associations.
#include "kvinterf/skin/Skin.h"

namespace KV {

enum : unsigned long { kSkinTypeSplitter = 0x06000000ul };

class KVINTERF_API CSplitter : public CSkin
{
public:
    CSplitter();
    ~CSplitter() override;

    using CSkin::Create;
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    int LoadBitmapW(const wchar_t* file, int pictures, int reload) override;
    void Draw(HDC dc) override;
    LRESULT OnEraseBkgnd(HDC dc) override;

    void SetPos(unsigned long percent) { m_nPos = percent; }
    unsigned long GetPos() const { return m_nPos; }
    // Re-places the splitter at its share of the parent's width, without redrawing.
    void UpdatePos();
    // Places the splitter at its share of the parent's width (unless a drag is applying).
    void MoveSkin(const RECT* rect = nullptr) override;
    // A parent resize: the splitter keeps its share of the new width.
    void Resize(const CSize& delta, CRect* rect, int notify) override;

    LRESULT OnLButtonDown(UINT flags, int x, int y) override;
    LRESULT OnMouseMove(UINT flags, int x, int y) override;
    LRESULT OnLButtonUp(UINT flags, int x, int y) override;

protected:
    int ParentWidth() const;
    // x of the splitter for width w of the parent; may correct the position to the limits.
    int PlaceX(int w);

    CPoint m_ptLast;
    int m_nRight;
    int m_nBottom;
    unsigned long m_nPos;
    int m_bDragging;
};

} // namespace KV
