// The Default skin shipped beside the program: its layout reads back and every element has a
// picture of the right shape.
#include "common/fwtest.h"
#include "kvinterf/skin/SkinWnd.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>

namespace {

unsigned U16(const std::string& b, size_t at)
{
    return (unsigned char)b[at] | ((unsigned char)b[at + 1] << 8);
}

unsigned long U32(const std::string& b, size_t at)
{
    return U16(b, at) | ((unsigned long)U16(b, at + 2) << 16);
}

} // namespace

TEST(ShippedSkin, DefaultLayoutAndPictures)
{
    const std::wstring root = fwtest::BinDir() + L"\\Skin\\";
    fwtest::MsgRecorder rec;
    KV::CSkinWnd wnd;
    ASSERT_EQ(1, wnd.Load((root + L"Default.skn").c_str(), 0));
    EXPECT_EQ(0u, rec.Count());
    EXPECT_STREQ(L"Default", wnd.GetName());

    const std::string skn = fwtest::ReadFileBytes(root + L"Default.skn");
    ASSERT_GT(skn.size(), 6u);
    const size_t nameLength = U16(skn, 2);
    const size_t countAt = 4 + 2 * nameLength;
    const unsigned count = U16(skn, countAt);
    ASSERT_EQ(skn.size(), countAt + 2 + count * 24u);
    std::set<unsigned> ids;
    for (unsigned i = 0; i < count; ++i)
    {
        const size_t at = countAt + 2 + i * 24;
        const unsigned id = U16(skn, at + 2);
        const unsigned long type = U32(skn, at + 20) >> 24;
        SCOPED_TRACE(id);
        ids.insert(id);
        const std::string bmp = fwtest::ReadFileBytes(root + L"Default\\" + std::to_wstring(id) + L".bmp");
        ASSERT_GT(bmp.size(), 54u);
        EXPECT_EQ("BM", bmp.substr(0, 2));
        EXPECT_EQ(24u, U16(bmp, 28));
        const unsigned long width = U32(bmp, 18), height = U32(bmp, 22);
        if (type == 0x03)
        {
            EXPECT_EQ(0u, width % 5);
        }
        if (type == 0x04)
        {
            // Four slices of 20 and a fill in rows 6 to 14.
            EXPECT_EQ(80u, width);
            EXPECT_EQ(20u, height);
        }
    }
    for (unsigned id : {700u, 604u, 605u, 606u, 600u, 601u, 602u, 607u, 303u, 304u, 550u, 551u, 553u})
        EXPECT_EQ(1u, ids.count(id)) << id;
    // The keyboard's picture is its colour-scheme table.
    EXPECT_EQ(fwtest::ReadFileBytes(fwtest::BinDir() + L"\\Data\\KeyboardScheme.bmp"),
              fwtest::ReadFileBytes(root + L"Default\\304.bmp"));
}
