#include "common/fwtest.h"
#include "../bmp_maker.h"
#include "kvstruct/image/Bitmap.h"
#include "kvstruct/image/Dib.h"

#include <gtest/gtest.h>
#include <random>

using namespace bmptest;

namespace {

const Rgb R{255, 0, 0}, G{0, 255, 0}, B{0, 0, 255}, W{255, 255, 255}, K{0, 0, 0};
const Rgb M{255, 0, 255};

std::wstring WriteTemp(const std::string& bytes, const wchar_t* name = L"pic.bmp")
{
    std::wstring path = fwtest::MakeTempDir(L"dib") + L"\\" + name;
    EXPECT_TRUE(fwtest::WriteFileBytes(path, bytes));
    return path;
}

// Attaches the bytes after the file header.
bool AttachFile(KV::CDib& dib, const std::string& file)
{
    return dib.Attach(file.data() + 14, file.size() - 14);
}

std::string Colour(const KV::CDib& dib, unsigned long row, unsigned long col)
{
    unsigned char r = 0, g = 0, b = 0;
    int res = dib.GetColour(row, col, r, g, b);
    char buf[32];
    snprintf(buf, sizeof buf, "%d:%02X%02X%02X", res, r, g, b);
    return buf;
}

// A 32-bit top-down DIB section with a memory DC, to read drawn pixels back.
struct Canvas
{
    Canvas(int w, int h) : width(w), height(h)
    {
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        dc = CreateCompatibleDC(nullptr);
        bmp = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
        old = SelectObject(dc, bmp);
        for (int i = 0; i < w * h; ++i)
            bits[i] = 0x00123456;
    }
    ~Canvas()
    {
        SelectObject(dc, old);
        DeleteObject(bmp);
        DeleteDC(dc);
    }
    // 0xRRGGBB at (x, y) from the top.
    DWORD At(int x, int y)
    {
        GdiFlush();
        return bits[y * width + x] & 0xFFFFFF;
    }
    int width, height;
    HDC dc;
    HBITMAP bmp;
    HGDIOBJ old;
    DWORD* bits = nullptr;
};

HBITMAP MakeBitmap(int w, int h, const std::vector<DWORD>& topDownRgb)
{
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    DWORD* bits = nullptr;
    HBITMAP bmp = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0);
    for (int i = 0; i < w * h; ++i)
        bits[i] = topDownRgb[i];
    return bmp;
}

} // namespace

TEST(DibLoad, Plain24BitRowsArePadded)
{
    // 3 x 2: 9 bytes of pixels and 3 of padding per row.
    std::string file = Bmp24({{R, G, B}, {W, K, M}});
    ASSERT_EQ(file.size(), 14u + 40u + 24u);
    KV::CDib dib;
    ASSERT_TRUE(dib.Load(WriteTemp(file).c_str()));
    EXPECT_EQ(dib.IsLoad(), 1);
    EXPECT_EQ(dib.GetSize(), KV::CSize(3, 2));
    EXPECT_EQ(dib.GetStride(), 12u);
    EXPECT_EQ(dib.GetBitCount(), 24);
    EXPECT_EQ(dib.GetImageSize(), 24u);
    EXPECT_FALSE(dib.IsTopDown());
    EXPECT_EQ(Colour(dib, 0, 0), "0:FF0000");
    EXPECT_EQ(Colour(dib, 0, 2), "0:0000FF");
}

TEST(DibColour, RowsAboveTheFirstUseThePaddedStride)
{
    // Rows lie 12 bytes apart, not 9: row 1 starts after the padding of row 0.
    KV::CDib dib;
    ASSERT_TRUE(AttachFile(dib, Bmp24({{R, G, B}, {W, K, M}})));
    EXPECT_EQ(Colour(dib, 1, 0), "0:FFFFFF");
    EXPECT_EQ(Colour(dib, 1, 1), "0:000000");
    EXPECT_EQ(Colour(dib, 1, 2), "0:FF00FF");
}

TEST(DibColour, OutsideOrEmpty)
{
    KV::CDib empty;
    EXPECT_EQ(Colour(empty, 0, 0), "1:000000");
    KV::CDib dib;
    ASSERT_TRUE(AttachFile(dib, Bmp24({{R, G, B}, {W, K, M}})));
    EXPECT_EQ(Colour(dib, 0, 3)[0], '2');
    EXPECT_EQ(Colour(dib, 2, 0)[0], '2');
    EXPECT_EQ(Colour(dib, 0xFFFFFFFF, 0xFFFFFFFF)[0], '2');
}

