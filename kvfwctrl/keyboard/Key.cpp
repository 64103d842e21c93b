#include "kvfwctrl/keyboard/Key.h"
#include "kvfwctrl/keyboard/Keyboard.h"

#include "kvstruct/core/CString.h"
#include "kvstruct/core/Colour.h"
#include "kvstruct/sys/MsgBox.h"
#include "kvstruct/core/Serialize.h"

#include <GL/gl.h>
#include <cwchar>
#include <cwctype>

namespace KV {

namespace {

// Leading decimal digits of a text; 0 when it has none.
unsigned long LeadingNumber(const wchar_t* text)
{
    unsigned long value = 0;
    if (!text)
        return 0;
    for (; *text >= L'0' && *text <= L'9'; ++text)
        value = value * 10 + static_cast<unsigned long>(*text - L'0');
    return value;
}

CRGBA Brighten(const CRGBA& c, int by)
{
    auto up = [by](unsigned char v) { return static_cast<unsigned char>(v + by > 255 ? 255 : v + by); };
    return CRGBA(up(c.r), up(c.g), up(c.b), c.a);
}

void Vertex(const CRGBA& c, float x, float y, float z)
{
    glColor3ub(c.r, c.g, c.b);
    glVertex3f(x, y, z);
}

const float kFaceDepth = -50.0f;

// The octagon of a key through its eight outline points, each with its own colour.
void Octagon(GLenum mode, const CRGBA* colours, float x0, float y0, float x1, float y1, float ix0, float iy0,
             float ix1, float iy1)
{
    glBegin(mode);
    Vertex(colours[0], ix0, y0, kFaceDepth);
    Vertex(colours[1], ix1, y0, kFaceDepth);
    Vertex(colours[2], x1, iy0, kFaceDepth);
    Vertex(colours[3], x1, iy1, kFaceDepth);
    Vertex(colours[4], ix1, y1, kFaceDepth);
    Vertex(colours[5], ix0, y1, kFaceDepth);
    Vertex(colours[6], x0, iy1, kFaceDepth);
    Vertex(colours[7], x0, iy0, kFaceDepth);
    glEnd();
}

} // namespace

CKey::CKey(CKeyboard* parent)
    : m_pParent(parent), m_nCode(0), m_fLength(0), m_fHight(0), m_nType(0), m_nFinger(0), m_nShift(0),
      m_nActive(0), m_szText1{0, 0, 0}, m_szText2{0, 0, 0}, m_szAText1{0, 0, 0}, m_szAText2{0, 0, 0},
      m_nOneKey(0), m_nTypeView(0), m_nContrast(0), m_fX(0), m_fY(0), m_fX1(0), m_fY1(0), m_fIX0(0),
      m_fIY0(0), m_fIX1(0), m_fIY1(0), m_fCX(0), m_fCY(0), m_nReqShift(0)
{}

CKey::~CKey() = default;

void CKey::Serialize(std::ostream& out)
{
    SerializeUS(out, 1);
    SerializeUS(out, m_nCode);
    SerializeUS(out, static_cast<unsigned short>(static_cast<long>(m_fLength)));
    SerializeUS(out, static_cast<unsigned short>(static_cast<long>(m_fHight)));
    SerializeUS(out, static_cast<unsigned short>(m_nType));
    // The file holds the Shift role before the finger.
    SerializeUS(out, static_cast<unsigned short>(m_nShift));
    SerializeUS(out, static_cast<unsigned short>(m_nFinger));
    CString().Serialize(out);
}

void CKey::Serialize(std::istream& in)
{
    const unsigned short version = SerializeUS(in);
    if (version == 0)
    {
        // Cut-off data reads as zeros: only a real zero word is a wrong version.
        if (in)
            ShowWarning(L"Wrong version file: *.kbd");
        return;
    }
    m_nCode = static_cast<unsigned char>(SerializeUS(in) & 0xFF);
    m_fLength = SerializeUS(in);
    m_fHight = SerializeUS(in);
    m_nType = SerializeUS(in);
    m_nShift = SerializeUS(in);
    m_nFinger = SerializeUS(in);
    CString spare;
    spare.Serialize(in);
}

void CKey::SetDate(const wchar_t* code, const wchar_t* width, const wchar_t* height, unsigned long type,
                   unsigned long shift, unsigned long finger)
{
    m_nCode = static_cast<unsigned char>(LeadingNumber(code) & 0xFF);
    m_fLength = static_cast<float>(LeadingNumber(width));
    m_fHight = static_cast<float>(LeadingNumber(height));
    m_nType = type;
    m_nShift = shift;
    m_nFinger = finger;
}

void CKey::SetText(const wchar_t* text1, const wchar_t* text2, unsigned int codePage)
{
    auto copy = [codePage](const wchar_t* src, wchar_t* dst, char* adst) {
        dst[0] = dst[1] = dst[2] = 0;
        adst[0] = adst[1] = adst[2] = 0;
        if (!src || !src[0])
            return;
        dst[0] = src[0];
        dst[1] = src[1] ? src[1] : 0;
        int n = ::WideCharToMultiByte(codePage, 0, dst, dst[1] ? 2 : 1, adst, 2, nullptr, nullptr);
        if (n <= 0)
            adst[0] = adst[1] = 0;
        adst[2] = 0;
    };
    copy(text1, m_szText1, m_szAText1);
    copy(text2, m_szText2, m_szAText2);
    m_nOneKey = 0;
    if (m_szText1[0] && m_szText2[0])
    {
        m_nOneKey =
            ::CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, m_szText1, 1, m_szText2, 1) == CSTR_EQUAL
                ? 1
                : 0;
    }
}

