#pragma once
// The typing view: one line of lesson text through the middle of the window (typed part left
// of the centre, the rest right of it), the letter zone around the next character, the
// animated background level, prompts, pause word and clock, all drawn with OpenGL.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvfwctrl/level/Level.h"
#include "kvfwctrl/typing/TextOut.h"
#include "kvinterf/gl/GLC.h"
#include "kvinterf/skin/Skin.h"
#include "kvstruct/core/Colour.h"
#include <windows.h>

namespace KV {

class KVFWCTRL_API CBaseInput : public CSkin
{
public:
    enum { ZONE_GREY = 1, ZONE_COLOURED = 2 };
    // Zone sides: the shift role of the next key.
    enum { SIDE_RIGHT_HAND = 1, SIDE_LEFT_HAND = 2 };

    CBaseInput();
    ~CBaseInput() override;

    using CSkin::Create;
    // A child window of class "STATIC" at rect (left, top, right, bottom) of the parent.
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    void Draw(HDC dc) override;
    // Draws and shows a frame at once for a typed key, with the level as it stands: its
    // figures move on with the clock's frames only, however fast the learner types. Where
    // the context keeps the last frame and that frame showed the lesson line too, only the
    // line's strip is drawn and shown: nothing else changes with a key.
    void ShowTyped();
    // Draws one frame into the back buffer and finishes it, without showing it; 0 when
    // nothing was drawn. With a part (client rectangle) only that part is drawn over the
    // back buffer's last frame.
    int DrawFrame(HDC dc, const RECT* part = nullptr);
    // The strip a typed key changes: the lesson line with its band, zone and marks.
    RECT GetLineRect() const;
    LRESULT OnDestroy() override;
    LRESULT OnRButtonDown(UINT flags, int x, int y) override;
    LRESULT OnSize(UINT type, int width, int height) override;
    // Loads the view's bitmap; a bitmap of exactly 8 pixels gives the animate colour (its
    // first pixel) and 1, any other gives 0 and changes nothing.
    int LoadBitmapW(const wchar_t* file, int pictures, int reload) override;

    void CreateGL();
    void SetLOGFONT(const LOGFONTW* font);
    const LOGFONTW* GetLOGFONT() const { return m_gl.GetLOGFONT(); }

    // text is the whole lesson text (8-bit, borrowed); index is the caret.
    void SetMainText(const char* text, unsigned long index);
    void EmptyText() { SetMainText("", 0); }
    void SetpStatError(short* marks) { m_text.SetpStatError(marks); }
    void SetLetterZoneParam(COLORREF colour, int side);
    void SetTypeLetterZone(unsigned short type);
    void SetSimpleColors(COLORREF background, COLORREF text, COLORREF normal, COLORREF error,
                         COLORREF rhythm);
    void SetAnimateColors(COLORREF a, COLORREF b, COLORREF c);
    void SetPauseText(const char* pause, const char* top, const char* bottom, const char* section,
                      const char* lesson);
    // The same texts in UTF-16, drawn whatever the typing font's code page.
    void SetPauseTextW(const wchar_t* pause, const wchar_t* top, const wchar_t* bottom, const wchar_t* section,
                       const wchar_t* lesson);
    void SetTime(const SYSTEMTIME& time) { m_text.SetTime(time); }

    void SetFlagStart(int flag)
    {
        m_text.SetFlagStart(flag);
        m_bLineShown = false;
    }
    void SetFlagPause(int flag);
    void SetFlagDraw(int flag);
    void SetFlagAnimation(unsigned short flag);
    unsigned short GetFlagAnimation() const { return m_nAnimation; }

    // The view owns the level from here on.
    void SetLevel(CLevelFW* level);
    CLevelFW* GetLevel() const { return m_pLevel; }
    void InitLevel();
    void RefreshLevel();
    void SetPart(unsigned short part);
    void AddSpeed();
    void ResetSpeed();
    void SetTotalSpeed(unsigned short total);
    void AddSpeedLetter();
    void ResetSpeedLetter();
    void SetTotalSpeedLetter(unsigned short total);

    CTextOut& GetTextOut() { return m_text; }
    const CTextOut& GetTextOut() const { return m_text; }
    CGLC& GetGLC() { return m_gl; }
    int GetFlagDraw() const { return m_nDraw; }
    int GetFlagPause() const { return m_nPause; }
    const CRGBA& GetBackground() const { return m_background; }
    const CRGBA& GetZoneColour() const { return m_zoneColour; }
    float GetZoneWidthUnit() const { return m_fZoneUnit; }
    short GetZoneType() const { return m_nZoneType; }
    unsigned long GetZoneSide() const { return m_nZoneSide; }
    // The letter zone's rectangle (x0, y0, x1, y1) in a client area of R x B.
    void GetZoneRect(float R, float B, float rect[4]) const;

private:
    // Text layout with the typing font's own metrics.
    void CalcLayout();
    void DrawLetterZone(float R, float B);
    // The light band behind the lesson line, over the level's figures.
    void DrawTextBand(float R, float B);

    CGLC m_gl;
    CLevelFW* m_pLevel;
    unsigned short m_nAnimation;
    unsigned long m_nDraw;
    unsigned long m_nPause;
    CRGBA m_background;
    CRGBA m_zoneColour;
    float m_fZoneUnit;
    short m_nZoneType;
    unsigned long m_nZoneSide;
    CTextOut m_text;
    // What the picture of the level's still part kept by the context shows.
    struct tagStill
    {
        const CLevelFW* level;
        unsigned long generation;
        int width, height;
        unsigned short animate;
    } m_still;
    // The frame shown last drew the lesson line as a typed key draws it, at this size.
    bool m_bLineShown;
    SIZE m_lineShownSize;
};

} // namespace KV