TEST(DibLoad, TopDownHeightIsMadePositive)
{
    KV::CDib dib;
    ASSERT_TRUE(AttachFile(dib, Bmp24({{R, G}, {B, W}}, true)));
    // Stored top row first: R G on top, B W below. Rows are kept bottom-up, so row 0 is
    // the bottom row whichever way the file stores them.
    EXPECT_TRUE(dib.IsTopDown());
    EXPECT_EQ(dib.GetSize(), KV::CSize(2, 2));
    EXPECT_EQ(Colour(dib, 0, 0), "0:0000FF");
    EXPECT_EQ(Colour(dib, 1, 1), "0:00FF00");
    EXPECT_GT(dib.GetpInfo()->bmiHeader.biHeight, 0);
}

TEST(DibLoad, CoreHeaderWithThreeByteColourTable)
{
    std::string body;
    Put32(body, 12);
    Put16(body, 3); // width
    Put16(body, 1); // height
    Put16(body, 1);
    Put16(body, 8);
    for (int i = 0; i < 256; ++i)
    { // blue, green, red
        body.push_back(static_cast<char>(i));
        body.push_back(static_cast<char>(255 - i));
        body.push_back(static_cast<char>(i / 2));
    }
    body += std::string("\x00\x80\xFF\x00", 4);
    KV::CDib dib;
    ASSERT_TRUE(dib.Load(WriteTemp(WithFileHeader(body)).c_str()));
    EXPECT_EQ(dib.GetSize(), KV::CSize(3, 1));
    EXPECT_EQ(dib.GetColourCount(), 256u);
    EXPECT_EQ(Colour(dib, 0, 0), "0:00FF00");
    EXPECT_EQ(Colour(dib, 0, 1), "0:407F80");
    EXPECT_EQ(Colour(dib, 0, 2), "0:7F00FF");
    // Handed to GDI as an information header with a 4-byte table.
    EXPECT_EQ(dib.GetpInfo()->bmiHeader.biSize, 40u);
    EXPECT_EQ(dib.GetpInfo()->bmiColors[1].rgbBlue, 1);
}

TEST(DibLoad, PaletteWithColoursUsedAndFourBitPixels)
{
    std::string body = InfoHeader(3, 1, 4, 0, 0, 2);
    Put32(body, 0x00FF0000);                    // red
    Put32(body, 0x000000FF);                    // blue
    body += std::string("\x01\x00\x00\x00", 4); // pixels 0, 1, 0
    KV::CDib dib;
    ASSERT_TRUE(AttachFile(dib, WithFileHeader(body)));
    EXPECT_EQ(dib.GetColourCount(), 2u);
    EXPECT_EQ(Colour(dib, 0, 0), "0:FF0000");
    EXPECT_EQ(Colour(dib, 0, 1), "0:0000FF");
    EXPECT_EQ(Colour(dib, 0, 2), "0:FF0000");
}

TEST(DibLoad, BitFieldImagesWithMasksAfterTheHeader)
{
    // 16 bits, 5-6-5.
    std::string body = InfoHeader(2, 1, 16, 3);
    Put32(body, 0xF800);
    Put32(body, 0x07E0);
    Put32(body, 0x001F);
    Put16(body, 0xF800);
    Put16(body, 0x07FF);
    KV::CDib dib;
    ASSERT_TRUE(AttachFile(dib, WithFileHeader(body)));
    ASSERT_NE(dib.GetpMasks(), nullptr);
    EXPECT_EQ(dib.GetpMasks()[0], 0xF800u);
    EXPECT_EQ(Colour(dib, 0, 0), "0:FF0000");
    EXPECT_EQ(Colour(dib, 0, 1), "0:00FFFF");
}

