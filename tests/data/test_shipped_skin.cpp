// The Default skin shipped beside the program: its layout reads back and every element has a
// picture of the right shape.
#include "common/fwtest.h"
#include "app/ui/SkinPages.h"
#include "kvinterf/skin/SkinWnd.h"
#include "kvinterf/widgets/Splitter.h"
#include "kvinterf/widgets/Static.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <iterator>
#include <set>
#include <string>
#include <utility>
#include <vector>

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
    for (unsigned id : {410u, 411u, 604u,  605u, 606u, 600u, 601u, 602u, 607u, 303u, 304u, 550u,
                        551u, 553u, 3025u, 301u, 302u, 305u, 306u, 455u, 456u, 457u, 458u})
        EXPECT_EQ(1u, ids.count(id)) << id;
    // The keyboard's picture is its colour-scheme table.
    EXPECT_EQ(fwtest::ReadFileBytes(fwtest::BinDir() + L"\\Data\\KeyboardScheme.bmp"),
              fwtest::ReadFileBytes(root + L"Default\\304.bmp"));
}

namespace {

struct Picture
{
    unsigned long width = 0, height = 0;
    std::string pixels; // bottom-up rows of three bytes, padded to four
};

Picture ReadPicture(unsigned id)
{
    const std::string bmp =
        fwtest::ReadFileBytes(fwtest::BinDir() + L"\\Skin\\Default\\" + std::to_wstring(id) + L".bmp");
    Picture pic;
    if (bmp.size() < 54 || bmp.substr(0, 2) != "BM" || U16(bmp, 28) != 24)
        return pic;
    pic.width = U32(bmp, 18);
    pic.height = U32(bmp, 22);
    pic.pixels = bmp.substr(U32(bmp, 10));
    return pic;
}

} // namespace

// Pictures the page views load by number from the skin folder, beside the layout's elements.
TEST(ShippedSkin, PagePicturesHaveTheShapesTheirViewsRead)
{
    struct Case
    {
        std::vector<unsigned> ids;
        unsigned long width, height; // 0: any
        unsigned pictures;
    };
    const Picture panel = ReadPicture(700);
    ASSERT_GT(panel.height, 0u);
    const Case cases[] = {
        {{2003, 2004, 2013, 2014, 2023, 2024, 2033, 2034}, 5 * 134, 40, 5}, // tabs: five pictures of 134 x 40
        {{2411}, 0, 40, 1},                                                 // tab strip as tall as the tabs
        // Statistic check boxes by column ID and the panels' buttons: as tall as the panel.
        {{701, 702, 703, 704, 705, 706, 707, 708, 709, 750, 751, 752, 800, 801}, 0, panel.height, 5},
        {{306, 305}, 8, 1, 1},  // the score table's and the graph's eight colours
        {{301, 4000}, 2, 1, 1}, // a tree's background and text colours
    };
    for (const Case& c : cases)
        for (unsigned id : c.ids)
        {
            SCOPED_TRACE(id);
            const Picture pic = ReadPicture(id);
            ASSERT_GT(pic.width, 0u);
            EXPECT_EQ(0u, pic.width % c.pictures);
            if (c.width)
            {
                EXPECT_EQ(c.width, pic.width);
            }
            if (c.height)
            {
                EXPECT_EQ(c.height, pic.height);
            }
        }
    // The two colours of a tree differ, so its text can be read.
    const Picture tree = ReadPicture(301);
    ASSERT_GE(tree.pixels.size(), 6u);
    EXPECT_NE(tree.pixels.substr(0, 3), tree.pixels.substr(3, 3));
}

namespace {

// The main window makes its own views of the view elements; a static stands in for each here.
struct PagesWnd : KV::CSkinWnd
{
    KV::CSkin* NewSkin(unsigned short controlId, unsigned long type) override
    {
        KV::CSkin* element = KV::CSkinWnd::NewSkin(controlId, type);
        return element ? element : new KV::CStatic;
    }
};

} // namespace

// Laid out by a skinned window, the frame and each page tile the client area: nothing of a page
// lies outside the window, overlaps another element or leaves a hole in the window's shape.
TEST(ShippedSkin, EachPageTilesTheWindow)
{
    struct Page
    {
        const unsigned short* ids;
        size_t count;
    };
    const Page pages[] = {{kTypingPageElements, std::size(kTypingPageElements)},
                          {kStatisticsPageElements, std::size(kStatisticsPageElements)},
                          {kLessonPageElements, std::size(kLessonPageElements)}};
    const SIZE sizes[] = {{657, 325}, {1024, 700}, {1600, 1000}};
    fwtest::MsgRecorder rec;
    HINSTANCE module = ::GetModuleHandleW(nullptr);
    const wchar_t* kClass = L"FwShippedSkinWnd";
    KV::CWnd::RegisterClassW(module, kClass);
    for (const SIZE& size : sizes)
    {
        SCOPED_TRACE(testing::Message() << size.cx << "x" << size.cy);
        PagesWnd wnd;
        wnd.SetPath((fwtest::BinDir() + L"\\Skin\\").c_str());
        ASSERT_EQ(1, wnd.Load((fwtest::BinDir() + L"\\Skin\\Default.skn").c_str(), 0));
        // Creating the window creates the elements.
        ASSERT_NE(nullptr,
                  wnd.Create(0, kClass, L"", WS_POPUP, 0, 0, size.cx, size.cy, nullptr, nullptr, module));
        for (auto split : {std::make_pair(kStatisticsSplitter, 68), std::make_pair(kLessonSplitter, 45)})
        {
            auto* splitter = dynamic_cast<KV::CSplitter*>(wnd.GetSkinByID(split.first));
            ASSERT_NE(nullptr, splitter);
            splitter->SetPos(split.second);
            splitter->MoveSkin();
        }
        wnd.ApplyAssociations();
        for (const Page& page : pages)
        {
            std::vector<unsigned short> ids(std::begin(kFrameElements), std::end(kFrameElements));
            ids.insert(ids.end(), page.ids, page.ids + page.count);
            long area = 0;
            for (size_t i = 0; i < ids.size(); ++i)
            {
                SCOPED_TRACE(ids[i]);
                KV::CSkin* element = wnd.GetSkinByID(ids[i]);
                ASSERT_NE(nullptr, element);
                const KV::CRect rc = element->GetRect();
                EXPECT_TRUE(rc.left >= 0 && rc.top >= 0 && rc.right <= size.cx && rc.bottom <= size.cy);
                area += (long)rc.Width() * rc.Height();
                for (size_t j = 0; j < i; ++j)
                {
                    KV::CRect common;
                    EXPECT_FALSE(common.IntersectRect(rc, wnd.GetSkinByID(ids[j])->GetRect())) << ids[j];
                }
            }
            EXPECT_EQ((long)size.cx * size.cy, area);
        }
        // Both views of a side-by-side page keep room for their two tabs.
        for (unsigned short id : {306, 305, 301, 302})
            EXPECT_GE(wnd.GetSkinByID(id)->GetRect().Width(), 2 * 134) << id;
        wnd.DestroyWindow();
    }
    EXPECT_EQ(0u, rec.Count());
}
