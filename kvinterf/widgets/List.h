#pragma once
// A list view element (the system's report list) with a font of its own.
#include "kvinterf/skin/Skin.h"

namespace KV {

enum : unsigned long { kSkinTypeList = 0x10000000ul };

class KVINTERF_API CList : public CSkin
{
public:
    CList();
    ~CList() override;

    using CSkin::Create;
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    // "Arial" of that height and weight; 0 when no font could be made (the old one stays).
    int SetFont(int height, int weight);
    HFONT GetFont() const { return m_hFont; }
    void SetTextColor(COLORREF text, COLORREF background);
    // The system list paints itself.
    LRESULT MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    HFONT m_hFont;
};

} // namespace KV