TEST(DibLoad, LongHeaderCarriesItsOwnMasks)
{
    // A 124-byte header keeps the masks inside; the pixels follow it directly.
    std::string body = InfoHeader(1, 1, 32, 3, 0, 0, 124);
    auto put = [&](size_t at, uint32_t v) {
        for (int i = 0; i < 4; ++i)
            body[at + i] = static_cast<char>((v >> (8 * i)) & 0xFF);
    };
    put(40, 0x000000FF); // red in the low byte
    put(44, 0x0000FF00);
    put(48, 0x00FF0000);
    Put32(body, 0x00331122);
    KV::CDib dib;
    ASSERT_TRUE(AttachFile(dib, WithFileHeader(body)));
    EXPECT_EQ(Colour(dib, 0, 0), "0:221133");
}

TEST(DibLoad, FileThatIsNotABitmapLeavesItEmpty)
{
    KV::CDib dib;
    EXPECT_TRUE(dib.Load(WriteTemp("GIF89a this is not a bitmap at all").c_str()));
    EXPECT_EQ(dib.IsLoad(), 0);
    EXPECT_EQ(dib.GetSize(), KV::CSize(0, 0));
    EXPECT_TRUE(dib.Load(WriteTemp("BM").c_str()));
    EXPECT_EQ(dib.IsLoad(), 0);
    EXPECT_EQ(dib.Draw(nullptr, 0, 0, 1, 1), -1);
}

TEST(DibLoad, MissingFileOrNullNameFails)
{
    KV::CDib dib;
    EXPECT_FALSE(dib.Load(nullptr));
    EXPECT_FALSE(dib.Load((fwtest::MakeTempDir() + L"\\none.bmp").c_str()));
    EXPECT_FALSE(dib.LoadA(nullptr));
}

TEST(DibLoad, SizeFieldLongerThanTheFileLeavesItEmpty)
{
    std::string file = Bmp24({{R, G, B}});
    KV::CDib dib;
    EXPECT_TRUE(dib.Load(WriteTemp(WithFileHeader(file.substr(14), file.size() + 1)).c_str()));
    EXPECT_EQ(dib.IsLoad(), 0);
    EXPECT_TRUE(dib.Load(WriteTemp(WithFileHeader(file.substr(14), 0xFFFFFFFF)).c_str()));
    EXPECT_EQ(dib.IsLoad(), 0);
}

TEST(DibLoad, AbsurdHeadersAreRefused)
{
    struct Case
    {
        const char* what;
        std::string body;
    } cases[] = {
        {"huge claimed in a few bytes", InfoHeader(65535, 65535, 24) + "abcd"},
        {"negative width", InfoHeader(-4, 1, 24) + std::string(16, 'x')},
        {"lowest height", InfoHeader(1, INT32_MIN, 24) + std::string(16, 'x')},
        {"zero width", InfoHeader(0, 1, 24) + std::string(16, 'x')},
        {"one row short", InfoHeader(2, 3, 24) + std::string(16, 'x')},
        {"odd bit count", InfoHeader(1, 1, 7) + std::string(16, 'x')},
        {"zero bits uncompressed", InfoHeader(1, 1, 0) + std::string(16, 'x')},
        {"unknown header", InfoHeader(1, 1, 24, 0, 0, 0, 64) + std::string(16, 'x')},
        {"header longer than data", InfoHeader(1, 1, 24, 0, 0, 0, 124).substr(0, 60)},
        {"colour count beyond data", InfoHeader(1, 1, 24, 0, 0, 0xFFFFFFF0) + std::string(16, 'x')},
        {"masks missing", InfoHeader(1, 1, 16, 3).substr(0, 44)},
        {"run length with wrong depth", InfoHeader(1, 1, 24, 1, 4) + std::string(4, 'x')},
        {"run length longer than data", InfoHeader(1, 1, 8, 1, 100000) + std::string(1024 + 4, 'x')},
        {"top-down run length", InfoHeader(1, -1, 8, 1, 4) + std::string(1024 + 4, 'x')},
        {"unknown compression", InfoHeader(1, 1, 24, 9) + std::string(16, 'x')},
        {"tiny", std::string("\x28\x00\x00", 3)},
    };
    for (const Case& c : cases)
    {
        KV::CDib dib;
        EXPECT_FALSE(dib.Load(WriteTemp(WithFileHeader(c.body)).c_str())) << c.what;
        EXPECT_EQ(dib.IsLoad(), 0) << c.what;
        EXPECT_EQ(dib.GetSize(), KV::CSize(0, 0)) << c.what;
        EXPECT_EQ(KV::GetBITMAPW(WriteTemp(WithFileHeader(c.body)).c_str()), nullptr) << c.what;
    }
}

