#include "kvfwctrl/typing/TextOut.h"
#include <GL/gl.h>
#include <cstdio>
#include <cstring>

namespace KV {

namespace {

enum { LEN_CLOCK = 0, LEN_TOP, LEN_BOTTOM, LEN_SECTION, LEN_LESSON, LEN_PAUSE };

// Copies at most 255 bytes and returns the length kept.
unsigned long CopyCut(char* buffer, const char* text)
{
    unsigned long length = 0;
    if (text)
        while (length < CTextOut::TEXT_BUFFER - 1 && text[length])
            ++length;
    if (length)
        std::memcpy(buffer, text, length);
    buffer[length] = 0;
    return length;
}

} // namespace

CTextOut::CTextOut()
    : m_pUntyped(nullptr), m_nUntyped(0), m_animate(0, 0, 0), m_simple(0, 0, 0), m_nDraw(1), m_nPause(0),
      m_nStart(0), m_nAnimation(1), m_fScale(80), m_pGlyphWidths(nullptr), m_nUntypedDrawn(0)
{
    m_szClock[0] = m_szTop[0] = m_szBottom[0] = m_szSection[0] = m_szLesson[0] = m_szPause[0] = 0;
    for (float& pos : m_aPos)
        pos = 0;
    for (unsigned long& length : m_aLength)
        length = 0;
    m_frame = RECT{0, 0, 0, 0};
}

CTextOut::~CTextOut() = default;

void CTextOut::SetTime(const SYSTEMTIME& time)
{
    std::snprintf(m_szClock, sizeof(m_szClock), "%02u:%02u", static_cast<unsigned>(time.wMinute % 100),
                  static_cast<unsigned>(time.wSecond % 100));
    m_aLength[LEN_CLOCK] = static_cast<unsigned long>(std::strlen(m_szClock));
}

void CTextOut::SetPauseText(const char* pause, const char* top, const char* bottom, const char* section,
                            const char* lesson)
{
    m_aLength[LEN_PAUSE] = CopyCut(m_szPause, pause);
    m_aLength[LEN_TOP] = CopyCut(m_szTop, top);
    m_aLength[LEN_BOTTOM] = CopyCut(m_szBottom, bottom);
    m_aLength[LEN_SECTION] = CopyCut(m_szSection, section);
    m_aLength[LEN_LESSON] = CopyCut(m_szLesson, lesson);
}

void CTextOut::SetTextInputing(const char* text)
{
    m_pUntyped = text;
    m_nUntyped = text ? static_cast<unsigned long>(std::strlen(text)) : 0;
}

void CTextOut::SetSimpleColors(const CRGBA& text, const CRGBA& normal, const CRGBA& error,
                               const CRGBA& rhythm)
{
    m_simple = text;
    m_typed.SetColors(normal, error, rhythm);
}

void CTextOut::SetHightFont(int height)
{
    switch (height)
    {
    case -19:
        m_fScale = 110;
        break;
    case -18:
        m_fScale = 105;
        break;
    case -17:
        m_fScale = 100;
        break;
    case -16:
        m_fScale = 95;
        break;
    case -15:
        m_fScale = 90;
        break;
    case -14:
        m_fScale = 85;
        break;
    case -13:
        m_fScale = 80;
        break;
    default:
        break;
    }
    m_typed.SetHightFont(height, m_fScale);
}

void CTextOut::SetFrame(const RECT& frame)
{
    m_frame = frame;
    m_typed.CalcTextDate();
}

void CTextOut::CalcTextDate(HDC dc)
{
    TEXTMETRICW tm;
    if (!dc || !::GetTextMetricsW(dc, &tm))
        return;
    CalcTextDate(tm.tmMaxCharWidth, tm.tmHeight, tm.tmInternalLeading);
}

void CTextOut::CalcTextDate(long maxWidth, long height, long leading)
{
    const float L = static_cast<float>(m_frame.left), T = static_cast<float>(m_frame.top);
    const float R = static_cast<float>(m_frame.right), B = static_cast<float>(m_frame.bottom);
    const float M = static_cast<float>(maxWidth), H = static_cast<float>(height);
    const float n = static_cast<float>(m_aLength[LEN_PAUSE]);

    m_aPos[POS_CLOCK] = R - 60;
    m_aPos[POS_TOP] = R / 2 - m_aLength[LEN_TOP] * M / 2;
    m_aPos[POS_BOTTOM] = R / 2 - m_aLength[LEN_BOTTOM] * M / 2;
    m_aPos[POS_SECTION] = R / 2 - m_aLength[LEN_SECTION] * M / 2;
    m_aPos[POS_LESSON] = m_aPos[POS_SECTION];
    m_aPos[POS_PAUSE_UL_X] = L + 0.2f * n * M;
    m_aPos[POS_PAUSE_UL_Y] = B - 2.2f * H;
    m_aPos[POS_PAUSE_LL_X] = L + 0.2f * n * M;
    m_aPos[POS_PAUSE_LL_Y] = T + 0.7f * H;
    m_aPos[POS_PAUSE_LR_X] = R - 1.2f * n * M;
    m_aPos[POS_PAUSE_LR_Y] = T + 0.7f * H;
    m_aPos[POS_PAUSE_UR_X] = R - 1.2f * n * M;
    m_aPos[POS_PAUSE_UR_Y] = B - 2.2f * H;

    if (maxWidth > 0)
    {
        m_typed.SetWidthLetter(static_cast<unsigned long>(maxWidth), static_cast<unsigned long>(leading));
        const long half = (m_frame.right - m_frame.left) / 2;
        m_typed.SetLengthText(half > 0 ? static_cast<unsigned long>(half / maxWidth) : 0);
    }
}

void CTextOut::DrawString(const char* text, unsigned long length, float x, float y, float z, float size)
{
    if (!text || !length)
        return;
    glPushMatrix();
    glTranslatef(x, y, z);
    glScalef(size, size, size);
    glCallLists(static_cast<GLsizei>(length), GL_UNSIGNED_BYTE, text);
    glPopMatrix();
}

void CTextOut::EnsureGlyphs(CGLC& gl) const
{
    static const char kClock[] = "0123456789:";
    gl.EnsureGlyphs(kClock, sizeof kClock - 1);
    gl.EnsureGlyphs(m_szPause, m_aLength[LEN_PAUSE]);
    gl.EnsureGlyphs(m_szTop, m_aLength[LEN_TOP]);
    gl.EnsureGlyphs(m_szBottom, m_aLength[LEN_BOTTOM]);
    gl.EnsureGlyphs(m_szSection, m_aLength[LEN_SECTION]);
    gl.EnsureGlyphs(m_szLesson, m_aLength[LEN_LESSON]);
    gl.EnsureGlyphs(m_pUntyped, m_nUntyped);
    gl.EnsureGlyphs(m_typed.GetText(), m_typed.GetTyped());
}

void CTextOut::Draw()
{
    if (!m_nDraw)
        return;
    GetTextColour().SetColorGL();
    if (m_nPause && !m_nStart)
        DrawPause();
    if (m_nStart || m_nPause)
    {
        DrawLessonName();
        return;
    }
    DrawMainTextAfter();
    DrawMainTextBefore();
    GetTextColour().SetColorGL();
    DrawClock();
}

void CTextOut::DrawPause()
{
    const unsigned long n = m_aLength[LEN_PAUSE];
    DrawString(m_szPause, n, m_aPos[POS_PAUSE_UL_X], m_aPos[POS_PAUSE_UL_Y], 20, 30);
    DrawString(m_szPause, n, m_aPos[POS_PAUSE_LL_X], m_aPos[POS_PAUSE_LL_Y], 20, 30);
    DrawString(m_szPause, n, m_aPos[POS_PAUSE_LR_X], m_aPos[POS_PAUSE_LR_Y], 20, 30);
    DrawString(m_szPause, n, m_aPos[POS_PAUSE_UR_X], m_aPos[POS_PAUSE_UR_Y], 20, 30);
}

void CTextOut::DrawLessonName()
{
    // All four lines, or none when one of them is missing.
    if (!m_aLength[LEN_TOP] || !m_aLength[LEN_SECTION] || !m_aLength[LEN_LESSON])
        return;
    const float B = static_cast<float>(m_frame.bottom), T = static_cast<float>(m_frame.top);
    DrawString(m_szSection, m_aLength[LEN_SECTION], m_aPos[POS_SECTION], B / 2 + 25, 0, 30);
    DrawString(m_szLesson, m_aLength[LEN_LESSON], m_aPos[POS_LESSON], B / 2 - 25, 0, 30);
    DrawString(m_szTop, m_aLength[LEN_TOP], m_aPos[POS_TOP], B - 30, 0, 30);
    DrawString(m_szBottom, m_aLength[LEN_BOTTOM], m_aPos[POS_BOTTOM], T + 30, 0, 30);
}

void CTextOut::DrawClock()
{
    if (!m_aLength[LEN_CLOCK])
        return;
    // Clear of the corner: the digits' tops stay inside the view.
    DrawString(m_szClock, m_aLength[LEN_CLOCK], static_cast<float>(m_frame.right) - 70,
               static_cast<float>(m_frame.bottom) - 22, 0, 20);
}

void CTextOut::DrawMainTextAfter()
{
    m_nUntypedDrawn = 0;
    if (!m_nUntyped || !m_pUntyped)
        return;
    const float x = m_frame.right / 2.0f;
    unsigned long count = m_nUntyped;
    if (m_pGlyphWidths)
    {
        // Characters that start beyond the right edge are not sent at all.
        const float room = (m_frame.right - x) / m_fScale;
        float advance = 0;
        count = 0;
        while (count < m_nUntyped && advance < room)
            advance += m_pGlyphWidths[static_cast<unsigned char>(m_pUntyped[count++])];
    }
    m_nUntypedDrawn = count;
    DrawString(m_pUntyped, count, x, m_frame.bottom / 2.0f - 10, 0, m_fScale);
}

void CTextOut::DrawMainTextBefore()
{
    m_typed.Draw(m_frame);
}

} // namespace KV
