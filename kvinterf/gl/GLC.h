#pragma once
// An OpenGL rendering context on a window, with 256 display lists holding the glyphs of one
// font as filled outlines (one unit high, each list advances by the glyph's width).
//
// Under Wine a GL context on a child window renders into no visible drawable, so there the
// context lives on a hidden helper window and draws into a double-buffered pbuffer of the
// view's size; SwapBuffers copies the frame onto the view with GDI (repeated on WM_PAINT).
// Elsewhere, and for top-level windows, the context is the window's own.
#include "kvinterf/kvinterf_api.h"
#include <windows.h>

namespace KV {

class KVINTERF_API CGLC
{
public:
    CGLC();
    CGLC(const CGLC&) = delete;
    CGLC& operator=(const CGLC&) = delete;
    // Clears the handles but does not delete the context: the owner calls Destroy while its
    // window still exists.
    virtual ~CGLC();

    // Gets the window's DC, sets the pixel format, creates the context, makes it current and
    // builds the glyph lists. A context made before is destroyed first. Always 0.
    int Create(HWND hWnd);
    // Double-buffered RGBA, 24 colour bits, 32 depth bits. 1, or 0 after a report.
    int SetupPixelFormat(HDC dc);
    // Makes the stored font the glyph lists' font: the 256 list names are reserved, each
    // glyph's outline is built when it is first asked for (EnsureGlyphs, GetGlyphWidth), so a
    // context pays only for the characters it shows. 1, or 0 when the font cannot be made.
    int SetFont(HDC dc);
    // First of the 256 glyph lists.
    unsigned int GetFontBase() const { return m_nFontBase; }
    // Builds the lists of these bytes' glyphs that are not built yet (not between glBegin and
    // glEnd, nor while a list is being compiled).
    void EnsureGlyphs(const char* text, size_t length);
    // Advance of one glyph in units of the font height, its list built first (0 before
    // SetFont).
    float GetGlyphWidth(unsigned char code);
    // The 256 advances as built so far (0 for glyphs not built yet).
    const float* GetGlyphWidths() const { return m_aGlyphWidth; }
    // How far the ink of the glyphs built so far reaches above (top) and below (bottom, negative
    // downwards) the base line, in font heights; both 0 before any glyph with ink is built.
    void GetGlyphExtent(float& top, float& bottom) const
    {
        top = m_fGlyphTop;
        bottom = m_fGlyphBottom;
    }

    // Texts that no code page of the byte lists can hold (interface texts in any language)
    // are drawn from glyph lists of their own, one per UTF-16 unit, built when first used.
    // Width of the text in font heights.
    float GetTextWidthW(const wchar_t* text, size_t length);
    // Draws the text at the current position, one unit high (not between glBegin and glEnd).
    void DrawTextW(const wchar_t* text, size_t length);

    const LOGFONTW* GetLOGFONT() const { return &m_Font; }
    // Takes effect at the next Create or SetFont; nullptr restores the default font.
    void SetLOGFONT(const LOGFONTW* font);
    // Code page of the bytes the lists stand for (1252 by default): list base + b draws the
    // character that byte b means in it. Takes effect at the next Create or SetFont.
    void SetCodePage(UINT codePage) { m_nCodePage = codePage; }
    UINT GetCodePage() const { return m_nCodePage; }

    // Makes the context current on its own DC unless it already is; dc is not used.
    void MakeCurrentDC(HDC dc = nullptr);
    // Viewport (left, bottom, right, top) as given, orthographic projection, identity model.
    void Ortho(double left, double right, double bottom, double top, double zNear, double zFar);
    // Releases and deletes the context and releases the window's DC; nothing when none.
    void Destroy(HWND hWnd);

    // Shows the frame: the buffer swap, or the copy onto the view when drawing off screen.
    void SwapBuffers() const;
    // Shows only these parts of the frame (client rectangles, y down); the rest of the view
    // keeps what it showed. Where the frame is not kept (see KeepsFrame) the whole frame is
    // shown, as by SwapBuffers().
    void SwapBuffers(const RECT* parts, int count) const;
    // True when the back buffer still holds the last frame when the next one begins (the
    // off-screen path swaps nothing), so a frame may redraw only what changed.
    bool KeepsFrame() const { return m_pOffscreen != nullptr; }

    // A picture of the view kept in the context for quick reuse (the part of a frame that
    // seldom changes): KeepPicture copies the back buffer's width x height view area into it,
    // DrawPicture copies it (or one client rectangle of it) back into the back buffer, colour
    // only, whatever the transformation and the depth test. Off screen the picture lives in
    // the drawable beside the view and is copied without going through texturing; there a
    // colour clear of the whole drawable takes it away: clear only the depth before drawing
    // the picture, or limit the clear to the view with the scissor.
    void KeepPicture(int width, int height);
    bool HasPicture(int width, int height) const
    {
        return m_nPictureWidth > 0 && m_nPictureWidth == width && m_nPictureHeight == height;
    }
    void DrawPicture(const RECT* part = nullptr) const;
    void ForgetPicture() { m_nPictureWidth = m_nPictureHeight = 0; }
    // True when the context draws off screen and SwapBuffers copies the frame to the view.
    bool IsOffscreen() const { return m_pOffscreen != nullptr; }
    // True where child windows get the off-screen path (under Wine).
    static bool OffscreenForChildren();
    HGLRC GetHGLRC() const { return m_hRC; }
    HDC GetHDC() const { return m_hDC; }
    bool IsCreated() const { return m_hRC != nullptr; }

private:
    struct tagOffscreen;
    struct tagWideGlyphs;
    // The list and width of a character's glyph, built on first use; null without a font.
    const struct tagWideGlyph* WideGlyph(wchar_t ch);
    int CreateOffscreen(HWND view);
    void DestroyOffscreen();
    void ForgetGlyphs();
    static LRESULT CALLBACK ViewProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                     DWORD_PTR data);

    HGLRC m_hRC;
    HDC m_hDC;
    unsigned int m_nFontBase;
    LOGFONTW m_Font;
    UINT m_nCodePage;
    float m_aGlyphWidth[256];
    float m_fGlyphTop;
    float m_fGlyphBottom;
    // The glyph lists' font, the character each byte stands for, and which lists are built.
    HFONT m_hFont;
    wchar_t m_aGlyphChar[256];
    bool m_aGlyphBuilt[256];
    tagOffscreen* m_pOffscreen;
    tagWideGlyphs* m_pWide;
    int m_nPictureWidth;
    int m_nPictureHeight;
    unsigned int m_nPictureTexture;
};

} // namespace KV