TEST(DibLoad, RandomDamageNeverReadsOutside)
{
    // Mutated headers of valid pictures: whatever attaches must answer for every pixel.
    std::mt19937 rng(1234);
    const std::string good[] = {Bmp24({{R, G, B}, {W, K, M}}),
                                WithFileHeader(InfoHeader(3, 1, 4, 0, 0, 2) + std::string(12, '\x11'))};
    int attached = 0;
    for (int round = 0; round < 3000; ++round)
    {
        std::string file = good[round % 2];
        int flips = 1 + rng() % 4;
        for (int f = 0; f < flips; ++f)
            file[14 + rng() % 40] = static_cast<char>(rng());
        file.resize(14 + rng() % (file.size() - 13));
        KV::CDib dib;
        if (!AttachFile(dib, file))
            continue;
        ++attached;
        KV::CSize size = dib.GetSize();
        ASSERT_LE(static_cast<size_t>(dib.GetStride()) * size.cy, file.size());
        unsigned long rows = std::min<unsigned long>(size.cy, 64),
                      cols = std::min<unsigned long>(size.cx, 64);
        for (unsigned long r = 0; r < rows; ++r)
            for (unsigned long c = 0; c < cols; ++c)
            {
                unsigned char x, y, z;
                dib.GetColour(r, c, x, y, z);
            }
    }
    EXPECT_GT(attached, 0);
}

TEST(DibCopy, CopiesShareTheBytesAndOutliveTheOriginal)
{
    KV::CDib* original = new KV::CDib;
    ASSERT_TRUE(AttachFile(*original, Bmp24({{R, G}})));
    KV::CDib copy(*original);
    KV::CDib assigned;
    assigned = *original;
    EXPECT_EQ(copy.GetpBits(), original->GetpBits());
    delete original;
    EXPECT_EQ(Colour(copy, 0, 1), "0:00FF00");
    copy.Free();
    EXPECT_EQ(copy.IsLoad(), 0);
    EXPECT_EQ(Colour(assigned, 0, 0), "0:FF0000");
}

