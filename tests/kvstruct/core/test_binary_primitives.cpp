#include "kvstruct/kvstruct.h"
#include "common/fwtest.h"

#include <gtest/gtest.h>
#include <sstream>

using fwtest::Hex;

namespace {

std::string Bytes(const std::ostringstream& out)
{
    return out.str();
}

} // namespace

TEST(BinaryPrimitives, IntegersAreLittleEndian)
{
    std::ostringstream out;
    KV::SerializeUL(out, 0x12345678);
    KV::SerializeUS(out, 0xABCD);
    KV::SerializeUC(out, 0x7F);
    EXPECT_EQ(Hex(Bytes(out)), "78 56 34 12 cd ab 7f");

    std::istringstream in(out.str());
    EXPECT_EQ(KV::SerializeUL(in), 0x12345678u);
    EXPECT_EQ(KV::SerializeUS(in), 0xABCD);
    EXPECT_EQ(KV::SerializeUC(in), 0x7F);
    EXPECT_TRUE(in.good());
}

TEST(BinaryPrimitives, ReadPastTheEndGivesZeroAndFails)
{
    // Each missing byte reads as 0; the bytes that were there are kept.
    std::istringstream in(std::string("\x34", 1));
    EXPECT_EQ(KV::SerializeUS(in), 0x34u);
    EXPECT_TRUE(in.fail());
    EXPECT_EQ(KV::SerializeUL(in), 0u);
    EXPECT_EQ(KV::SerializeUC(in), 0u);
}

TEST(CStringForm, EmptyStringIsTwoZeroBytes)
{
    KV::CString s;
    EXPECT_NE(s.GetW(), nullptr);
    std::ostringstream out;
    s.Serialize(out);
    EXPECT_EQ(Hex(out.str()), "00 00");
    KV::CString back(L"junk");
    std::istringstream in(out.str());
    back.Serialize(in);
    EXPECT_TRUE(back.IsEmpty());
    EXPECT_NE(back.GetW(), nullptr);
}

TEST(CStringForm, AbcIsCountThenUnits)
{
    KV::CString s(L"abc");
    std::ostringstream out;
    s.Serialize(out);
    EXPECT_EQ(Hex(out.str()), "03 00 61 00 62 00 63 00");
    KV::CString back;
    std::istringstream in(out.str());
    back.Serialize(in);
    EXPECT_TRUE(back == L"abc");
}

TEST(CStringForm, LengthIsWrittenModulo65536)
{
    std::wstring text(65537, L'x');
    KV::CString s(text.c_str());
    std::ostringstream out;
    s.Serialize(out);
    EXPECT_EQ(out.str().size(), 2u + 2u);
    EXPECT_EQ(Hex(out.str()), "01 00 78 00");
}

TEST(CStringForm, TruncatedStringKeepsWhatWasRead)
{
    std::istringstream in(std::string("\x05\x00\x41\x00\x42", 5));
    KV::CString s;
    s.Serialize(in);
    EXPECT_TRUE(s == L"AB");
}

TEST(CStringBehaviour, CopyCompareAndHelpers)
{
    KV::CString a(L"Lesson");
    KV::CString b(a);
    EXPECT_TRUE(a == b);
    b = L"lesson";
    EXPECT_TRUE(a != b);
    EXPECT_EQ(a.GetLength(), 6u);
    a.Empty();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_EQ(KV::CString::Cmp(L"x", L"x"), 1);
    EXPECT_EQ(KV::CString::Cmp(L"x", L"y"), 0);
    wchar_t buf[32];
    EXPECT_STREQ(KV::CString::Itow(buf, 255, 16), L"ff");
    KV::CString::Copy(buf, L"ab");
    EXPECT_STREQ(KV::CString::Cat(buf, L"cd"), L"abcd");
}

TEST(CStringBehaviour, InitUniCodePrefixesMarker)
{
    KV::CString s;
    s.InitUniCode(L"hi");
    ASSERT_EQ(s.GetLength(), 3u);
    EXPECT_EQ(*s.GetW(0), 0xFFFE);
    EXPECT_STREQ(s.GetW(1), L"hi");
    s.InitUniCode(L"");
    EXPECT_TRUE(s.IsEmpty());
}

