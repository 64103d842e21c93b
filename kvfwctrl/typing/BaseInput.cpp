#include "kvfwctrl/typing/BaseInput.h"
#include "kvstruct/sys/Handles.h"
#include "kvstruct/image/Bitmap.h"
#include <GL/gl.h>
#include <algorithm>
#include <cstring>

namespace KV {

CBaseInput::CBaseInput()
    : m_pLevel(nullptr), m_nAnimation(1), m_nDraw(1), m_nPause(0), m_background(255, 255, 255),
      m_zoneColour(0, 210, 210), m_fZoneUnit(1.0f), m_nZoneType(ZONE_GREY), m_nZoneSide(0),
      m_still{nullptr, 0, 0, 0, 0}, m_bLineShown(false), m_lineShownSize{0, 0}
{}

CBaseInput::~CBaseInput()
{
    delete m_pLevel;
}

HWND CBaseInput::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    return CWnd::Create(0, L"STATIC", L"", style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                        rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(id)),
                        instance);
}

void CBaseInput::CreateGL()
{
    if (!m_hWnd)
        return;
    m_gl.Create(m_hWnd);
    glClearColor(0, 0, 0, 0);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_TEXTURE_2D);
    m_text.SetGL(&m_gl);
    // The projection and layout for the present size, so a paint before the first resize
    // already draws in place.
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    m_gl.Ortho(0, rc.right, 0, rc.bottom, -60, 60);
    glListBase(m_gl.GetFontBase());
    m_text.SetFrame(rc);
    CalcLayout();
    InitLevel();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CBaseInput::SetLOGFONT(const LOGFONTW* font)
{
    m_bLineShown = false;
    if (!font)
        return;
    m_gl.SetLOGFONT(font);
    if (m_gl.IsCreated())
    {
        // The glyphs follow the new font at once.
        m_gl.MakeCurrentDC();
        m_gl.SetFont(m_gl.GetHDC());
    }
    {
        CWindowDC dc(nullptr);
        CFontHandle hFont(::CreateFontIndirectW(font));
        if (dc && hFont.IsValid())
        {
            CSelectObject select(dc, hFont);
            TEXTMETRICW tm;
            if (::GetTextMetricsW(dc, &tm))
                m_fZoneUnit = static_cast<float>(tm.tmAveCharWidth);
        }
    }
    m_text.SetHightFont(font->lfHeight);
    CalcLayout();
}

void CBaseInput::CalcLayout()
{
    // The window's DC does not hold the typing font: measure the font itself.
    CWindowDC dc(nullptr);
    if (!dc)
        return;
    CFontHandle hFont(::CreateFontIndirectW(m_gl.GetLOGFONT()));
    CSelectObject select(dc, hFont);
    m_text.CalcTextDate(dc);
}

void CBaseInput::SetMainText(const char* text, unsigned long index)
{
    if (!text)
        text = "";
    // A caret beyond the end of the text would read past it.
    const unsigned long length = static_cast<unsigned long>(std::strlen(text));
    if (index > length)
        index = length;
    m_text.SetTextInputing(text + index);
    m_text.SetTextInputed(text, index);
}

void CBaseInput::SetLetterZoneParam(COLORREF colour, int side)
{
    m_zoneColour.Set(colour);
    m_nZoneSide = static_cast<unsigned long>(side);
}

void CBaseInput::SetTypeLetterZone(unsigned short)
{
    m_nZoneType = ZONE_COLOURED;
}

void CBaseInput::SetSimpleColors(COLORREF background, COLORREF text, COLORREF normal, COLORREF error,
                                 COLORREF rhythm)
{
    m_bLineShown = false;
    m_background.Set(background);
    CRGBA textColour, normalColour, errorColour, rhythmColour;
    textColour.Set(text);
    if (m_text.GetFlagAnimation())
    {
        // Over the level the typed text keeps colours that read on any background.
        normalColour = CRGBA(0, 128, 0);
        errorColour = CRGBA(240, 0, 0);
        rhythmColour = CRGBA(240, 240, 0);
    }
    else
    {
        normalColour.Set(normal);
        errorColour.Set(error);
        rhythmColour.Set(rhythm);
    }
    m_text.SetSimpleColors(textColour, normalColour, errorColour, rhythmColour);
}

void CBaseInput::SetAnimateColors(COLORREF a, COLORREF, COLORREF)
{
    CRGBA colour;
    colour.Set(a);
    m_text.SetAnimateColors(colour);
}