TEST(DibDraw, DrawsUprightAndCutsSourceRectangles)
{
    // File rows: bottom row first. Visually: top row W K, bottom row R G.
    KV::CDib dib;
    ASSERT_TRUE(AttachFile(dib, Bmp24({{R, G}, {W, K}})));
    Canvas c(4, 4);
    EXPECT_GT(dib.Draw(c.dc, 0, 0, 2, 2), 0);
    EXPECT_EQ(c.At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(c.At(1, 0), 0x000000u);
    EXPECT_EQ(c.At(0, 1), 0xFF0000u);
    EXPECT_EQ(c.At(1, 1), 0x00FF00u);
    // Source (1, 1) of size 1 x 1 from the top: the green pixel, stretched to 2 x 2.
    EXPECT_GT(dib.Draw(c.dc, 2, 2, 2, 2, 1, 1, 1, 1), 0);
    EXPECT_EQ(c.At(2, 2), 0x00FF00u);
    EXPECT_EQ(c.At(3, 3), 0x00FF00u);
}

TEST(DibDraw, TopDownSourceRectangles)
{
    KV::CDib dib;
    ASSERT_TRUE(AttachFile(dib, Bmp24({{W, K}, {R, G}}, true))); // top row W K
    Canvas c(2, 2);
    dib.Draw(c.dc, 0, 0, 2, 2);
    EXPECT_EQ(c.At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(c.At(0, 1), 0xFF0000u);
    dib.Draw(c.dc, 0, 0, 1, 1, 0, 1, 1, 1);
    EXPECT_EQ(c.At(0, 0), 0xFF0000u);
}

TEST(BitmapLoad, GetBITMAPMakesADibSection)
{
    std::wstring path = WriteTemp(Bmp24({{R, G, B}, {W, K, M}}));
    HBITMAP bmp = KV::GetBITMAPW(path.c_str());
    ASSERT_NE(bmp, nullptr);
    DIBSECTION ds = {};
    ASSERT_EQ(GetObjectW(bmp, sizeof(ds), &ds), static_cast<int>(sizeof(ds)));
    EXPECT_EQ(ds.dsBm.bmWidth, 3);
    EXPECT_EQ(ds.dsBm.bmHeight, 2);
    EXPECT_EQ(ds.dsBmih.biBitCount, 24);
    Canvas c(3, 2);
    EXPECT_TRUE(KV::DrawBitmap(c.dc, bmp, 0, 0, 0, 0));
    EXPECT_EQ(c.At(0, 0), 0xFFFFFFu);
    EXPECT_EQ(c.At(2, 0), 0xFF00FFu);
    EXPECT_EQ(c.At(2, 1), 0x0000FFu);
    DeleteObject(bmp);

    char narrow[MAX_PATH];
    WideCharToMultiByte(CP_ACP, 0, path.c_str(), -1, narrow, MAX_PATH, nullptr, nullptr);
    bmp = KV::GetBITMAPA(narrow);
    EXPECT_NE(bmp, nullptr);
    DeleteObject(bmp);
    EXPECT_EQ(KV::GetBITMAPW(nullptr), nullptr);
    EXPECT_EQ(KV::GetBITMAPW(WriteTemp("not a picture").c_str()), nullptr);
}

TEST(BitmapLoad, RunLengthPictureIsUnpacked)
{
    // 8-bit run length: 3 pixels of index 1, end of picture.
    std::string body = InfoHeader(3, 1, 8, 1, 4, 2);
    Put32(body, 0x00000000);
    Put32(body, 0x0000FF00); // green
    body += std::string("\x03\x01\x00\x01", 4);
    KV::CDib dib;
    ASSERT_TRUE(AttachFile(dib, WithFileHeader(body)));
    EXPECT_EQ(Colour(dib, 0, 0)[0], '1'); // no direct pixel access
    HBITMAP bmp = KV::CreateBITMAP(dib);
    ASSERT_NE(bmp, nullptr);
    Canvas c(3, 1);
    KV::DrawBitmap(c.dc, bmp, 0, 0);
    EXPECT_EQ(c.At(2, 0), 0x00FF00u);
    DeleteObject(bmp);
}

TEST(BitmapDraw, SourcePointOffsetsTheCopy)
{
    HBITMAP bmp = MakeBitmap(2, 2, {0xFF0000, 0x00FF00, 0x0000FF, 0xFFFFFF});
    Canvas c(3, 3);
    EXPECT_TRUE(KV::DrawBitmap(c.dc, bmp, 1, 1, 1, 1));
    EXPECT_EQ(c.At(1, 1), 0xFFFFFFu);
    EXPECT_EQ(c.At(0, 0), 0x123456u);
    EXPECT_FALSE(KV::DrawBitmap(c.dc, nullptr, 0, 0));
    DeleteObject(bmp);
}

TEST(ImportDib, AllOfATwoByOneBitmapLeftFirst)
{
    fwtest::MsgRecorder rec;
    KV::CDib dib;
    ASSERT_TRUE(AttachFile(dib, Bmp24({{R, B}})));
    KV::CListRGBA list;
    list.push_back(KV::CRGBA(1, 2, 3));
    EXPECT_EQ(KV::ImportDibToRGBA(dib, list, 0xFFFFFFFF, 0xFFFFFFFF), 1);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], KV::CRGBA(255, 0, 0, 0));
    EXPECT_EQ(list[1], KV::CRGBA(0, 0, 255, 0));
    EXPECT_EQ(rec.Count(), 0u);
}

TEST(ImportDib, RowsOuterColumnsInnerAndSingleRows)
{
    KV::CDib dib;
    ASSERT_TRUE(AttachFile(dib, Bmp24({{R, G, B}, {W, K, M}})));
    KV::CListRGBA list;
    ASSERT_EQ(KV::ImportDibToRGBA(dib, list), 1);
    ASSERT_EQ(list.size(), 6u);
    EXPECT_EQ(list[2], KV::CRGBA(0, 0, 255, 0));
    EXPECT_EQ(list[3], KV::CRGBA(255, 255, 255, 0));
    ASSERT_EQ(KV::ImportDibToRGBA(dib, list, 1, KV::kAllDib), 1);
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[2], KV::CRGBA(255, 0, 255, 0));
    ASSERT_EQ(KV::ImportDibToRGBA(dib, list, KV::kAllDib, 1), 1);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0], KV::CRGBA(0, 255, 0, 0));
    EXPECT_EQ(list[1], KV::CRGBA(0, 0, 0, 0));
}

