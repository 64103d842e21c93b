#include "common/fwtest.h"
#include "../bmp_maker.h"
#include "kvstruct/image/Image.h"

#include <gtest/gtest.h>
#include <sstream>

using namespace bmptest;

namespace {

const Rgb R{255, 0, 0}, G{0, 255, 0}, B{0, 0, 255}, W{255, 255, 255}, K{0, 0, 0}, M{255, 0, 255};

std::wstring WriteTemp(const std::string& bytes)
{
    std::wstring path = fwtest::MakeTempDir(L"img") + L"\\pic.bmp";
    EXPECT_TRUE(fwtest::WriteFileBytes(path, bytes));
    return path;
}

KV::CRGBA Opaque(const Rgb& c)
{
    return KV::CRGBA(c.r, c.g, c.b, 255);
}

// A stream buffer that cannot seek, like a pipe.
class NoSeekBuf : public std::stringbuf
{
public:
    explicit NoSeekBuf(const std::string& s) : std::stringbuf(s, std::ios::in) {}

protected:
    pos_type seekoff(off_type, std::ios::seekdir, std::ios::openmode) override { return pos_type(-1); }
    pos_type seekpos(pos_type, std::ios::openmode) override { return pos_type(-1); }
};

} // namespace

TEST(ImageBmp, ReadsTwentyFourBitRowsSkippingPadding)
{
    fwtest::MsgRecorder rec;
    KV::CImage img;
    ASSERT_EQ(img.ReadBMPFile(WriteTemp(Bmp24({{R, G, B}, {W, K, M}})).c_str()), 1);
    EXPECT_EQ(img.GetSize(), KV::CSize(3, 2));
    EXPECT_FALSE(img.IsEmpty());
    // Rows from the bottom, as stored.
    EXPECT_EQ(img.GetPixel(0, 0), Opaque(R));
    EXPECT_EQ(img.GetPixel(2, 0), Opaque(B));
    EXPECT_EQ(img.GetPixel(0, 1), Opaque(W));
    EXPECT_EQ(img.GetPixel(2, 1), Opaque(M));
    EXPECT_EQ(rec.Count(), 0u);
}

TEST(ImageBmp, TopDownFileIsTurnedBottomUp)
{
    KV::CImage img;
    ASSERT_EQ(img.ReadBMPFile(WriteTemp(Bmp24({{W, K}, {R, G}}, true)).c_str()), 1);
    EXPECT_EQ(img.GetSize(), KV::CSize(2, 2));
    EXPECT_EQ(img.GetPixel(0, 0), Opaque(R));
    EXPECT_EQ(img.GetPixel(0, 1), Opaque(W));
}

TEST(ImageBmp, OtherDepthsAreRefusedWithAWarning)
{
    fwtest::MsgRecorder rec;
    KV::CImage img;
    std::string eight = WithFileHeader(InfoHeader(4, 1, 8, 0, 0, 1) + std::string(8, '\0'));
    EXPECT_EQ(img.ReadBMPFile(WriteTemp(eight).c_str(), 0), 0);
    ASSERT_EQ(rec.Count(), 1u);
    EXPECT_EQ(rec.LastText(), L"not a 24 bit/pixelimage, or is compressed!\n");
    EXPECT_EQ(rec.Boxes()[0].caption, L"Fingerwaltz");
    EXPECT_TRUE(img.IsEmpty());
    // A file too short to hold a header is no 24-bit picture either.
    EXPECT_EQ(img.ReadBMPFile(WriteTemp("BM").c_str()), 0);
    EXPECT_EQ(rec.Count(), 2u);
}

TEST(ImageBmp, MissingFileWarnsOnlyWhenAsked)
{
    fwtest::MsgRecorder rec;
    KV::CImage img;
    std::wstring missing = fwtest::MakeTempDir() + L"\\missing.bmp";
    EXPECT_EQ(img.ReadBMPFile(missing.c_str(), 0), 0);
    EXPECT_EQ(rec.Count(), 0u);
    EXPECT_EQ(img.ReadBMPFile(missing.c_str(), 1), 0);
    EXPECT_EQ(rec.LastText(), L"can't open file: .bmp");
    EXPECT_EQ(img.ReadBMPFile(nullptr, 0), 0);
}