int CBaseInput::LoadBitmapW(const wchar_t* file, int pictures, int reload)
{
    if (!CSkin::LoadBitmapW(file, pictures, reload) || !m_dib.IsLoad())
        return 0;
    CListRGBA colours;
    ImportDibToRGBA(m_dib, colours, kAllDib, kAllDib);
    if (colours.size() != 8)
        return 0;
    m_text.SetAnimateColors(colours[0]);
    return 1;
}

void CBaseInput::SetPauseText(const char* pause, const char* top, const char* bottom, const char* section,
                              const char* lesson)
{
    m_text.SetPauseText(pause, top, bottom, section, lesson);
    CalcLayout();
}

void CBaseInput::SetPauseTextW(const wchar_t* pause, const wchar_t* top, const wchar_t* bottom,
                               const wchar_t* section, const wchar_t* lesson)
{
    m_text.SetPauseTextW(pause, top, bottom, section, lesson);
    CalcLayout();
}

void CBaseInput::SetFlagPause(int flag)
{
    m_bLineShown = false;
    if (!m_pLevel)
        return;
    m_nPause = flag ? 1 : 0;
    m_pLevel->SetPause(flag);
    m_text.SetFlagPause(flag);
}

void CBaseInput::SetFlagDraw(int flag)
{
    m_bLineShown = false;
    m_nDraw = flag ? 1 : 0;
    m_text.SetFlagDraw(flag);
}

void CBaseInput::SetFlagAnimation(unsigned short flag)
{
    m_bLineShown = false;
    m_nAnimation = flag;
    m_text.SetFlagAnimation(flag);
}

void CBaseInput::SetLevel(CLevelFW* level)
{
    m_bLineShown = false;
    if (level == m_pLevel)
        return;
    delete m_pLevel;
    m_pLevel = level;
}

void CBaseInput::InitLevel()
{
    m_bLineShown = false;
    if (!m_pLevel || !m_hWnd)
        return;
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    if (m_gl.IsCreated())
        m_gl.MakeCurrentDC();
    m_pLevel->Init(rc.right - rc.left, rc.bottom - rc.top);
}

void CBaseInput::RefreshLevel()
{
    if (m_pLevel)
        m_pLevel->Refresh();
}

void CBaseInput::SetPart(unsigned short part)
{
    if (m_pLevel)
        m_pLevel->SetPart(part);
}

void CBaseInput::AddSpeed()
{
    if (m_pLevel)
        m_pLevel->AddSpeed();
}

void CBaseInput::ResetSpeed()
{
    if (m_pLevel)
        m_pLevel->ResetSpeed();
}

void CBaseInput::SetTotalSpeed(unsigned short total)
{
    if (m_pLevel)
        m_pLevel->SetTotalSpeed(total);
}

void CBaseInput::AddSpeedLetter()
{
    if (m_pLevel)
        m_pLevel->AddSpeedLetter();
}

void CBaseInput::ResetSpeedLetter()
{
    if (m_pLevel)
        m_pLevel->ResetSpeedLetter();
}

void CBaseInput::SetTotalSpeedLetter(unsigned short total)
{
    if (m_pLevel)
        m_pLevel->SetTotalSpeedLetter(total);
}

LRESULT CBaseInput::OnSize(UINT type, int width, int height)
{
    CSkin::OnSize(type, width, height);
    if (m_gl.IsCreated())
    {
        m_gl.MakeCurrentDC();
        m_gl.Ortho(0, width, 0, height, -60, 60);
        glListBase(m_gl.GetFontBase());
    }
    RECT frame = {0, 0, width, height};
    m_text.SetFrame(frame);
    CalcLayout();
    if (m_hWnd)
    {
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        ::UpdateWindow(m_hWnd);
    }
    return 0;
}

LRESULT CBaseInput::OnRButtonDown(UINT flags, int x, int y)
{
    CSkin::OnRButtonDown(flags, x, y);
    HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (parent)
    {
        // The right click belongs to the main window.
        POINT pt = {x, y};
        ::MapWindowPoints(m_hWnd, parent, &pt, 1);
        ::SendMessageW(parent, WM_RBUTTONDOWN, flags, MAKELPARAM(pt.x, pt.y));
    }
    return 0;
}

LRESULT CBaseInput::OnDestroy()
{
    m_gl.Destroy(m_hWnd);
    return CSkin::OnDestroy();
}

