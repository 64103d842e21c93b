#pragma once
// A skinned bar that counts steps towards a length: the lesson, error and rhythm bars of the
// typing page. The frame comes from a bitmap cut in 3, 4 or 5 slices; the fill is a solid
// colour over the four-slice frame's inner rectangle.
#include "kvinterf/skin/Skin.h"

namespace KV {

// The fill's direction: grows from the left, or starts full and shrinks to the left.
enum SP_DIRECTION { SP_LEFT_TO_RIGHT = 0, SP_REVERSED = 1 };

class KVINTERF_API CProgress : public CSkin
{
public:
    CProgress(SP_DIRECTION direction = SP_LEFT_TO_RIGHT, int percentage = 0, int showFirstStep = 0);
    ~CProgress() override;

    using CSkin::Create;
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    // The second argument is the slice style (3, 4 or 5); 0 refuses the bitmap.
    int LoadBitmapW(const wchar_t* file, int sliceStyle, int reload) override;
    void Draw(HDC dc) override;
    LRESULT OnEraseBkgnd(HDC dc) override;

    void SetLength(unsigned short length);
    void AddLength() { ++m_nLength; }
    unsigned short GetLength() const { return m_nLength; }
    void AddStep();
    void AddStep(unsigned short steps);
    void Reset();
    // 1 exactly when the used steps equal the length (a bar stepped past it is not full).
    int IsFull() const { return m_nUsed == m_nLength ? 1 : 0; }
    unsigned short GetUsedStep() const { return m_nUsed; }
    // Used steps in per cent of the length (integer), 0 for a length of 0.
    int GetUsedRate() const { return m_nLength ? m_nUsed * 100 / m_nLength : 0; }
    void SetColour(COLORREF colour);
    COLORREF GetColour() const { return m_colour; }
    void SetFlagShowFirstStep(int on) { m_nShowFirstStep = on; }
    int GetSliceStyle() const { return m_nSliceStyle; }

    // The fill's moving edge for a client width (four-slice frame), as drawn.
    int GetFillEdge(int clientWidth) const;

private:
    void Repaint();

    unsigned short m_nLength;
    unsigned short m_nUsed;
    int m_nPercentage;
    int m_nReversed;
    int m_nShowFirstStep;
    int m_nSliceStyle;
    COLORREF m_colour;
};

} // namespace KV
