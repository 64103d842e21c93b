#pragma once
// A skin element that is one of the platform's own controls: the control paints itself and
// handles its input; the element places it, owns its font and hands its notifications on.
#include "kvinterf/skin/Skin.h"

namespace KV {

class KVINTERF_API CSkinControl : public CSkin
{
public:
    CSkinControl();
    ~CSkinControl() override;

    LRESULT MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

    HFONT GetFont() const { return m_hFont; }
    // "Arial" of that height and weight (a font with an empty face name when "Arial" cannot be
    // made); nullptr when no font could be made at all.
    static HFONT MakeArial(int height, int weight);

protected:
    // Takes ownership of font (the old one is freed); applies it to the control when asked.
    // 0 for a null font (nothing changes).
    int ReplaceFont(HFONT font, int apply);
    // Makes "Arial" of that height when no font is set; applies the font when asked.
    void UseDefaultFont(int height, int apply);
    // Sends a notification on to the parent window with its code as the message number.
    LRESULT ForwardNotify(int id, NMHDR* header);
    // Creates the control as a child of parent and binds it to this element.
    HWND CreateControl(DWORD exStyle, const wchar_t* className, DWORD style, int x, int y, int w, int h,
                       HWND parent, UINT id, HINSTANCE instance);

    HFONT m_hFont;
};

} // namespace KV
