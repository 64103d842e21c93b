#pragma once
// All text of the typing view: the untyped rest of the lesson, the typed part (CLettersOut),
// the clock, the prompts before a lesson and the pause word in the corners.
//
// The lesson line is drawn in the typing font's code page (byte glyph lists); the prompts and
// the pause word are interface texts in the learner's language, which that code page may not
// hold, so they are kept and drawn as UTF-16. When a context is set, each text is measured
// with its own glyphs and made smaller where it would not fit the view.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvfwctrl/typing/LettersOut.h"
#include "kvinterf/gl/GLC.h"
#include "kvstruct/core/Colour.h"
#include <windows.h>

namespace KV {

class KVFWCTRL_API CTextOut
{
public:
    enum { TEXT_BUFFER = 256 };
    // Indices into the positions.
    enum {
        POS_CLOCK = 0,
        POS_TOP,
        POS_BOTTOM,
        POS_SECTION,
        POS_LESSON,
        POS_PAUSE_UL_X,
        POS_PAUSE_UL_Y,
        POS_PAUSE_LL_X,
        POS_PAUSE_LL_Y,
        POS_PAUSE_LR_X,
        POS_PAUSE_LR_Y,
        POS_PAUSE_UR_X,
        POS_PAUSE_UR_Y,
        POS_COUNT
    };

    CTextOut();
    virtual ~CTextOut();

    void SetTime(const SYSTEMTIME& time);
    // Each text is cut to 255 units. Layout follows at the next CalcTextDate. The 8-bit
    // form holds bytes of the glyph lists' code page.
    void SetPauseText(const char* pause, const char* top, const char* bottom, const char* section,
                      const char* lesson);
    void SetPauseTextW(const wchar_t* pause, const wchar_t* top, const wchar_t* bottom,
                       const wchar_t* section, const wchar_t* lesson);
    void SetTextInputing(const char* text);
    void SetTextInputed(const char* text, unsigned long count) { m_typed.AddLetter(text, count); }
    void SetAnimateColors(const CRGBA& colour) { m_animate = colour; }
    void SetSimpleColors(const CRGBA& text, const CRGBA& normal, const CRGBA& error, const CRGBA& rhythm);
    void SetFlagStart(int flag) { m_nStart = flag ? 1 : 0; }
    void SetFlagPause(int flag) { m_nPause = flag ? 1 : 0; }
    void SetFlagAnimation(int flag) { m_nAnimation = flag ? 1 : 0; }
    void SetFlagDraw(int flag) { m_nDraw = flag ? 1 : 0; }
    // Text scale from the LOGFONT height; heights outside -19..-13 keep the scale.
    void SetHightFont(int height);
    void SetpStatError(const short* marks) { m_typed.SetpStatError(marks); }
    void SetFrame(const RECT& frame);
    // The context whose glyphs draw and measure the texts; null draws the whole untyped text
    // and keeps the layout of CalcTextDate.
    void SetGL(CGLC* gl);
    // Layout from the metrics of the font selected into dc.
    void CalcTextDate(HDC dc);
    // Layout from given metrics: M maximum character width, H height, leading.
    void CalcTextDate(long maxWidth, long height, long leading);
    // Glyph size of the lesson line as drawn: the font's scale, made smaller where the view
    // would show too short a stretch of the line (about 46 average characters across the
    // view at the smallest font, fewer at larger ones) or where the view is low.
    float GetDrawScale() const;
    // Average character advance of the typing font in font heights.
    float GetAverageEm() const { return m_fAverageEm; }

    // Has the glyphs of every text a frame may draw built in the context.
    void EnsureGlyphs(CGLC& gl) const;
    void Draw();
    void DrawPause();
    void DrawLessonName();
    void DrawClock();
    void DrawMainTextBefore();
    void DrawMainTextAfter();

    CLettersOut& GetLetters() { return m_typed; }
    const CLettersOut& GetLetters() const { return m_typed; }
    const CRGBA& GetAnimateColour() const { return m_animate; }
    const CRGBA& GetSimpleColour() const { return m_simple; }
    const CRGBA& GetTextColour() const { return m_nAnimation ? m_animate : m_simple; }
    float GetTextScale() const { return m_fScale; }
    float GetPos(int index) const { return index >= 0 && index < POS_COUNT ? m_aPos[index] : 0; }
    const char* GetClockText() const { return m_szClock; }
    const wchar_t* GetPauseWord() const { return m_szPause; }
    const wchar_t* GetTopPrompt() const { return m_szTop; }
    const wchar_t* GetBottomPrompt() const { return m_szBottom; }
    const wchar_t* GetSectionLine() const { return m_szSection; }
    const wchar_t* GetLessonLine() const { return m_szLesson; }
    // Glyph size of a prompt as last drawn: 0 top, 1 bottom, 2 section, 3 lesson, 4 pause.
    float GetPromptSize(int index) const { return index >= 0 && index < 5 ? m_aSize[index] : 0; }
    // Width in pixels of a prompt as last drawn (same order).
    float GetPromptWidth(int index) const { return index >= 0 && index < 5 ? m_aWidth[index] : 0; }
    int GetFlagStart() const { return m_nStart; }
    int GetFlagPause() const { return m_nPause; }
    int GetFlagAnimation() const { return m_nAnimation; }
    int GetFlagDraw() const { return m_nDraw; }
    const RECT& GetFrame() const { return m_frame; }
    unsigned long GetUntypedLength() const { return m_nUntyped; }
    const char* GetUntypedText() const { return m_pUntyped; }
    // Number of untyped characters the last Draw sent to the glyph lists.
    unsigned long GetUntypedDrawn() const { return m_nUntypedDrawn; }

private:
    void DrawString(const char* text, unsigned long length, float x, float y, float z, float size);
    void DrawStringW(const wchar_t* text, unsigned long length, float x, float y, float z, float size);
    // Positions and sizes of the prompts and pause words from their measured widths.
    void FitPrompts();

    const char* m_pUntyped;
    unsigned long m_nUntyped;
    CRGBA m_animate;
    CRGBA m_simple;
    char m_szClock[TEXT_BUFFER];
    wchar_t m_szTop[TEXT_BUFFER];
    wchar_t m_szBottom[TEXT_BUFFER];
    wchar_t m_szSection[TEXT_BUFFER];
    wchar_t m_szLesson[TEXT_BUFFER];
    wchar_t m_szPause[TEXT_BUFFER];
    float m_aPos[POS_COUNT];
    float m_aSize[5];
    float m_aWidth[5];
    float m_fAverageEm;
    unsigned long m_aLength[6];
    unsigned long m_nDraw;
    unsigned long m_nPause;
    unsigned long m_nStart;
    unsigned long m_nAnimation;
    float m_fScale;
    CLettersOut m_typed;
    RECT m_frame;
    CGLC* m_pGL;
    const float* m_pGlyphWidths;
    unsigned long m_nUntypedDrawn;
};

} // namespace KV