TEST(Geometry, PointUS16RoundTripLosesSign)
{
    KV::CPoint p(-5, 7);
    std::ostringstream o1, o2;
    p.SerializeUS(o1);
    p.Serialize(o2);
    EXPECT_EQ(Hex(o1.str()), "fb ff 07 00");
    EXPECT_EQ(o2.str().size(), 8u);
    KV::CPoint a, b;
    std::istringstream i1(o1.str()), i2(o2.str());
    a.SerializeUS(i1);
    b.Serialize(i2);
    EXPECT_EQ(a.x, 65531);
    EXPECT_EQ(a.y, 7);
    EXPECT_EQ(b.x, -5);
    EXPECT_EQ(b.y, 7);
}

TEST(Geometry, PackedPointIsSignExtended)
{
    KV::CPoint p(0xFFFE0003ul);
    EXPECT_EQ(p.x, 3);
    EXPECT_EQ(p.y, -2);
}

TEST(Geometry, OperatorsFollowTheirTypes)
{
    KV::CPoint p(10, 20);
    KV::CSize d = p - KV::CPoint(4, 5);
    EXPECT_EQ(d.cx, 6);
    EXPECT_EQ(d.cy, 15);
    KV::CPoint q = p + KV::CSize(1, 2);
    EXPECT_TRUE(q == KV::CPoint(11, 22));
    EXPECT_TRUE(-q == KV::CPoint(-11, -22));
}

TEST(Geometry, RectFollowsPlatformRules)
{
    KV::CRect r(0, 0, 10, 10);
    EXPECT_EQ(r.PtInRect(KV::CPoint(0, 0)), 1);
    EXPECT_EQ(r.PtInRect(KV::CPoint(10, 5)), 0);
    KV::CRect i;
    EXPECT_NE(i.IntersectRect(r, KV::CRect(5, 5, 20, 20)), 0);
    EXPECT_TRUE(i == KV::CRect(5, 5, 10, 10));
    EXPECT_EQ(i.IntersectRect(r, KV::CRect(20, 20, 30, 30)), 0);
    std::ostringstream out;
    KV::CRect(1, -2, 3, 4).Serialize(out);
    EXPECT_EQ(out.str().size(), 16u);
    KV::CRect back;
    std::istringstream in(out.str());
    back.Serialize(in);
    EXPECT_TRUE(back == KV::CRect(1, -2, 3, 4));
}

TEST(Colour, AlphaIsNotStored)
{
    KV::CRGBA c(1, 2, 3, 200);
    std::ostringstream out;
    c.Serialize(out);
    EXPECT_EQ(Hex(out.str()), "01 00 02 00 03 00");
    KV::CRGBA target(0, 0, 0, 9);
    std::istringstream in(out.str());
    target.Serialize(in);
    EXPECT_EQ(target.r, 1);
    EXPECT_EQ(target.b, 3);
    EXPECT_EQ(target.a, 9);
}

TEST(Colour, ColorrefConversion)
{
    KV::CRGBA c(0, 0, 0, 77);
    c.Set(RGB(10, 20, 30));
    EXPECT_EQ(c.a, 0);
    EXPECT_EQ(c.GetCOLORREF(), 0x001E140Au);
}

TEST(Colour, ListReadsOnlyVersionOne)
{
    KV::CListRGBA list;
    list.push_back(KV::CRGBA(1, 2, 3));
    list.push_back(KV::CRGBA(4, 5, 6));
    std::ostringstream out;
    list.Serialize(out);
    EXPECT_EQ(Hex(out.str()), "01 00 02 00 01 00 02 00 03 00 04 00 05 00 06 00");

    KV::CListRGBA back;
    back.push_back(KV::CRGBA(9, 9, 9));
    std::istringstream in(out.str());
    back.Serialize(in);
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[1].g, 5);

    std::istringstream bad(std::string("\x02\x00\x01\x00", 4));
    back.Serialize(bad);
    EXPECT_EQ(back.size(), 2u);
    EXPECT_EQ(KV::StreamBytesLeft(bad), 2);
}
