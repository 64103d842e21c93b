#pragma once
// The on-screen keyboard: the keys of a keyboard file, labelled with the characters of the
// active layout, the key (and Shift key) of the next character lit, drawn with the hands in
// OpenGL. Colours come from one pixel row of the scheme bitmap.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvfwctrl/keyboard/Hands.h"
#include "kvfwctrl/keyboard/Key.h"
#include "kvfwctrl/keyboard/NameObject.h"

#include "kvinterf/gl/GLC.h"
#include "kvinterf/skin/Skin.h"
#include "kvstruct/core/Colour.h"

#include <istream>
#include <ostream>
#include <vector>

namespace KV {

class KVFWCTRL_API CKeyboard : public CSkin
{
public:
    // Entries of the colour scheme.
    enum {
        kFace = 0,  // 0-5: key face of finger 0-5
        kShade = 6, // 6-11: key shade of finger 0-5
        kActiveFace = 12,
        kActiveShade = 13,
        kBackground = 14,
        kLetter = 15,
        kActiveLetter = 16,
        kSchemeSize = 17
    };
    // Home keys, where the hands rest.
    static constexpr unsigned char kLeftHome = 0x21;
    static constexpr unsigned char kRightHome = 0x24;

    CKeyboard();
    ~CKeyboard() override;

    // --- window ---
    void Draw(HDC dc) override;
    LRESULT OnDestroy() override;
    LRESULT OnSize(UINT type, int width, int height) override;
    LRESULT OnTimer(UINT_PTR id) override;
    // A "STATIC" child window (WS_CHILD added) at rect; then the hands.
    using CSkin::Create;
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    // The skin picture is the scheme bitmap; 0 when it fails, else FillColourShema().
    int LoadBitmapW(const wchar_t* file, int pictures, int reload) override;
    virtual void StartMove(UINT_PTR id, UINT period);
    virtual void StopMove(UINT_PTR id);
    // Keyboard file: version 1, then the key list.
    virtual void Serialize(std::ostream& out);
    virtual void Serialize(std::istream& in);

    // Context on the window, GL state, key texts, repaint.
    void CreateGL();
    void InitGL();
    // Key font: face and character set of font, height -18, bold.
    void SetLOGFONT(const LOGFONTW* font);
    const LOGFONTW* GetLOGFONT() const { return m_GL.GetLOGFONT(); }
    void SetCP(unsigned int codePage);
    unsigned int GetCP() const { return m_nCodePage; }

    // 0 when the file cannot be opened; else 1, also when its content was bad.
    int Load(const wchar_t* path);
    // 0 when the file cannot be written; the previous file survives any failure.
    int Save(const wchar_t* path);

    void SetName(const wchar_t* name) { m_Keys.SetName(name); }
    const wchar_t* GetName() const { return m_Keys.GetName(); }
    unsigned long GetCount() const { return static_cast<unsigned long>(m_Keys.GetCount()); }
    CKey* GetKey(unsigned long index) const { return m_Keys.Get(index); }
    // Takes the key out of the list and hands it to the caller, who frees it; returns the key
    // now at that index (or the new last one), null when out of range or now empty.
    CKey* DeleteKey(unsigned long index);
    bool Swap(unsigned long a, unsigned long b) { return m_Keys.Swap(a, b); }
    void Clear();
    // Texts are decimal numbers (leading digits); note finger before shift.
    CKey* AddKey(const wchar_t* code, const wchar_t* width, const wchar_t* height, unsigned long type,
                 unsigned long finger, unsigned long shift);

    void RefreshTextKey();
    // ch: the next character; shiftByte: high byte of the character's key lookup.
    void SetActiveKey(const wchar_t* text, unsigned char shiftByte);
    void SetActiveKeys(const wchar_t* text);
    void ResetActiveKeys();

    unsigned long GetCurrentShiftState() const;
    COLORREF GetCurrentKeyColor() const;
    CKey* GetpCurrentKey() const { return m_pCurrentKey; }
    CKey* GetpLeftShift() const { return m_pLeftShift; }
    CKey* GetpRightShift() const { return m_pRightShift; }
    CKey* GetpLeftHome() const { return m_pLeftHome; }
    CKey* GetpRightHome() const { return m_pRightHome; }

