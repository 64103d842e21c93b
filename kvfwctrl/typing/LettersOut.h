#pragma once
// The typed part of the lesson line: the last characters typed, right-aligned against the
// centre, each in the colour of its error mark. With the glyph widths known they keep the
// font's own advances at the lesson line's size, so they read on as one line with the
// untyped rest; without them a fixed advance is used.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvstruct/core/Colour.h"
#include <windows.h>

namespace KV {

class KVFWCTRL_API CLettersOut
{
public:
    CLettersOut();
    virtual ~CLettersOut();

    // height is the LOGFONT height (negative for a character height in pixels).
    void SetHightFont(int height, float scale);
    // One mark per lesson character (0 none, 1 error, 2 irregular); may be null.
    void SetpStatError(const short* marks) { m_pErrors = marks; }
    // Most typed characters shown.
    void SetLengthText(unsigned long capacity);
    void SetWidthLetter(unsigned long advance, unsigned long second);
    void SetColors(const CRGBA& normal, const CRGBA& error, const CRGBA& rhythm);
    // text is the whole lesson text (borrowed); typed is the caret index.
    void AddLetter(const char* text, unsigned long typed);
    // Recomputes which typed characters are visible.
    void CalcTextDate();
    // Draws the visible typed characters into the client rectangle (glyph lists current).
    void Draw(const RECT& frame);

    // Colour of the typed character at a lesson index.
    const CRGBA& GetLetterColour(unsigned long index) const;
    // Horizontal advance of one typed character without glyph widths.
    float GetAdvance() const { return m_nLetterAdvance + 2.2f * m_nFontHeight; }
    // Advance of this character as drawn.
    float GetAdvance(unsigned char ch) const;
    // Glyph advances in font heights for the 256 codes (borrowed); null for the fixed advance.
    void SetGlyphWidths(const float* widths) { m_pGlyphWidths = widths; }
    // Glyph size the characters are drawn at (the letter scale until set).
    void SetDrawScale(float scale) { m_fDrawScale = scale; }

    const CRGBA& GetNormalColour() const { return m_normal; }
    const CRGBA& GetErrorColour() const { return m_error; }
    const CRGBA& GetRhythmColour() const { return m_rhythm; }
    unsigned long GetLetterAdvance() const { return m_nLetterAdvance; }
    unsigned long GetSecondMetric() const { return m_nSecond; }
    unsigned long GetFirstVisible() const { return m_nFirstVisible; }
    unsigned long GetTyped() const { return m_nTyped; }
    // The whole text the typed part is taken from.
    const char* GetText() const { return m_pText; }
    unsigned long GetVisibleCount() const { return m_nVisible; }
    unsigned long GetCapacity() const { return m_nCapacity; }
    float GetLetterScale() const { return m_fScale; }
    long GetFontHeight() const { return m_nFontHeight; }
    const char* GetpVisible() const { return m_pVisible; }

private:
    CRGBA m_normal;
    CRGBA m_error;
    CRGBA m_rhythm;
    unsigned long m_nLetterAdvance;
    unsigned long m_nSecond;
    const char* m_pVisible;
    const char* m_pText;
    const short* m_pErrors;
    unsigned long m_nFirstVisible;
    unsigned long m_nTyped;
    unsigned long m_nVisible;
    unsigned long m_nCapacity;
    float m_fScale;
    long m_nFontHeight;
    const float* m_pGlyphWidths;
    float m_fDrawScale;
};

} // namespace KV
