#pragma once
// Points, sizes and rectangles in the platform's POINT, SIZE and RECT layouts.
#include "kvstruct/kvstruct_api.h"
#include <windows.h>
#include <istream>
#include <ostream>

namespace KV {

class CSize;

class KVSTRUCT_API CPoint : public tagPOINT
{
public:
    CPoint()
    {
        x = 0;
        y = 0;
    }
    CPoint(int px, int py)
    {
        x = px;
        y = py;
    }
    CPoint(const POINT& pt)
    {
        x = pt.x;
        y = pt.y;
    }
    CPoint(const SIZE& sz)
    {
        x = sz.cx;
        y = sz.cy;
    }
    // Low word is x, high word is y, both sign-extended (as in mouse messages).
    explicit CPoint(unsigned long packed);

    void Offset(int dx, int dy)
    {
        x += dx;
        y += dy;
    }
    void Offset(const POINT& pt) { Offset(pt.x, pt.y); }
    void Offset(const SIZE& sz) { Offset(sz.cx, sz.cy); }
    CPoint& operator+=(const POINT& pt)
    {
        Offset(pt);
        return *this;
    }
    CPoint& operator+=(const SIZE& sz)
    {
        Offset(sz);
        return *this;
    }
    CPoint& operator-=(const POINT& pt)
    {
        Offset(-pt.x, -pt.y);
        return *this;
    }
    CPoint& operator-=(const SIZE& sz)
    {
        Offset(-sz.cx, -sz.cy);
        return *this;
    }
    bool operator==(const POINT& pt) const { return x == pt.x && y == pt.y; }
    bool operator!=(const POINT& pt) const { return !(*this == pt); }
    CPoint operator-() const { return CPoint(-x, -y); }
    CPoint operator+(const SIZE& sz) const { return CPoint(x + sz.cx, y + sz.cy); }
    CPoint operator-(const SIZE& sz) const { return CPoint(x - sz.cx, y - sz.cy); }
    CPoint operator+(const POINT& pt) const { return CPoint(x + pt.x, y + pt.y); }
    CSize operator-(const POINT& pt) const;

    // Serialize: 32 bits per coordinate. SerializeUS: low 16 bits, read back zero-extended.
    void Serialize(std::ostream& out) const;
    void Serialize(std::istream& in);
    void SerializeUS(std::ostream& out) const;
    void SerializeUS(std::istream& in);
};

class KVSTRUCT_API CSize : public tagSIZE
{
public:
    CSize()
    {
        cx = 0;
        cy = 0;
    }
    CSize(int w, int h)
    {
        cx = w;
        cy = h;
    }
    CSize(const SIZE& sz)
    {
        cx = sz.cx;
        cy = sz.cy;
    }
    CSize(const POINT& pt)
    {
        cx = pt.x;
        cy = pt.y;
    }
    explicit CSize(unsigned long packed);

    void Offset(int dx, int dy)
    {
        cx += dx;
        cy += dy;
    }
    void Offset(const POINT& pt) { Offset(pt.x, pt.y); }
    void Offset(const SIZE& sz) { Offset(sz.cx, sz.cy); }
    CSize& operator+=(const SIZE& sz)
    {
        Offset(sz);
        return *this;
    }
    CSize& operator+=(const POINT& pt)
    {
        Offset(pt);
        return *this;
    }
    CSize& operator-=(const SIZE& sz)
    {
        Offset(-sz.cx, -sz.cy);
        return *this;
    }
    CSize& operator-=(const POINT& pt)
    {
        Offset(-pt.x, -pt.y);
        return *this;
    }
    bool operator==(const SIZE& sz) const { return cx == sz.cx && cy == sz.cy; }
    bool operator!=(const SIZE& sz) const { return !(*this == sz); }
    CSize operator-() const { return CSize(-cx, -cy); }
    CSize operator+(const SIZE& sz) const { return CSize(cx + sz.cx, cy + sz.cy); }
    CSize operator-(const SIZE& sz) const { return CSize(cx - sz.cx, cy - sz.cy); }
    CPoint operator+(const POINT& pt) const { return CPoint(cx + pt.x, cy + pt.y); }
    CPoint operator-(const POINT& pt) const { return CPoint(cx - pt.x, cy - pt.y); }

    void Serialize(std::ostream& out) const;
    void Serialize(std::istream& in);
    void SerializeUS(std::ostream& out) const;
    void SerializeUS(std::istream& in);
};

inline CSize CPoint::operator-(const POINT& pt) const
{
    return CSize(x - pt.x, y - pt.y);
}

class KVSTRUCT_API CRect : public tagRECT
{
public:
    CRect() { left = top = right = bottom = 0; }
    CRect(int l, int t, int r, int b)
    {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    CRect(const RECT& rc)
    {
        left = rc.left;
        top = rc.top;
        right = rc.right;
        bottom = rc.bottom;
    }

    void Set(int l, int t, int r, int b)
    {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    CRect& operator=(const RECT& rc)
    {
        Set(rc.left, rc.top, rc.right, rc.bottom);
        return *this;
    }
    void GetRECT(RECT& rc) const { rc = *this; }
    bool operator==(const RECT& rc) const
    {
        return left == rc.left && top == rc.top && right == rc.right && bottom == rc.bottom;
    }
    bool operator!=(const RECT& rc) const { return !(*this == rc); }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }

    void OffsetRect(int dx, int dy) { ::OffsetRect(this, dx, dy); }
    void OffsetRect(const POINT& pt) { OffsetRect(pt.x, pt.y); }
    void OffsetRect(const SIZE& sz) { OffsetRect(sz.cx, sz.cy); }
    int IntersectRect(const RECT& a, const RECT& b) { return ::IntersectRect(this, &a, &b); }
    int UnionRect(const RECT& a, const RECT& b) { return ::UnionRect(this, &a, &b); }
    int SubtractRect(const RECT& a, const RECT& b) { return ::SubtractRect(this, &a, &b); }
    int PtInRect(const POINT& pt) const { return ::PtInRect(this, pt); }
    void SetRectEmpty() { ::SetRectEmpty(this); }
    bool IsRectEmpty() const { return ::IsRectEmpty(this) != 0; }

    void Serialize(std::ostream& out) const;
    void Serialize(std::istream& in);
    void SerializeUS(std::ostream& out) const;
    void SerializeUS(std::istream& in);
};

} // namespace KV