void CBaseInput::GetZoneRect(float R, float B, float rect[4]) const
{
    // Around the next character at the size the line is drawn: as wide as that character
    // (at least an average one), from below the descenders to above the capitals.
    const float scale = m_text.GetDrawScale();
    const unsigned long untyped = m_text.GetUntypedLength();
    const unsigned char next = untyped ? static_cast<unsigned char>(m_text.GetUntypedText()[0]) : ' ';
    const float* widths = m_gl.GetGlyphWidths();
    float em = m_text.GetAverageEm();
    if (m_gl.IsCreated() && widths[next] > em)
        em = widths[next];
    rect[0] = R / 2 - 2;
    rect[1] = B / 2 - 25;
    rect[2] = R / 2 + em * scale + 3;
    rect[3] = B / 2 - 10 + 0.95f * scale;
}

void CBaseInput::DrawLetterZone(float R, float B)
{
    float z[4];
    GetZoneRect(R, B, z);
    if (m_nZoneType == ZONE_COLOURED)
        m_zoneColour.SetColorGL();
    else
        glColor3f(0.9f, 0.9f, 0.9f);
    glBegin(GL_LINE_LOOP);
    glVertex3f(z[0], z[1], -5);
    glVertex3f(z[2], z[1], -5);
    glVertex3f(z[2], z[3], -5);
    glVertex3f(z[0], z[3], -5);
    glEnd();
    if (m_nZoneType != ZONE_COLOURED)
        return;
    // The thick edge shows the hand of the next key.
    glLineWidth(3);
    glBegin(GL_LINES);
    if (m_nZoneSide == SIDE_RIGHT_HAND)
    {
        glVertex3f(z[2], z[1], -5);
        glVertex3f(z[2], z[3], -5);
    }
    else if (m_nZoneSide == SIDE_LEFT_HAND)
    {
        glVertex3f(z[0], z[1], -5);
        glVertex3f(z[0], z[3], -5);
    }
    else
    {
        glVertex3f(z[0], z[1], -5);
        glVertex3f(z[2], z[1], -5);
    }
    glEnd();
    glLineWidth(1);
}

void CBaseInput::DrawTextBand(float R, float B)
{
    // A soft light band behind the lesson line: the level's figures pass behind the text
    // without taking it from the eye. It fades out at its upper and lower edges.
    const float scale = m_text.GetDrawScale();
    const float base = B / 2 - 10;
    const float y0 = base - 0.6f * scale, y1 = base + 0.35f * scale, y2 = base + 1.3f * scale;
    const float alpha = 0.7f;
    glPushAttrib(GL_ENABLE_BIT | GL_CURRENT_BIT | GL_COLOR_BUFFER_BIT);
    glDisable(GL_DEPTH_TEST);
    glDisable(GL_TEXTURE_2D);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glShadeModel(GL_SMOOTH);
    glBegin(GL_QUADS);
    glColor4f(1, 1, 1, 0);
    glVertex3f(0, y0, -10);
    glVertex3f(R, y0, -10);
    glColor4f(1, 1, 1, alpha);
    glVertex3f(R, y1, -10);
    glVertex3f(0, y1, -10);
    glVertex3f(0, y1, -10);
    glVertex3f(R, y1, -10);
    glColor4f(1, 1, 1, 0);
    glVertex3f(R, y2, -10);
    glVertex3f(0, y2, -10);
    glEnd();
    glPopAttrib();
}

void CBaseInput::Draw(HDC dc)
{
    m_bLineShown = false;
    if (!DrawFrame(dc))
        return;
    m_gl.SwapBuffers();
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    m_bLineShown = m_gl.KeepsFrame() && !m_nPause && !m_text.GetFlagStart();
    m_lineShownSize = SIZE{rc.right, rc.bottom};
}

RECT CBaseInput::GetLineRect() const
{
    RECT rc = {0, 0, 0, 0};
    if (m_hWnd)
        ::GetClientRect(m_hWnd, &rc);
    // In GL units. A typed key changes the text, its marks and the letter zone; the band and
    // the level's figures behind it stay as the last frame drew them (the figures move with
    // the clock's frames only). So the strip is the ink of the glyphs built so far (the
    // whole lesson text is built before a frame draws it) with a little room for the
    // outlines' rounding, the zone, and a pixel more each way for the lines' own width.
    // Before any glyph is built, the whole band.
    const float scale = m_text.GetDrawScale();
    const float base = rc.bottom / 2.0f - 10;
    float top = 0, bottom = 0;
    m_gl.GetGlyphExtent(top, bottom);
    if (top <= 0)
    {
        top = 1.3f;
        bottom = -0.6f;
    }
    const float zoneLow = rc.bottom / 2.0f - 25, zoneHigh = base + 0.95f * scale;
    const float low = std::min(base + (bottom - 0.05f) * scale, zoneLow) - 2;
    const float high = std::max({base + (top + 0.05f) * scale, zoneHigh, base + 10}) + 2;
    RECT line = rc;
    line.top = std::max(0L, static_cast<LONG>(rc.bottom - high));
    line.bottom = std::min(rc.bottom, static_cast<LONG>(rc.bottom - low + 1));
    return line;
}