TEST(ImageBmp, HugeClaimInAFewBytesIsCutToTheRowsPresent)
{
    fwtest::MsgRecorder rec;
    KV::CImage img;
    // 65,535 x 65,535 claimed, header only: nothing to read.
    EXPECT_EQ(img.ReadBMPFile(WriteTemp(WithFileHeader(InfoHeader(65535, 65535, 24))).c_str()), 0);
    EXPECT_EQ(rec.LastText(), L"Picture wrong size");
    EXPECT_TRUE(img.IsEmpty());
    // Two rows of 3 claimed as 1,000 rows: the two rows are kept.
    std::string body = InfoHeader(3, 1000, 24) + Pixels24({{R, G, B}, {W, K, M}});
    ASSERT_EQ(img.ReadBMPFile(WriteTemp(WithFileHeader(body)).c_str()), 1);
    EXPECT_EQ(img.GetSize(), KV::CSize(3, 2));
    EXPECT_EQ(img.GetPixel(2, 1), Opaque(M));
    // The last row may lack its padding.
    body = InfoHeader(3, 2, 24) + Pixels24({{R, G, B}, {W, K, M}}).substr(0, 21);
    ASSERT_EQ(img.ReadBMPFile(WriteTemp(WithFileHeader(body)).c_str()), 1);
    EXPECT_EQ(img.GetSize(), KV::CSize(3, 2));
}

TEST(ImageBmp, SizesBeyondSixteenBitsOrNegativeAreRefused)
{
    fwtest::MsgRecorder rec;
    KV::CImage img;
    for (auto wh : {std::pair<int32_t, int32_t>{70000, 1}, {1, 70000}, {-3, 1}, {0, 1}, {1, INT32_MIN}})
    {
        std::string body = InfoHeader(wh.first, wh.second, 24) + std::string(64, 'x');
        EXPECT_EQ(img.ReadBMPFile(WriteTemp(WithFileHeader(body)).c_str()), 0)
            << wh.first << "x" << wh.second;
        EXPECT_TRUE(img.IsEmpty());
    }
}

TEST(ImagePixels, GetAndSetStayInside)
{
    KV::CImage img;
    std::string file = Bmp24({{R, G}});
    ASSERT_EQ(img.ReadBMPFile(WriteTemp(file).c_str()), 1);
    img.SetPixel(1, 0, KV::CRGBA(1, 2, 3, 4));
    img.SetPixel(2, 0, KV::CRGBA(9, 9, 9, 9));
    img.SetPixel(-1, 0, KV::CRGBA(9, 9, 9, 9));
    img.SetPixel(0, 1, KV::CRGBA(9, 9, 9, 9));
    EXPECT_EQ(img.GetPixel(1, 0), KV::CRGBA(1, 2, 3, 4));
    EXPECT_EQ(img.GetPixel(0, 0), Opaque(R));
    EXPECT_EQ(img.GetPixel(5, 5), KV::CRGBA());
    img.FreeIt();
    EXPECT_TRUE(img.IsEmpty());
    EXPECT_EQ(img.GetPixel(0, 0), KV::CRGBA());
}

TEST(ImagePixels, SizedButEmptyUntilRead)
{
    KV::CImage img(4, 8);
    EXPECT_TRUE(img.IsEmpty());
    EXPECT_EQ(img.GetSize(), KV::CSize(8, 4));
    img.SetPixel(0, 0, KV::CRGBA(1, 1, 1, 1));
    EXPECT_TRUE(img.IsEmpty());
}

TEST(ImageChroma, EveryKeyTurnsItsColourTransparent)
{
    KV::CImage img;
    ASSERT_EQ(img.ReadBMPFile(WriteTemp(Bmp24({{M, K, W, R}})).c_str()), 1);
    img.SetPixel(3, 0, KV::CRGBA(255, 0, 0, 7)); // a stray alpha is reset
    KV::CRGBA keys[2] = {KV::CRGBA(255, 0, 255, 0), KV::CRGBA(0, 0, 0, 100)};
    img.EmbedChromaKey(keys, 2);
    EXPECT_EQ(img.GetPixel(0, 0).a, 0);
    EXPECT_EQ(img.GetPixel(1, 0).a, 100);
    EXPECT_EQ(img.GetPixel(2, 0).a, 255);
    EXPECT_EQ(img.GetPixel(3, 0).a, 255);
    img.EmbedChromaKey(nullptr, 5);
    EXPECT_EQ(img.GetPixel(0, 0).a, 255);
}

TEST(ImageChroma, NoKeyLeavesTheStoredAlpha)
{
    KV::CImage img;
    ASSERT_EQ(img.ReadBMPFile(WriteTemp(Bmp24({{M, K}})).c_str()), 1);
    img.SetPixel(0, 0, KV::CRGBA(255, 0, 255, 7));
    const KV::CRGBA key(255, 0, 255, 0);
    for (const KV::CRGBA* keys : {static_cast<const KV::CRGBA*>(nullptr), &key})
    {
        img.EmbedChromaKey(keys, 0);
        EXPECT_EQ(img.GetPixel(0, 0), KV::CRGBA(255, 0, 255, 7));
        EXPECT_EQ(img.GetPixel(1, 0), Opaque(K));
    }
}