unsigned long CKey::SetActive(const wchar_t* text)
{
    if (!text || !text[0])
        return 0;
    if (m_szText1[0] && text[0] == m_szText1[0])
    {
        m_nActive = 1;
        return 0;
    }
    if (m_szText2[0] && text[0] == m_szText2[0])
    {
        m_nActive = 1;
        return m_nShift;
    }
    return 0;
}

bool CKey::SetActiveOnlyOne(const wchar_t* text)
{
    const wchar_t ch = text ? text[0] : 0;
    if (ch && m_szText1[0] && ch == m_szText1[0])
    {
        m_nActive = 1;
        m_nReqShift = 0;
        return true;
    }
    if (ch && m_szText2[0] && ch == m_szText2[0])
    {
        m_nActive = 1;
        m_nReqShift = 1;
        return true;
    }
    if (!IsShiftKey())
    {
        m_nActive = 0;
        m_nReqShift = 0;
    }
    return false;
}

const wchar_t* CKey::GetName() const
{
    if (m_szText1[0] || m_szText2[0])
        return L"";
    switch (m_nCode)
    {
    case 0x0E:
        return L"Backspace"; // drawn as the arrow printed on most keyboards
    case 0x0F:
        return L"Tab";
    case 0x3A:
        return L"Caps";
    case 0x1C:
        return L"Enter";
    case 0x2A:
    case 0x36:
        return L"Shift";
    case 0x1D:
        return L"Ctrl";
    case 0x38:
        return L"Alt";
    case 0x5B:
    case 0x5C:
        return L"Win";
    case 0x5D:
        return L"Menu";
    default:
        return L"";
    }
}

void CKey::Calculate(tagKeyDraw& cursor)
{
    if (m_nCode == 0x1C)
        cursor.x += 33.0f;
    if (m_nType == kTypeGap)
    {
        cursor.x += 2.0f * m_fLength - 1.0f;
        m_fX = cursor.x;
        m_fY = cursor.y;
        m_fX1 = m_fX;
        m_fY1 = m_fY;
        m_fCX = m_fX;
        m_fCY = m_fY;
        return;
    }
    if (IsDrawn())
    {
        m_fX1 = cursor.x + 2.0f * m_fLength - 1.0f;
        m_fY1 = cursor.y + 2.0f * m_fHight - 1.0f;
        m_fIX0 = cursor.x + 4.0f;
        m_fIY0 = cursor.y + 4.0f;
        m_fIX1 = cursor.x + 2.0f * m_fLength - 4.0f;
        m_fIY1 = cursor.y + 2.0f * m_fHight - 4.0f;
    }
    else
    {
        // An undrawn key has no extent of its own.
        m_fX1 = cursor.x;
        m_fY1 = cursor.y;
        m_fIX0 = m_fIX1 = cursor.x;
        m_fIY0 = m_fIY1 = cursor.y;
    }
    m_fX = cursor.x;
    m_fY = cursor.y;
    if (m_nType == kTypeRowEnd)
    {
        cursor.x = 0.0f;
        cursor.y -= 2.0f * m_fHight + 1.0f;
    }
    else
    {
        cursor.x += 2.0f * m_fLength + 1.0f;
    }
    m_fCX = m_fX + (m_fX1 - m_fX) / 2.0f;
    m_fCY = m_fY + (m_fY1 - m_fY) / 2.0f;
}