TEST(ImportDib, WarnsForEmptyOrWrongSize)
{
    fwtest::MsgRecorder rec;
    KV::CDib empty;
    KV::CListRGBA list;
    list.resize(3);
    EXPECT_EQ(KV::ImportDibToRGBA(empty, list), 0);
    EXPECT_TRUE(list.empty());
    ASSERT_EQ(rec.Count(), 1u);
    EXPECT_EQ(rec.Boxes()[0].text, L"Picture not found");
    EXPECT_EQ(rec.Boxes()[0].caption, L"Fingerwaltz");
    EXPECT_EQ(rec.Boxes()[0].type & MB_ICONEXCLAMATION, static_cast<unsigned>(MB_ICONEXCLAMATION));

    KV::CDib dib;
    ASSERT_TRUE(AttachFile(dib, Bmp24({{R, G, B}, {W, K, M}})));
    EXPECT_EQ(KV::ImportDibToRGBA(dib, list, 2, KV::kAllDib), 0);
    EXPECT_EQ(rec.LastText(), L"Picture wrong size");
    EXPECT_TRUE(list.empty());
    // A column beyond the width fails after the rows before it were read.
    EXPECT_EQ(KV::ImportDibToRGBA(dib, list, KV::kAllDib, 3), 0);
    EXPECT_EQ(rec.Count(), 3u);
}

TEST(Region, EntirelyMagentaGivesAnEmptyRegion)
{
    HBITMAP bmp = MakeBitmap(8, 4, std::vector<DWORD>(32, 0xFF00FF));
    HRGN rgn = KV::CreateRegion(bmp, RGB(255, 0, 255), 0x101010);
    ASSERT_NE(rgn, nullptr);
    RECT box;
    EXPECT_EQ(GetRgnBox(rgn, &box), NULLREGION);
    DeleteObject(rgn);
    // The bitmap was taken over and deleted.
    BITMAP bm;
    EXPECT_EQ(GetObjectW(bmp, sizeof(bm), &bm), 0);
}

TEST(Region, NearMagentaWithinToleranceIsCut)
{
    // Row 0: exact magenta, F0 0F F0 (within 16), EE 00 FF (17 off in red), white.
    // Row 1: green 16 off (cut), green 17 off, blue 16 off (cut), black.
    std::vector<DWORD> px = {0xFF00FF, 0xF00FF0, 0xEE00FF, 0xFFFFFF, 0xFF10FF, 0xFF11FF, 0xFF00EF, 0x000000};
    HRGN rgn = KV::CreateRegion(MakeBitmap(4, 2, px), RGB(255, 0, 255), 0x101010);
    ASSERT_NE(rgn, nullptr);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    EXPECT_FALSE(PtInRegion(rgn, 1, 0));
    EXPECT_TRUE(PtInRegion(rgn, 2, 0));
    EXPECT_TRUE(PtInRegion(rgn, 3, 0));
    EXPECT_FALSE(PtInRegion(rgn, 0, 1));
    EXPECT_TRUE(PtInRegion(rgn, 1, 1));
    EXPECT_FALSE(PtInRegion(rgn, 2, 1));
    EXPECT_TRUE(PtInRegion(rgn, 3, 1));
    DeleteObject(rgn);
}

TEST(Region, ChannelsAreComparedByName)
{
    // Key pure red: a blue pixel must stay.
    std::vector<DWORD> px = {0xFF0000, 0x0000FF};
    HRGN rgn = KV::CreateRegion(MakeBitmap(2, 1, px), RGB(255, 0, 0), 0);
    EXPECT_FALSE(PtInRegion(rgn, 0, 0));
    EXPECT_TRUE(PtInRegion(rgn, 1, 0));
    DeleteObject(rgn);
}

