#include "kvfwctrl/typing/LettersOut.h"
#include <GL/gl.h>

namespace KV {

CLettersOut::CLettersOut()
    : m_normal(100, 100, 100), m_error(255, 0, 0), m_rhythm(255, 120, 120), m_nLetterAdvance(0), m_nSecond(3),
      m_pVisible(nullptr), m_pText(nullptr), m_pErrors(nullptr), m_nFirstVisible(0), m_nTyped(0),
      m_nVisible(0), m_nCapacity(9), m_fScale(80), m_nFontHeight(0), m_pGlyphWidths(nullptr), m_fDrawScale(0)
{}

CLettersOut::~CLettersOut() = default;

void CLettersOut::SetHightFont(int height, float scale)
{
    m_fScale = scale;
    m_nFontHeight = -height;
}

void CLettersOut::SetLengthText(unsigned long capacity)
{
    m_nCapacity = capacity;
    CalcTextDate();
}

void CLettersOut::SetWidthLetter(unsigned long advance, unsigned long second)
{
    m_nLetterAdvance = advance;
    m_nSecond = second;
}

void CLettersOut::SetColors(const CRGBA& normal, const CRGBA& error, const CRGBA& rhythm)
{
    m_normal = normal;
    m_error = error;
    m_rhythm = rhythm;
}

void CLettersOut::AddLetter(const char* text, unsigned long typed)
{
    m_pText = text;
    m_nTyped = text ? typed : 0;
    CalcTextDate();
}

void CLettersOut::CalcTextDate()
{
    if (!m_pText || m_nTyped == 0 || m_nCapacity == 0)
    {
        m_nFirstVisible = 0;
        m_nVisible = 0;
        m_pVisible = m_pText;
        return;
    }
    m_nFirstVisible = m_nTyped < m_nCapacity ? 0 : m_nTyped - m_nCapacity;
    m_nVisible = m_nTyped - m_nFirstVisible;
    m_pVisible = m_pText + m_nFirstVisible;
}

const CRGBA& CLettersOut::GetLetterColour(unsigned long index) const
{
    if (m_pErrors)
    {
        if (m_pErrors[index] == 1)
            return m_error;
        if (m_pErrors[index] == 2)
            return m_rhythm;
    }
    return m_normal;
}

float CLettersOut::GetAdvance(unsigned char ch) const
{
    const float width = m_pGlyphWidths ? m_pGlyphWidths[ch] : 0.0f;
    return width > 0 ? width * (m_fDrawScale > 0 ? m_fDrawScale : m_fScale) : GetAdvance();
}

void CLettersOut::Draw(const RECT& frame)
{
    if (!m_pText || m_nTyped == 0)
        return;
    const float scale = m_fDrawScale > 0 ? m_fDrawScale : m_fScale;
    const float y = frame.bottom / 2.0f - 10.0f;
    float x = frame.right / 2.0f;
    // With the font's own advances as many characters as the left half holds; else the
    // fixed window of the last characters.
    const unsigned long first = m_pGlyphWidths ? 0 : m_nFirstVisible;
    for (unsigned long index = m_nTyped; index-- > first && x > frame.left;)
    {
        const CRGBA& colour = GetLetterColour(index);
        glColor3ub(colour.r, colour.g, colour.b);
        const unsigned char ch = static_cast<unsigned char>(m_pText[index]);
        const float advance = GetAdvance(ch);
        x -= advance;
        if (ch == ' ' && m_pErrors && m_pErrors[index] != 0)
        {
            // A wrong space would be invisible: box it.
            const float inset = advance > 16 ? 4.0f : advance / 8;
            glBegin(GL_LINE_LOOP);
            glVertex3f(x + inset, y, -5.0f);
            glVertex3f(x + advance, y, -5.0f);
            glVertex3f(x + advance, y + 10, -5.0f);
            glVertex3f(x + inset, y + 10, -5.0f);
            glEnd();
        }
        glPushMatrix();
        glTranslatef(x, y, 0.0f);
        glScalef(scale, scale, scale);
        glCallLists(1, GL_UNSIGNED_BYTE, &ch);
        glPopMatrix();
    }
}

} // namespace KV