void CKey::Draw()
{
    if (!IsDrawn() || !m_pParent)
        return;

    // Letters first: with the flattened depth whatever is drawn first stays in front.
    // Legends about a third of the key high, in its top-left corner; a shifted symbol sits
    // above the unshifted one, both smaller.
    const float height = m_fY1 - m_fY;
    const wchar_t* name = GetName();
    const float nameY = height - kLegendMargin - kCapHeight * kPairSize;
    if (m_nCode == 0x0E && name[0])
        DrawBackArrow(kLegendMargin, nameY, kPairSize);
    else if (name[0])
    {
        // A word reads best a little smaller than a letter, in the letters' place, and
        // smaller still where the key is narrow.
        const float room = m_fX1 - m_fX - 2 * kLegendMargin;
        const float em = m_pParent->GetGLC().GetTextWidthW(name, wcslen(name));
        const float size = em * kPairSize > room && em > 0 ? room / em : kPairSize;
        DrawName(name, kLegendMargin, nameY, size);
    }
    else if (m_nOneKey || !m_szText2[0])
    {
        const char* text = m_szText2[0] ? m_szAText2 : m_szAText1;
        const float top = height - kLegendMargin - kCapHeight * kLegendSize;
        DrawLetter(text, kLegendMargin, m_nOneKey ? top : kLegendMargin, kLegendSize);
    }
    else
    {
        const float margin = kLegendMargin * 0.75f;
        DrawLetter(m_szAText1, margin, margin, kPairSize);
        DrawLetter(m_szAText2, margin, height - margin - kCapHeight * kPairSize, kPairSize);
    }

    if (m_nTypeView == kView3D)
    {
        DrawShadow11(m_fX + 4, m_fY + 4, m_fX1 - 4, m_fY1 - 4, m_fIX0 + 3, m_fIY0 + 3, m_fIX1 - 3, m_fIY1 - 3,
                     0);
        DrawShadow21(m_fX, m_fY, m_fX1, m_fY1, m_fIX0, m_fIY0, m_fIX1, m_fIY1, 0);
    }
    else if (m_nTypeView == kViewFlat)
    {
        DrawShadow22(m_fX + 1, m_fY + 1, m_fX1 - 1, m_fY1 - 1, m_fIX0 + 1, m_fIY0 + 1, m_fIX1 - 1, m_fIY1 - 1,
                     0);
        DrawShadow12(m_fX, m_fY, m_fX1, m_fY1, m_fIX0, m_fIY0, m_fIX1, m_fIY1, 0);
    }
}

void CKey::SetLegendColour() const
{
    CRGBA colour;
    if (m_nActive)
    {
        if (m_nContrast)
            colour = m_nTypeView == kView3D ? CRGBA(0, 0, 0) : CRGBA(255, 255, 255);
        else
            colour = m_pParent->GetSchemeColour(16);
    }
    else
    {
        colour = m_nContrast ? CRGBA(0, 0, 0) : m_pParent->GetSchemeColour(15);
    }
    glColor3ub(colour.r, colour.g, colour.b);
}

void CKey::DrawName(const wchar_t* name, float dx, float dy, float size)
{
    SetLegendColour();
    glPushMatrix();
    glScalef(size, size, 0.0f);
    glTranslatef((m_fX + dx) / size, (m_fY + dy) / size, 20.0f);
    m_pParent->GetGLC().DrawTextW(name, wcslen(name));
    glPopMatrix();
}

