#pragma once
// All text of the typing view: the untyped rest of the lesson, the typed part (CLettersOut),
// the clock, the prompts before a lesson and the pause word in the corners.
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
    // Each text is cut to 255 bytes. Layout follows at the next CalcTextDate.
    void SetPauseText(const char* pause, const char* top, const char* bottom, const char* section,
                      const char* lesson);
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
    // Glyph advances in font heights for the 256 codes (for cutting the untyped text at the
    // right edge); null draws the whole text.
    void SetGlyphWidths(const float* widths) { m_pGlyphWidths = widths; }
    // Layout from the metrics of the font selected into dc.
    void CalcTextDate(HDC dc);
    // Layout from given metrics: M maximum character width, H height, leading.
    void CalcTextDate(long maxWidth, long height, long leading);

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
    const char* GetPauseWord() const { return m_szPause; }
    const char* GetTopPrompt() const { return m_szTop; }
    const char* GetBottomPrompt() const { return m_szBottom; }
    const char* GetSectionLine() const { return m_szSection; }
    const char* GetLessonLine() const { return m_szLesson; }
    int GetFlagStart() const { return m_nStart; }
    int GetFlagPause() const { return m_nPause; }
    int GetFlagAnimation() const { return m_nAnimation; }
    int GetFlagDraw() const { return m_nDraw; }
    const RECT& GetFrame() const { return m_frame; }
    unsigned long GetUntypedLength() const { return m_nUntyped; }
    // Number of untyped characters the last Draw sent to the glyph lists.
    unsigned long GetUntypedDrawn() const { return m_nUntypedDrawn; }

private:
    void DrawString(const char* text, unsigned long length, float x, float y, float z, float size);

    const char* m_pUntyped;
    unsigned long m_nUntyped;
    CRGBA m_animate;
    CRGBA m_simple;
    char m_szClock[TEXT_BUFFER];
    char m_szTop[TEXT_BUFFER];
    char m_szBottom[TEXT_BUFFER];
    char m_szSection[TEXT_BUFFER];
    char m_szLesson[TEXT_BUFFER];
    char m_szPause[TEXT_BUFFER];
    float m_aPos[POS_COUNT];
    unsigned long m_aLength[6];
    unsigned long m_nDraw;
    unsigned long m_nPause;
    unsigned long m_nStart;
    unsigned long m_nAnimation;
    float m_fScale;
    CLettersOut m_typed;
    RECT m_frame;
    const float* m_pGlyphWidths;
    unsigned long m_nUntypedDrawn;
};

} // namespace KV
