#pragma once
// One key of the on-screen keyboard: geometry in key units, finger, Shift role, the characters
// the active layout gives it, and its highlight.
#include "kvfwctrl/kvfwctrl_api.h"
#include <istream>
#include <ostream>

namespace KV {

class CKeyboard;

// Row cursor of the key layout.
struct tagKeyDraw
{
    float x;
    float y;
};

class KVFWCTRL_API CKey
{
public:
    // Key types.
    enum { kTypeKey = 0, kTypeKey2 = 1, kTypeGap = 2, kTypeRowEnd = 4 };
    // Shift roles.
    enum { kShiftNone = 0, kShiftLeftGoes = 1, kShiftRightGoes = 2, kShiftLeftKey = 3, kShiftRightKey = 4 };
    // Drawing styles.
    enum { kView3D = 0, kViewFlat = 1 };

    explicit CKey(CKeyboard* parent = nullptr);
    virtual ~CKey();

    virtual void Draw();
    // Key record: version 1, code, width, height, type, shift role, finger, spare text.
    virtual void Serialize(std::ostream& out);
    virtual void Serialize(std::istream& in);

    // Texts are decimal numbers; only their leading digits count.
    void SetDate(const wchar_t* code, const wchar_t* width, const wchar_t* height, unsigned long type,
                 unsigned long shift, unsigned long finger);
    void SetCode(unsigned char code) { m_nCode = code; }
    void SetSize(float width, float height)
    {
        m_fLength = width;
        m_fHight = height;
    }
    void SetStyle(unsigned long type, unsigned long finger, unsigned long shift)
    {
        m_nType = type;
        m_nFinger = finger;
        m_nShift = shift;
    }
    void SetOneKey(unsigned long one) { m_nOneKey = one; }
    void SetContrast(unsigned short on) { m_nContrast = on; }
    void SetTypeView(unsigned short view) { m_nTypeView = view; }
    void SetpParent(CKeyboard* parent) { m_pParent = parent; }
    // Sets the key's texts: at most two units each are kept; ansi forms in the given code page.
    void SetText(const wchar_t* text1, const wchar_t* text2, unsigned int codePage);

    CKeyboard* GetpParent() const { return m_pParent; }
    unsigned char GetCode() const { return m_nCode; }
    float GetLength() const { return m_fLength; }
    float GetHight() const { return m_fHight; }
    unsigned long GetType() const { return m_nType; }
    unsigned long GetShift() const { return m_nShift; }
    unsigned long GetNumFinger() const { return m_nFinger; }
    unsigned long GetReqShift() const { return m_nReqShift; }
    unsigned long GetActive() const { return m_nActive; }
    unsigned long GetOneKey() const { return m_nOneKey; }
    unsigned short GetTypeView() const { return m_nTypeView; }
    unsigned short GetContrast() const { return m_nContrast; }
    const wchar_t* GetText1() const { return m_szText1; }
    const wchar_t* GetText2() const { return m_szText2; }
    const char* GetAText1() const { return m_szAText1; }
    const char* GetAText2() const { return m_szAText2; }
    bool IsShiftKey() const { return m_nShift == kShiftLeftKey || m_nShift == kShiftRightKey; }
    // The label of a key that types no character (Shift, Tab, Enter, ...) by its scan code;
    // empty for the others.
    const wchar_t* GetName() const;
    bool IsDrawn() const { return m_nType == kTypeKey || m_nType == kTypeKey2; }

    // Highlights the key when ch is one of its characters. Returns the Shift role to light
    // with it (only when ch is the shifted character), 0 otherwise.
    unsigned long SetActive(const wchar_t* text);
    // As SetActive, but a key that does not match loses its highlight (Shift keys excepted).
    // True when the key matched.
    bool SetActiveOnlyOne(const wchar_t* text);
    void SetActiveShift(int active) { m_nActive = static_cast<unsigned long>(active); }
    void ResetActive() { m_nActive = 0; }

    // Places the key at the cursor and moves the cursor on.
    void Calculate(tagKeyDraw& cursor);

    // Geometry, valid after Calculate.
    float GetOriginX() const { return m_fX; }
    float GetOriginY() const { return m_fY; }
    float GetFarX() const { return m_fX1; }
    float GetFarY() const { return m_fY1; }
    float GetInnerX0() const { return m_fIX0; }
    float GetInnerY0() const { return m_fIY0; }
    float GetInnerX1() const { return m_fIX1; }
    float GetInnerY1() const { return m_fIY1; }
    float GetCenterX() const { return m_fCX; }
    float GetCenterY() const { return m_fCY; }

private:
    void DrawLetter(const char* text, float dx, float dy, float size);
    void DrawName(const wchar_t* name, float dx, float dy, float size);
    void DrawBackArrow(float dx, float dy, float size);
    // Legend colour for the key's highlight and contrast, made current.
    void SetLegendColour() const;
    // Legend glyph size and margin in key units; capitals stand this share of the size high.
    static constexpr float kLegendSize = 15.0f;
    static constexpr float kPairSize = 11.0f;
    static constexpr float kLegendMargin = 6.0f;
    static constexpr float kCapHeight = 0.72f;
    // Octagon outlines: 3D top/body and flat fill/outline. The last argument has no effect.
    void DrawShadow11(float x0, float y0, float x1, float y1, float ix0, float iy0, float ix1, float iy1,
                      int);
    void DrawShadow21(float x0, float y0, float x1, float y1, float ix0, float iy0, float ix1, float iy1,
                      int);
    void DrawShadow22(float x0, float y0, float x1, float y1, float ix0, float iy0, float ix1, float iy1,
                      int);
    void DrawShadow12(float x0, float y0, float x1, float y1, float ix0, float iy0, float ix1, float iy1,
                      int);

    CKeyboard* m_pParent;
    unsigned char m_nCode;
    float m_fLength;
    float m_fHight;
    unsigned long m_nType;
    unsigned long m_nFinger;
    unsigned long m_nShift;
    unsigned long m_nActive;
    wchar_t m_szText1[3];
    wchar_t m_szText2[3];
    char m_szAText1[3];
    char m_szAText2[3];
    unsigned long m_nOneKey;
    unsigned short m_nTypeView;
    unsigned short m_nContrast;
    float m_fX, m_fY, m_fX1, m_fY1, m_fIX0, m_fIY0, m_fIX1, m_fIY1, m_fCX, m_fCY;
    unsigned long m_nReqShift;
};

} // namespace KV