void CBaseInput::ShowTyped()
{
    if (m_pLevel)
        m_pLevel->SetHold(1);
    RECT rc = {0, 0, 0, 0};
    if (m_hWnd)
        ::GetClientRect(m_hWnd, &rc);
    const bool lineOnly = m_bLineShown && !m_nPause && !m_text.GetFlagStart() &&
                          m_lineShownSize.cx == rc.right && m_lineShownSize.cy == rc.bottom;
    // The strip reaches as far as the glyphs of the text: new ones are built first.
    if (lineOnly)
        m_text.EnsureGlyphs(m_gl);
    const RECT line = GetLineRect();
    if (lineOnly && DrawFrame(nullptr, &line))
        m_gl.SwapBuffers(&line, 1);
    else
        Draw(nullptr);
    if (m_pLevel)
        m_pLevel->SetHold(0);
}

int CBaseInput::DrawFrame(HDC dc, const RECT* part)
{
    if (!m_nDraw || !m_gl.IsCreated() || !m_hWnd)
        return 0;
    m_gl.MakeCurrentDC(dc);
    RECT rc;
    ::GetClientRect(m_hWnd, &rc);
    const float R = static_cast<float>(rc.right), B = static_cast<float>(rc.bottom);

    // The background and the figures that never move are drawn once and their picture
    // reused: a frame draws only what moves and the text.
    const CRect view(rc);
    const tagStill still = {m_pLevel, m_pLevel ? m_pLevel->GetStillGeneration() : 0, rc.right, rc.bottom,
                            static_cast<unsigned short>(m_nAnimation == 1 ? 1 : 0)};
    const bool stillKept = m_pLevel && m_nAnimation && still.level == m_still.level &&
                           still.generation == m_still.generation && still.width == m_still.width &&
                           still.height == m_still.height && still.animate == m_still.animate &&
                           m_gl.HasPicture(rc.right, rc.bottom);
    // A part is drawn over the last frame only from the kept picture of the level.
    if (part && m_pLevel && m_nAnimation && !stillKept)
        return 0;
    if (part)
    {
        glEnable(GL_SCISSOR_TEST);
        glScissor(part->left, rc.bottom - part->bottom, part->right - part->left, part->bottom - part->top);
    }
    if (m_nAnimation)
        glClearColor(1, 1, 1, 0);
    else
        m_background.ClearColorGL();
    // The kept picture covers the whole view (and a colour clear would take it away). It is
    // copied before the depth is cleared: the copy waits for what is drawn before it.
    if (stillKept)
        m_gl.DrawPicture(part);
    glClear(stillKept ? GL_DEPTH_BUFFER_BIT : GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);

    if (m_pLevel && m_nAnimation)
    {
        if (!stillKept)
        {
            m_pLevel->DrawStill(dc, view, still.animate);
            m_gl.KeepPicture(rc.right, rc.bottom);
            m_still = still;
        }
        m_pLevel->DrawMoving(dc, view, still.animate);
        glDisable(GL_TEXTURE_2D);
        if (!m_nPause && !m_text.GetFlagStart())
            DrawTextBand(R, B);
        glDisable(GL_BLEND);
    }
    else if (m_pLevel)
    {
        glColor3f(0.1f, 0.1f, 0.1f);
        glBegin(GL_LINE_LOOP);
        glVertex3f(0.1f, 0.1f, -50);
        glVertex3f(R - 0.1f, 0.1f, -50);
        glVertex3f(R - 0.1f, B - 0.1f, -50);
        glVertex3f(0.1f, B - 0.1f, -50);
        glEnd();
    }

    // The zone is as wide as the next glyph: the glyphs are built first.
    m_text.EnsureGlyphs(m_gl);
    if (!m_nPause)
        DrawLetterZone(R, B);

    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glListBase(m_gl.GetFontBase());
    m_text.Draw();
    if (part)
        glDisable(GL_SCISSOR_TEST);
    glFinish();
    return 1;
}

} // namespace KV
