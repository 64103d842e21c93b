#include "kvstruct/core/Colour.h"
#include "kvstruct/core/Serialize.h"

#include <GL/gl.h>

namespace KV {

void CRGBA::Set(COLORREF colour)
{
    r = GetRValue(colour);
    g = GetGValue(colour);
    b = GetBValue(colour);
    a = 0;
}

void CRGBA::SetColorGL() const
{
    glColor3ub(r, g, b);
}

void CRGBA::SetColorGL(unsigned char lighten, unsigned char darken, unsigned char) const
{
    auto shift = [&](unsigned char c) -> unsigned char {
        if (lighten)
            return static_cast<unsigned char>(c + lighten > 255 ? 255 : c + lighten);
        if (darken)
            return static_cast<unsigned char>(c < darken ? 0 : c - darken);
        return c;
    };
    glColor3ub(shift(r), shift(g), shift(b));
}

void CRGBA::ClearColorGL() const
{
    glClearColor(r / 255.0f, g / 255.0f, b / 255.0f, 0.0f);
}

void CRGBA::Serialize(std::ostream& out) const
{
    SerializeUS(out, r);
    SerializeUS(out, g);
    SerializeUS(out, b);
}

void CRGBA::Serialize(std::istream& in)
{
    r = static_cast<unsigned char>(SerializeUS(in) & 0xFF);
    g = static_cast<unsigned char>(SerializeUS(in) & 0xFF);
    b = static_cast<unsigned char>(SerializeUS(in) & 0xFF);
}

CListRGBA::~CListRGBA() = default;

void CListRGBA::Serialize(std::ostream& out) const
{
    SerializeUS(out, 1);
    SerializeUS(out, static_cast<unsigned short>(size()));
    for (const CRGBA& c : *this)
        c.Serialize(out);
}

void CListRGBA::Serialize(std::istream& in)
{
    if (SerializeUS(in) != 1)
        return;
    clear();
    unsigned short n = SerializeUS(in);
    for (unsigned short i = 0; i < n && in.good(); ++i)
    {
        CRGBA c;
        c.Serialize(in);
        if (in.fail())
            break;
        push_back(c);
    }
}

} // namespace KV