void CKey::DrawBackArrow(float dx, float dy, float size)
{
    // A left arrow a cap height high, fonts need not have the character.
    SetLegendColour();
    const float x0 = m_fX + dx, y = m_fY + dy + kCapHeight * size / 2;
    const float head = 0.45f * size, shaft = 0.12f * size, length = 2.0f * size;
    glBegin(GL_TRIANGLES);
    glVertex2f(x0, y);
    glVertex2f(x0 + head, y + head);
    glVertex2f(x0 + head, y - head);
    glEnd();
    glBegin(GL_QUADS);
    glVertex2f(x0 + head - 0.5f, y - shaft);
    glVertex2f(x0 + length, y - shaft);
    glVertex2f(x0 + length, y + shaft);
    glVertex2f(x0 + head - 0.5f, y + shaft);
    glEnd();
}

void CKey::DrawLetter(const char* text, float dx, float dy, float size)
{
    if (!text || !text[0])
        return;
    SetLegendColour();
    glPushMatrix();
    glScalef(size, size, 0.0f);
    glTranslatef((m_fX + dx) / size, (m_fY + dy) / size, 20.0f);
    m_pParent->GetGLC().EnsureGlyphs(text, 1);
    glListBase(m_pParent->GetListBase());
    glCallLists(1, GL_UNSIGNED_BYTE, text);
    glPopMatrix();
}

// 3D top: the first three points shaded, the rest in the face colour.
void CKey::DrawShadow11(float x0, float y0, float x1, float y1, float ix0, float iy0, float ix1, float iy1,
                        int)
{
    const unsigned long f = m_nFinger;
    CRGBA shade = m_pParent->GetSchemeColour(m_nActive ? 13 : f + 6);
    CRGBA face = m_pParent->GetSchemeColour(m_nActive ? 12 : f);
    if (m_nContrast)
    {
        shade = Brighten(shade, 50);
        face = Brighten(face, 50);
    }
    const CRGBA colours[8] = {shade, shade, shade, face, face, face, face, face};
    Octagon(GL_POLYGON, colours, x0, y0, x1, y1, ix0, iy0, ix1, iy1);
}

// 3D body: the finger's face colour on the first four points, its shade on the others.
void CKey::DrawShadow21(float x0, float y0, float x1, float y1, float ix0, float iy0, float ix1, float iy1,
                        int)
{
    CRGBA face = m_pParent->GetSchemeColour(m_nFinger);
    CRGBA shade = m_pParent->GetSchemeColour(m_nFinger + 6);
    if (m_nContrast)
    {
        shade = Brighten(shade, 50);
        face = Brighten(face, 50);
    }
    const CRGBA colours[8] = {face, face, face, face, shade, shade, shade, shade};
    Octagon(GL_POLYGON, colours, x0, y0, x1, y1, ix0, iy0, ix1, iy1);
}

// Flat fill in one colour.
void CKey::DrawShadow22(float x0, float y0, float x1, float y1, float ix0, float iy0, float ix1, float iy1,
                        int)
{
    CRGBA c;
    if (m_nActive)
        c = m_nContrast ? CRGBA(0, 0, 0) : m_pParent->GetSchemeColour(13);
    else
    {
        c = m_pParent->GetSchemeColour(m_nFinger + 6);
        if (m_nContrast)
            c = Brighten(c, 50);
    }
    const CRGBA colours[8] = {c, c, c, c, c, c, c, c};
    Octagon(GL_POLYGON, colours, x0, y0, x1, y1, ix0, iy0, ix1, iy1);
}

// Flat outline in black.
void CKey::DrawShadow12(float x0, float y0, float x1, float y1, float ix0, float iy0, float ix1, float iy1,
                        int)
{
    const CRGBA black(0, 0, 0);
    const CRGBA colours[8] = {black, black, black, black, black, black, black, black};
    Octagon(GL_LINE_LOOP, colours, x0, y0, x1, y1, ix0, iy0, ix1, iy1);
}

} // namespace KV