TEST(ImageStream, ByteExactRoundTrip)
{
    KV::CImage img;
    ASSERT_EQ(img.ReadBMPFile(WriteTemp(Bmp24({{R, G}})).c_str()), 1);
    std::stringstream ss;
    img.Serialize(static_cast<std::ostream&>(ss));
    EXPECT_EQ(fwtest::Hex(ss.str()), "01 00 00 00 01 00 02 00 ff 00 00 ff 00 ff 00 ff");
    KV::CImage back;
    EXPECT_EQ(back.Serialize(static_cast<std::istream&>(ss)), 1);
    EXPECT_EQ(back.GetSize(), KV::CSize(2, 1));
    EXPECT_EQ(back.GetPixel(1, 0), Opaque(G));

    KV::CImage copy(back);
    copy.SetPixel(0, 0, KV::CRGBA());
    EXPECT_EQ(back.GetPixel(0, 0), Opaque(R)); // copies own their pixels
}

TEST(ImageStream, EmptyPictureIsWrittenAsZeroSize)
{
    KV::CImage img(3, 3);
    std::stringstream ss;
    img.Serialize(static_cast<std::ostream&>(ss));
    EXPECT_EQ(fwtest::Hex(ss.str()), "01 00 00 00 00 00 00 00");
    KV::CImage back;
    EXPECT_EQ(back.Serialize(static_cast<std::istream&>(ss)), 1);
    EXPECT_TRUE(back.IsEmpty());
}

TEST(ImageStream, OtherVersionReadsNothingMore)
{
    std::stringstream ss(std::string("\x02\x00\x00\x00\x01\x00\x01\x00\x01\x02\x03\x04", 12));
    KV::CImage img;
    EXPECT_EQ(img.Serialize(static_cast<std::istream&>(ss)), 0);
    EXPECT_EQ(ss.tellg(), std::streampos(4));
    EXPECT_TRUE(img.IsEmpty());
}

TEST(ImageStream, ClaimedSizeBeyondTheDataIsRefused)
{
    // 65,535 x 65,535 claimed in a few bytes.
    std::string data("\x01\x00\x00\x00\xFF\xFF\xFF\xFF\x01\x02\x03\x04", 12);
    std::stringstream ss(data);
    KV::CImage img;
    EXPECT_EQ(img.Serialize(static_cast<std::istream&>(ss)), 0);
    EXPECT_TRUE(img.IsEmpty());
    EXPECT_EQ(img.GetSize(), KV::CSize(0, 0));
    EXPECT_TRUE(ss.fail());

    // Without a known length the data runs out while reading; the memory taken stays small.
    NoSeekBuf buf(data);
    std::istream in(&buf);
    EXPECT_EQ(img.Serialize(in), 0);
    EXPECT_TRUE(img.IsEmpty());
    EXPECT_TRUE(in.fail());

    // Truncated headers.
    std::stringstream shortHead(std::string("\x01\x00\x00\x00\x01", 5));
    EXPECT_EQ(img.Serialize(static_cast<std::istream&>(shortHead)), 0);
    std::stringstream none;
    EXPECT_EQ(img.Serialize(static_cast<std::istream&>(none)), 0);
}

TEST(ImageStream, UnseekableStreamStillReadsWholePictures)
{
    KV::CImage img;
    ASSERT_EQ(img.ReadBMPFile(WriteTemp(Bmp24({{R, G, B}, {W, K, M}})).c_str()), 1);
    std::stringstream ss;
    img.Serialize(static_cast<std::ostream&>(ss));
    NoSeekBuf buf(ss.str());
    std::istream in(&buf);
    KV::CImage back;
    EXPECT_EQ(back.Serialize(in), 1);
    EXPECT_EQ(back.GetPixel(2, 1), Opaque(M));
}

TEST(ImageBmp, PixelsFollowALongerHeaderOrTheStatedOffset)
{
    // A 124-byte header: the pixels come after it, not at byte 54.
    std::string body = InfoHeader(2, 1, 24, 0, 0, 0, 124) + Pixels24({{R, B}});
    KV::CImage img;
    ASSERT_EQ(img.ReadBMPFile(WriteTemp(WithFileHeader(body, -1, 138)).c_str()), 1);
    EXPECT_EQ(img.GetPixel(0, 0), Opaque(R));
    EXPECT_EQ(img.GetPixel(1, 0), Opaque(B));
    // A colour table of two entries in front of the pixels, named by the offset field.
    body = InfoHeader(2, 1, 24, 0, 0, 2) + std::string(8, '\x77') + Pixels24({{G, W}});
    ASSERT_EQ(img.ReadBMPFile(WriteTemp(WithFileHeader(body, -1, 62)).c_str()), 1);
    EXPECT_EQ(img.GetPixel(0, 0), Opaque(G));
    EXPECT_EQ(img.GetPixel(1, 0), Opaque(W));
    // An offset past the end is not believed.
    body = InfoHeader(1, 1, 24) + Pixels24({{M}});
    ASSERT_EQ(img.ReadBMPFile(WriteTemp(WithFileHeader(body, -1, 0x7FFFFFF0)).c_str()), 1);
    EXPECT_EQ(img.GetPixel(0, 0), Opaque(M));
}
