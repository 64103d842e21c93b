#include "kvfwctrl/typing/TextOut.h"
#include <GL/gl.h>
#include <algorithm>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>

namespace KV {

namespace {

enum { LEN_CLOCK = 0, LEN_TOP, LEN_BOTTOM, LEN_SECTION, LEN_LESSON, LEN_PAUSE };

// Copies at most 255 units and returns the length kept.
unsigned long CopyCut(wchar_t* buffer, const wchar_t* text)
{
    unsigned long length = 0;
    if (text)
        while (length < CTextOut::TEXT_BUFFER - 1 && text[length])
            ++length;
    if (length)
        std::wmemcpy(buffer, text, length);
    buffer[length] = 0;
    return length;
}

std::wstring Widen(const char* text, UINT codePage)
{
    if (!text || !*text)
        return std::wstring();
    const int n = ::MultiByteToWideChar(codePage, 0, text, -1, nullptr, 0);
    std::wstring wide(n > 0 ? static_cast<size_t>(n) : 0, L'\0');
    if (n > 0)
        ::MultiByteToWideChar(codePage, 0, text, -1, &wide[0], n);
    if (!wide.empty())
        wide.pop_back();
    return wide;
}

// Glyph size of the prompts and pause words.
const float kPromptSize = 30.0f;
// Average characters across the view at the smallest font (scale 80).
const float kCharsAcross = 46.0f;

} // namespace

CTextOut::CTextOut()
    : m_pUntyped(nullptr), m_nUntyped(0), m_animate(0, 0, 0), m_simple(0, 0, 0), m_nDraw(1), m_nPause(0),
      m_nStart(0), m_nAnimation(1), m_fScale(80), m_pGL(nullptr), m_pGlyphWidths(nullptr), m_nUntypedDrawn(0)
{
    m_szClock[0] = 0;
    m_szTop[0] = m_szBottom[0] = m_szSection[0] = m_szLesson[0] = m_szPause[0] = 0;
    for (float& pos : m_aPos)
        pos = 0;
    for (int i = 0; i < 5; ++i)
        m_aSize[i] = kPromptSize, m_aWidth[i] = 0;
    // A usual text font's average advance until the font's own is measured.
    m_fAverageEm = 0.55f;
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
    const UINT codePage = m_pGL ? m_pGL->GetCodePage() : 1252;
    SetPauseTextW(Widen(pause, codePage).c_str(), Widen(top, codePage).c_str(), Widen(bottom, codePage).c_str(),
                  Widen(section, codePage).c_str(), Widen(lesson, codePage).c_str());
}

void CTextOut::SetPauseTextW(const wchar_t* pause, const wchar_t* top, const wchar_t* bottom,
                             const wchar_t* section, const wchar_t* lesson)
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

void CTextOut::SetGL(CGLC* gl)
{
    m_pGL = gl;
    m_pGlyphWidths = gl ? gl->GetGlyphWidths() : nullptr;
    m_typed.SetGlyphWidths(m_pGlyphWidths);
}

float CTextOut::GetDrawScale() const
{
    const float width = static_cast<float>(m_frame.right - m_frame.left);
    const float height = static_cast<float>(m_frame.bottom - m_frame.top);
    float scale = m_fScale;
    if (width > 0 && m_fAverageEm > 0)
        scale = std::min(scale, width / (kCharsAcross * 80.0f / m_fScale * m_fAverageEm));
    if (height > 0)
        scale = std::min(scale, 0.4f * height);
    // A tiny view (a preview) still shows legible letters.
    return std::max(scale, std::min(m_fScale, 14.0f));
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
    if (tm.tmHeight > tm.tmInternalLeading && tm.tmAveCharWidth > 0)
        m_fAverageEm = static_cast<float>(tm.tmAveCharWidth) / static_cast<float>(tm.tmHeight - tm.tmInternalLeading);
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

void CTextOut::DrawStringW(const wchar_t* text, unsigned long length, float x, float y, float z, float size)
{
    if (!text || !length || !m_pGL)
        return;
    glPushMatrix();
    glTranslatef(x, y, z);
    glScalef(size, size, size);
    m_pGL->DrawTextW(text, length);
    glPopMatrix();
}

void CTextOut::EnsureGlyphs(CGLC& gl) const
{
    static const char kClock[] = "0123456789:";
    gl.EnsureGlyphs(kClock, sizeof kClock - 1);
    gl.EnsureGlyphs(m_pUntyped, m_nUntyped);
    // The typed characters that can show: the left half holds fewer than 256 of them.
    const unsigned long typed = m_typed.GetTyped();
    const unsigned long from = typed > 256 ? typed - 256 : 0;
    if (m_typed.GetText())
        gl.EnsureGlyphs(m_typed.GetText() + from, typed - from);
}

void CTextOut::FitPrompts()
{
    if (!m_pGL)
        return;
    const float R = static_cast<float>(m_frame.right), T = static_cast<float>(m_frame.top);
    const float B = static_cast<float>(m_frame.bottom);
    const float margin = std::max(8.0f, 0.02f * R);
    const wchar_t* texts[5] = {m_szTop, m_szBottom, m_szSection, m_szLesson, m_szPause};
    float em[5];
    for (int i = 0; i < 5; ++i)
        em[i] = m_pGL->GetTextWidthW(texts[i], m_aLength[LEN_TOP + i]);
    auto fit = [](float widthEm, float room) {
        return widthEm > 0 && widthEm * kPromptSize > room ? room / widthEm : kPromptSize;
    };
    // The pause word in the corners: two of them side by side with room between.
    const int P = LEN_PAUSE - LEN_TOP;
    m_aSize[P] = fit(em[P], R / 2 - 2 * margin);
    m_aWidth[P] = em[P] * m_aSize[P];
    m_aPos[POS_PAUSE_UL_X] = m_aPos[POS_PAUSE_LL_X] = margin;
    m_aPos[POS_PAUSE_UR_X] = m_aPos[POS_PAUSE_LR_X] = R - margin - m_aWidth[P];
    // On the lines of the top and bottom prompts, so each of those reads as one row.
    m_aPos[POS_PAUSE_UL_Y] = m_aPos[POS_PAUSE_UR_Y] = B - 30;
    m_aPos[POS_PAUSE_LL_Y] = m_aPos[POS_PAUSE_LR_Y] = T + 30;
    // The prompts at the top and bottom stay between the pause words, with room on either
    // side; the two middle lines start at the same x with the same size.
    const float room = R - 2 * margin;
    const float between =
        m_nPause && !m_nStart && m_aWidth[P] > 0 ? std::max(R - 6 * margin - 2 * m_aWidth[P], room / 3) : room;
    for (int i : {0, 1})
    {
        m_aSize[i] = fit(em[i], between);
        m_aWidth[i] = em[i] * m_aSize[i];
        m_aPos[POS_TOP + i] = R / 2 - m_aWidth[i] / 2;
    }
    const float middle = std::max(em[2], em[3]);
    m_aSize[2] = m_aSize[3] = fit(middle, room);
    m_aWidth[2] = em[2] * m_aSize[2];
    m_aWidth[3] = em[3] * m_aSize[3];
    m_aPos[POS_SECTION] = m_aPos[POS_LESSON] = R / 2 - middle * m_aSize[2] / 2;
}

void CTextOut::Draw()
{
    if (!m_nDraw)
        return;
    if (m_nPause || m_nStart)
        FitPrompts();
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
    const float size = m_aSize[LEN_PAUSE - LEN_TOP];
    DrawStringW(m_szPause, n, m_aPos[POS_PAUSE_UL_X], m_aPos[POS_PAUSE_UL_Y], 20, size);
    DrawStringW(m_szPause, n, m_aPos[POS_PAUSE_LL_X], m_aPos[POS_PAUSE_LL_Y], 20, size);
    DrawStringW(m_szPause, n, m_aPos[POS_PAUSE_LR_X], m_aPos[POS_PAUSE_LR_Y], 20, size);
    DrawStringW(m_szPause, n, m_aPos[POS_PAUSE_UR_X], m_aPos[POS_PAUSE_UR_Y], 20, size);
}

void CTextOut::DrawLessonName()
{
    // All four lines, or none when one of them is missing.
    if (!m_aLength[LEN_TOP] || !m_aLength[LEN_SECTION] || !m_aLength[LEN_LESSON])
        return;
    const float B = static_cast<float>(m_frame.bottom), T = static_cast<float>(m_frame.top);
    DrawStringW(m_szSection, m_aLength[LEN_SECTION], m_aPos[POS_SECTION], B / 2 + 25, 0, m_aSize[2]);
    DrawStringW(m_szLesson, m_aLength[LEN_LESSON], m_aPos[POS_LESSON], B / 2 - 25, 0, m_aSize[3]);
    DrawStringW(m_szTop, m_aLength[LEN_TOP], m_aPos[POS_TOP], B - 30, 0, m_aSize[0]);
    DrawStringW(m_szBottom, m_aLength[LEN_BOTTOM], m_aPos[POS_BOTTOM], T + 30, 0, m_aSize[1]);
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
    const float scale = GetDrawScale();
    unsigned long count = m_nUntyped;
    if (m_pGlyphWidths)
    {
        // Characters that start beyond the right edge are not sent at all.
        const float room = (m_frame.right - x) / scale;
        float advance = 0;
        count = 0;
        while (count < m_nUntyped && advance < room)
            advance += m_pGlyphWidths[static_cast<unsigned char>(m_pUntyped[count++])];
    }
    m_nUntypedDrawn = count;
    DrawString(m_pUntyped, count, x, m_frame.bottom / 2.0f - 10, 0, scale);
}

void CTextOut::DrawMainTextBefore()
{
    m_typed.SetDrawScale(GetDrawScale());
    m_typed.Draw(m_frame);
}

} // namespace KV
