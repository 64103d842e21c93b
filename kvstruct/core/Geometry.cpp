#include "kvstruct/core/Geometry.h"
#include "kvstruct/core/Serialize.h"

namespace KV {

namespace {
inline int Low16Signed(unsigned long v)
{
    return static_cast<short>(v & 0xFFFF);
}
inline int High16Signed(unsigned long v)
{
    return static_cast<short>((v >> 16) & 0xFFFF);
}
inline void PutL(std::ostream& out, long v)
{
    SerializeUL(out, static_cast<unsigned long>(v));
}
inline long GetL(std::istream& in)
{
    return static_cast<long>(SerializeUL(in));
}
inline void PutS(std::ostream& out, long v)
{
    SerializeUS(out, static_cast<unsigned short>(v & 0xFFFF));
}
inline long GetS(std::istream& in)
{
    return static_cast<long>(SerializeUS(in));
}
} // namespace

CPoint::CPoint(unsigned long packed)
{
    x = Low16Signed(packed);
    y = High16Signed(packed);
}

void CPoint::Serialize(std::ostream& out) const
{
    PutL(out, x);
    PutL(out, y);
}
void CPoint::Serialize(std::istream& in)
{
    x = GetL(in);
    y = GetL(in);
}
void CPoint::SerializeUS(std::ostream& out) const
{
    PutS(out, x);
    PutS(out, y);
}
void CPoint::SerializeUS(std::istream& in)
{
    x = GetS(in);
    y = GetS(in);
}

CSize::CSize(unsigned long packed)
{
    cx = Low16Signed(packed);
    cy = High16Signed(packed);
}

void CSize::Serialize(std::ostream& out) const
{
    PutL(out, cx);
    PutL(out, cy);
}
void CSize::Serialize(std::istream& in)
{
    cx = GetL(in);
    cy = GetL(in);
}
void CSize::SerializeUS(std::ostream& out) const
{
    PutS(out, cx);
    PutS(out, cy);
}
void CSize::SerializeUS(std::istream& in)
{
    cx = GetS(in);
    cy = GetS(in);
}

void CRect::Serialize(std::ostream& out) const
{
    PutL(out, left);
    PutL(out, top);
    PutL(out, right);
    PutL(out, bottom);
}
void CRect::Serialize(std::istream& in)
{
    left = GetL(in);
    top = GetL(in);
    right = GetL(in);
    bottom = GetL(in);
}
void CRect::SerializeUS(std::ostream& out) const
{
    PutS(out, left);
    PutS(out, top);
    PutS(out, right);
    PutS(out, bottom);
}
void CRect::SerializeUS(std::istream& in)
{
    left = GetS(in);
    top = GetS(in);
    right = GetS(in);
    bottom = GetS(in);
}

} // namespace KV
