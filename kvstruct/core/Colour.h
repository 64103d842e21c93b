#pragma once
// Colours: one RGBA value and a versioned list of them.
#include "kvstruct/kvstruct_api.h"
#include <windows.h>
#include <istream>
#include <ostream>
#include <vector>

namespace KV {

class KVSTRUCT_API CRGBA
{
public:
    CRGBA() : r(0), g(0), b(0), a(0) {}
    CRGBA(unsigned char red, unsigned char green, unsigned char blue, unsigned char alpha = 0)
        : r(red), g(green), b(blue), a(alpha)
    {}

    void Set(unsigned char red, unsigned char green, unsigned char blue, unsigned char alpha)
    {
        r = red;
        g = green;
        b = blue;
        a = alpha;
    }
    void Set(COLORREF colour);
    COLORREF GetCOLORREF() const { return RGB(r, g, b); }

    void SetColorGL() const;
    void SetColorGL(unsigned char lighten, unsigned char darken, unsigned char unused) const;
    void ClearColorGL() const;

    // r, g, b as UInt16 each; alpha is not stored and survives a read.
    void Serialize(std::ostream& out) const;
    void Serialize(std::istream& in);

    bool operator==(const CRGBA& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
    bool operator!=(const CRGBA& o) const { return !(*this == o); }

    unsigned char r, g, b, a;
};

class KVSTRUCT_API CListRGBA : public std::vector<CRGBA>
{
public:
    CListRGBA() = default;
    CListRGBA(const CListRGBA&) = default;
    CListRGBA& operator=(const CListRGBA&) = default;
    virtual ~CListRGBA();
    virtual void Serialize(std::ostream& out) const;
    // Only version 1 is read; any other version leaves the list unchanged.
    virtual void Serialize(std::istream& in);
};

} // namespace KV