    unsigned short GetNumColourShema() const { return m_nScheme; }
    void SetNumColourShema(unsigned short number) { m_nScheme = number; }
    int FillColourShema();
    unsigned long GetCountColourShema() const;
    const CListRGBA& GetColourShema() const { return m_Scheme; }
    void SetColourShema(const CListRGBA& scheme)
    {
        m_Scheme = scheme;
        Repaint();
    }
    // Scheme entry; a built-in colour when the scheme lacks it.
    CRGBA GetSchemeColour(unsigned long index) const;

    void SetContrast(int on);
    void SetTypeView(unsigned short view);
    void SetShowHands(int show)
    {
        const unsigned long on = show ? 1 : 0;
        if (m_nShowHands == on)
            return;
        m_nShowHands = on;
        Repaint();
    }
    void ShowKeyText(int show) { m_nShowKeyText = show ? 1 : 0; }
    CHands* GetpHands() const { return m_pHands; }

    // --- layout and drawing ---
    void RefreshSizeKey();
    // Lays the keys out for a client area of that height.
    void RefreshSizeKey(int clientHeight);
    float GetLength() const;
    float GetHight() const;
    void CreateListGL() {}
    unsigned int GetListBase() const { return m_nListBase; }
    // Draws one frame into the current context for a client area of width x height, without
    // swapping. False (and nothing drawn, nothing cleared) when the keyboard has no row end.
    bool Render(int width, int height);
    // The client rectangles (y down) that differ between the frame drawn last and the present
    // state: none when nothing changed, the whole client area when the last frame cannot be
    // reused (another size, scheme, layout or context, or a context that does not keep it).
    void GetChangedParts(std::vector<RECT>& parts);
    // The transformation of a frame: window = (tx, ty) + s * keyboard units.
    void GetViewTransform(int width, int height, float& tx, float& ty, float& s) const;
    // Where the hands go this frame; false when there are no home keys.
    bool GetHandDraw(tagHandDraw& hd) const;
    CGLC& GetGLC() { return m_GL; }

private:
    // Something a frame draws over the unlit keys (a hand or a lit key): the client rectangle
    // it covers and what it shows there.
    struct tagOverlay
    {
        RECT box;
        unsigned long look[5];
        bool operator==(const tagOverlay& o) const;
    };

    void DrawHand();
    void DrawOverlays();
    // The unlit keys' picture is kept by the context and drawn again whenever anything it
    // shows changed; true when the present one still holds.
    bool IsUnlitCurrent(int width, int height, float tx, float ty, float s);
    void PrepareUnlit(int width, int height, float tx, float ty, float s);
    // Clears the frame and pushes the keyboard's transformation (popped by the caller).
    void BeginFrame(float tx, float ty, float s);
    void PushTransform(float tx, float ty, float s);
    void CollectOverlays(int width, int height, std::vector<tagOverlay>& out) const;
    // Redraws the given client rectangles of the kept frame.
    void RenderParts(const std::vector<RECT>& parts);

    void AssignRoles();
    // Asks for a frame: only the changed parts of the view are invalidated where the last
    // frame is kept.
    void Repaint();

    CNameObject<CKey> m_Keys;
    CGLC m_GL;
    CListRGBA m_Scheme;
    CKey* m_pLeftShift;
    CKey* m_pRightShift;
    CKey* m_pCurrentKey;
    CKey* m_pLeftHome;
    CKey* m_pRightHome;
    unsigned short m_nScheme;
    unsigned long m_nShowKeyText;
    CHands* m_pHands;
    unsigned long m_nShowHands;
    unsigned long m_nCodePage;

    unsigned int m_nListBase;
    int m_nClientWidth;
    int m_nClientHeight;
    unsigned short m_nTypeView;
    unsigned short m_nContrast;

    // Everything the unlit keys' picture (kept by the context) depends on (size, geometry,
    // texts, style, colours, font), compared before every frame.
    std::vector<unsigned long> m_KeysSnapshot;
    std::vector<unsigned long> m_KeysScratch;  // reused every frame: no allocation while drawing
    std::vector<unsigned long> m_ActiveBefore; // reused by SetActiveKey
    // The frame in the back buffer: complete for the snapshot, with these overlays.
    bool m_bFrameKept;
    std::vector<tagOverlay> m_Drawn;
    std::vector<tagOverlay> m_Overlays; // reused
    std::vector<RECT> m_Parts;          // reused
};

} // namespace KV