TEST(Region, HolesAndBandsCoverExactlyTheOpaquePixels)
{
    const int w = 64, h = 48;
    std::vector<DWORD> px(w * h, 0x336699);
    std::mt19937 rng(7);
    for (int i = 0; i < 40; ++i)
    {
        int x0 = rng() % w, y0 = rng() % h, s = 1 + rng() % 6;
        for (int y = y0; y < std::min(h, y0 + s); ++y)
            for (int x = x0; x < std::min(w, x0 + s); ++x)
                px[y * w + x] = 0xFF00FF;
    }
    HRGN rgn = KV::CreateRegion(MakeBitmap(w, h, px), RGB(255, 0, 255), 0x101010);
    ASSERT_NE(rgn, nullptr);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(PtInRegion(rgn, x, y) != FALSE, px[y * w + x] != 0xFF00FF) << x << "," << y;
    DeleteObject(rgn);
    EXPECT_EQ(KV::CreateRegion(nullptr, 0, 0), nullptr);
}

TEST(Region, BottomUpTwentyFourBitAndDeviceBitmapsAgree)
{
    // From a file: rows stored bottom-up, 24 bits.
    HBITMAP fromFile = KV::GetBITMAPW(WriteTemp(Bmp24({{M, R, M}, {G, M, B}})).c_str());
    ASSERT_NE(fromFile, nullptr);
    HRGN rgn = KV::CreateRegion(fromFile, RGB(255, 0, 255), 0x101010);
    ASSERT_NE(rgn, nullptr);
    // Top row is G M B, bottom row M R M.
    EXPECT_TRUE(PtInRegion(rgn, 0, 0));
    EXPECT_FALSE(PtInRegion(rgn, 1, 0));
    EXPECT_TRUE(PtInRegion(rgn, 2, 0));
    EXPECT_FALSE(PtInRegion(rgn, 0, 1));
    EXPECT_TRUE(PtInRegion(rgn, 1, 1));
    EXPECT_FALSE(PtInRegion(rgn, 2, 1));

    // A device bitmap goes through a 32-bit copy.
    HDC screen = GetDC(nullptr);
    HBITMAP ddb = CreateCompatibleBitmap(screen, 3, 2);
    HDC mem = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(mem, ddb);
    RECT all = {0, 0, 3, 2};
    HBRUSH magenta = CreateSolidBrush(RGB(255, 0, 255));
    FillRect(mem, &all, magenta);
    SetPixel(mem, 1, 1, RGB(10, 20, 30));
    SelectObject(mem, old);
    DeleteDC(mem);
    DeleteObject(magenta);
    ReleaseDC(nullptr, screen);
    HRGN rgn2 = KV::CreateRegion(ddb, RGB(255, 0, 255), 0x101010);
    ASSERT_NE(rgn2, nullptr);
    RECT box;
    EXPECT_EQ(GetRgnBox(rgn2, &box), SIMPLEREGION);
    EXPECT_EQ(box.left, 1);
    EXPECT_EQ(box.top, 1);
    EXPECT_EQ(box.right, 2);
    EXPECT_EQ(box.bottom, 2);
    DeleteObject(rgn);
    DeleteObject(rgn2);
}

TEST(Region, ManyRowsOfHolesMatchPixelByPixel)
{
    // Enough differing rows to need many pieces joined together.
    const int w = 200, h = 300;
    std::vector<DWORD> px(w * h, 0x202020);
    for (int y = 0; y < h; ++y)
        for (int x = (y * 7) % 13; x < w; x += 11 + (y % 5))
            px[y * w + x] = 0xFF00FF;
    HRGN rgn = KV::CreateRegion(MakeBitmap(w, h, px), RGB(255, 0, 255), 0);
    ASSERT_NE(rgn, nullptr);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            ASSERT_EQ(PtInRegion(rgn, x, y) != FALSE, px[y * w + x] != 0xFF00FF) << x << "," << y;
    DeleteObject(rgn);
}

TEST(DibLoad, OversizedColourTableIsSkippedWhole)
{
    // A 1-bit picture whose header claims 3 table entries: the pixels follow all three.
    std::string body = InfoHeader(2, 1, 1, 0, 0, 3);
    Put32(body, 0x00000000);
    Put32(body, 0x00FFFFFF);
    Put32(body, 0x00ABCDEF);
    body += std::string("\x40\x00\x00\x00", 4); // pixels 0, 1
    KV::CDib dib;
    ASSERT_TRUE(AttachFile(dib, WithFileHeader(body)));
    EXPECT_EQ(dib.GetColourCount(), 2u);
    EXPECT_EQ(Colour(dib, 0, 0), "0:000000");
    EXPECT_EQ(Colour(dib, 0, 1), "0:FFFFFF");
}
