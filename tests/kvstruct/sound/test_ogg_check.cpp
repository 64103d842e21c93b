#include "common/fwtest.h"
#include "kvstruct/sound/OggCheck.h"
#include "kvstruct/sound/VorbisFile.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <vector>

namespace {

const size_t kSecondPage = 58; // the identification page is 27 + 1 + 30 bytes

std::string ShippedClick()
{
    return fwtest::ReadFileBytes(fwtest::BinDir() + L"\\Sound\\click-1.ogg");
}

void Put32(std::string& b, size_t at, unsigned long v)
{
    for (int i = 0; i < 4; ++i)
        b[at + i] = static_cast<char>((v >> (8 * i)) & 0xff);
}

unsigned long Get32(const std::string& b, size_t at)
{
    unsigned long v = 0;
    for (int i = 3; i >= 0; --i)
        v = (v << 8) | static_cast<unsigned char>(b[at + i]);
    return v;
}

// The page starting at `at` gets a CRC that matches its (changed) bytes.
void MendCrc(std::string& b, size_t at)
{
    const unsigned char* page = reinterpret_cast<const unsigned char*>(b.data()) + at;
    size_t size = 27 + page[26];
    for (size_t s = 0; s < page[26]; ++s)
        size += page[27 + s];
    Put32(b, at + 22, KV::OggPageCrc(page, size));
}

int Decode(const std::string& b)
{
    KV::CPcmBuffer pcm;
    const int ok = KV::DecodeVorbisMemory(reinterpret_cast<const unsigned char*>(b.data()),
                                          static_cast<unsigned long>(b.size()), pcm);
    EXPECT_EQ(ok != 0, !pcm.samples.empty());
    return ok;
}

} // namespace

// Headers whose lengths or counts do not fit their packet never reach the decoder, even with
// intact page CRCs.
TEST(OggCheck, HeadersThatDoNotHoldTogetherAreRefused)
{
    const std::string click = ShippedClick();
    ASSERT_GT(click.size(), 200u);
    const size_t comments = kSecondPage + 27 + static_cast<unsigned char>(click[kSecondPage + 26]);
    const size_t count = comments + 11 + Get32(click, comments + 7);
    struct Patch
    {
        size_t at;
        unsigned long value;
    };
    struct Case
    {
        const char* what;
        std::vector<Patch> patches;
    };
    // The comment packet is 68 bytes: the vendor text (52), no comments, the framing byte.
    const Case cases[] = {
        {"vendor length all ones", {{comments + 7, 0xfffffffful}}},
        {"vendor length one past the packet", {{comments + 7, 58}}},
        {"comment count 2^31", {{count, 0x80000000ul}}},
        {"comment count whose 8-byte list overflows", {{count, 0x20000001ul}}},
        {"comment count beyond the packet", {{count, 1}}},
        {"comment length all ones", {{comments + 7, 40}, {comments + 51, 1}, {comments + 55, 0xfffffffful}}},
        {"comment length one past the packet", {{comments + 7, 40}, {comments + 51, 1}, {comments + 55, 10}}},
        {"no channels", {{28 + 11, 0x00ac4400ul}}},
        {"three channels", {{28 + 11, 0x00ac4403ul}}},
        {"rate zero", {{28 + 12, 0}}},
        {"blocksizes out of order", {{28 + 26, 0x018b0000ul}}},
    };
    EXPECT_EQ(1, Decode(click));
    for (const Case& c : cases)
    {
        std::string b = click;
        for (const Patch& p : c.patches)
            Put32(b, p.at, p.value);
        MendCrc(b, 0);
        MendCrc(b, kSecondPage);
        EXPECT_FALSE(KV::CheckOggVorbis(reinterpret_cast<const unsigned char*>(b.data()), b.size()))
            << c.what;
        EXPECT_EQ(0, Decode(b)) << c.what;
    }
}

TEST(OggCheck, DamagedPagesAreRefused)
{
    const std::string click = ShippedClick();
    const struct
    {
        const char* what;
        size_t at;
    } cases[] = {
        {"identification header", 40}, {"comment header", kSecondPage + 60}, {"last byte", click.size() - 1}};
    for (const auto& c : cases)
    {
        std::string b = click;
        b[c.at] ^= 0x10;
        EXPECT_EQ(0, Decode(b)) << c.what;
    }
    // A cut inside a page.
    EXPECT_EQ(0, Decode(click.substr(0, click.size() - 3)));
}

// Inputs that once crashed, hung or ate memory in a reader: each is refused quietly now.
TEST(OggCheck, EveryRegressionFileIsRefusedQuietly)
{
    const std::wstring dir = fwtest::SourceDir() + L"\\tests\\kvstruct\\sound\\regress\\";
    WIN32_FIND_DATAW fd;
    HANDLE h = ::FindFirstFileW((dir + L"*.ogg").c_str(), &fd);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    int files = 0;
    do
    {
        KV::CPcmBuffer pcm;
        EXPECT_EQ(0, KV::DecodeVorbisFileW((dir + fd.cFileName).c_str(), pcm)) << fd.cFileName;
        ++files;
    } while (::FindNextFileW(h, &fd));
    ::FindClose(h);
    EXPECT_GT(files, 0);
}
