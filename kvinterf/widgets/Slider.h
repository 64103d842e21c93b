#pragma once
// The platform's trackbar as a skin element, with a thumb of its own drawn through custom draw.
#include "kvinterf/widgets/SkinControl.h"

namespace KV {

constexpr unsigned long kSkinTypeSlider = 0x1A000000ul;

class KVINTERF_API CSlider : public CSkinControl
{
public:
    CSlider();
    ~CSlider() override;

    using CSkin::Create;
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;

    void SetRange(int minimum, int maximum);
    void SetPosition(int position);
    int GetPosition() const;
    void SetTicFreq(int frequency);
    void SetPageSize(int size);
    void SetSelect(int start, int end);
    // "Arial" of that height and weight (kept, not applied: the trackbar draws no text).
    int SetFont(int height, int weight);
    void SetTextColor(COLORREF, COLORREF = 0) {}

    // The custom-draw notification that the parent passes back to its control; stores the result
    // as a dialog parent's message result too.
    LRESULT ReflectedMessage(NMHDR* header);
    LRESULT OnNotify(int id, NMHDR* header) override;

    enum : COLORREF {
        kFrameColour = 0x505050,
        kFrameDisabledColour = 0xA0A0A0,
        kInnerFrameColour = 0xDCDCDC,
        kThumbColour = 0xFFFFFF,
    };
    enum : int { kDefaultHeight = 15 };

    // Paints the thumb in rect as the slider does.
    static void DrawThumb(HDC dc, const RECT& rect, bool enabled);
};

} // namespace KV
