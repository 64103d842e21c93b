// Placing, associating, resizing and shaping the elements of a skinned window.
#include "../skin_test_util.h"
#include <gtest/gtest.h>

using namespace skintest;

namespace {

// Buttons get a windowed stand-in until their own class exists.
class LayoutWnd : public KV::CSkinWnd
{
public:
    KV::CSkin* NewSkin(unsigned short id, unsigned long type) override
    {
        if (type == KV::kSkinTypeButton)
            return new KV::CStatic;
        return KV::CSkinWnd::NewSkin(id, type);
    }
};

KV::CRect R(const KV::CSkin* s)
{
    return s ? s->GetRect() : KV::CRect(-1, -1, -1, -1);
}

} // namespace

TEST(SkinLayout, ButtonWidthIsOneFifthOfItsBitmap)
{
    fwtest::MsgRecorder rec;
    SkinFolder folder;
    folder.WritePicture(10, SolidBmp(250, 30, 0x3366CC));
    LayoutWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(folder.name.c_str());
    const RECT place = {12, 14, 7, 7};
    wnd.AddSkin(10, place, 0x03002011);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 10, 10, 400, 300));
    EXPECT_EQ(KV::CRect(12, 14, 62, 44), R(wnd.GetSkin(0)));
    RECT child;
    ::GetWindowRect(wnd.GetSkin(0)->GetHwnd(), &child);
    EXPECT_EQ(50, child.right - child.left);
    EXPECT_EQ(30, child.bottom - child.top);
    EXPECT_EQ(0u, rec.Count());
}

TEST(SkinLayout, RightAnchorMeasuresFromTheClientEdge)
{
    SkinFolder folder;
    folder.WritePicture(11, SolidBmp(20, 10, 0xFF0000));
    KV::CSkinWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(folder.name.c_str());
    const RECT place = {30, 5, 20, 10};
    wnd.AddSkin(11, place, 0x02000012);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 400, 200));
    EXPECT_EQ(370, wnd.GetSkin(0)->DestRect().left);
    EXPECT_EQ(KV::CRect(370, 5, 390, 15), R(wnd.GetSkin(0)));
}

TEST(SkinLayout, BottomAnchorAndStretchingUseTheClientArea)
{
    SkinFolder folder;
    folder.WritePicture(1, SolidBmp(8, 8, 0x00FF00));
    folder.WritePicture(2, SolidBmp(8, 8, 0x00FF00));
    KV::CSkinWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(folder.name.c_str());
    const RECT stretch = {10, 20, 30, 40}; // margins: right 30, bottom 40
    const RECT bottom = {5, 50, 60, 25};   // y = B - 50, height 25
    wnd.AddSkin(1, stretch, 0x02000033);
    wnd.AddSkin(2, bottom, 0x02000021);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 400, 300));
    EXPECT_EQ(KV::CRect(10, 20, 370, 260), R(wnd.GetSkin(0)));
    EXPECT_EQ(KV::CRect(5, 250, 65, 275), R(wnd.GetSkin(1)));
}

TEST(SkinLayout, PictureAreaTakesItsMarginsWithoutAPicture)
{
    fwtest::MsgRecorder rec;
    SkinFolder folder; // no 1.bmp: a picture area needs none
    KV::CSkinWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(folder.name.c_str());
    const RECT margins = {4, 6, 10, 20};
    wnd.AddSkin(1, margins, 0x01000011);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 200, 100));
    EXPECT_EQ(KV::CRect(4, 6, 190, 80), R(wnd.GetSkin(0)));
    EXPECT_EQ(nullptr, wnd.GetSkin(0)->GetHwnd());
    EXPECT_TRUE(::PtInRegion(wnd.GetSkin(0)->DestRgn(), 185, 73));
    EXPECT_EQ(0u, rec.Count());
    EXPECT_TRUE(fwtest::ExitCalls().empty());
}

TEST(SkinLayout, CaptionAndFrameAreRemoved)
{
    SkinFolder folder;
    KV::CSkinWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(folder.name.c_str());
    const RECT margins = {0, 0, 0, 0};
    wnd.AddSkin(1, margins, 0x01000011);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 200, 100, WS_OVERLAPPEDWINDOW));
    const LONG_PTR style = ::GetWindowLongPtrW(wnd.GetHwnd(), GWL_STYLE);
    EXPECT_EQ(0, style & WS_CAPTION);
    EXPECT_EQ(0, style & WS_THICKFRAME);
}

TEST(SkinLayout, OverlapBelongsToTheEarlierElement)
{
    SkinFolder folder;
    folder.WritePicture(1, SolidBmp(100, 50, 0x112233));
    folder.WritePicture(2, SolidBmp(100, 50, 0x445566));
    KV::CSkinWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(folder.name.c_str());
    const RECT a = {0, 0, 100, 50};
    const RECT b = {60, 30, 100, 50};
    wnd.AddSkin(1, a, 0x02002011);
    wnd.AddSkin(2, b, 0x02002011);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 300, 200));
    const KV::CSkin* first = wnd.GetSkin(0);
    const KV::CSkin* second = wnd.GetSkin(1);
    EXPECT_EQ(100 * 50, PointsIn(first->DestRgn(), {0, 0, 100, 50}));
    // The second loses the 40 x 20 corner that the first covers (its own coordinates).
    EXPECT_EQ(0, PointsIn(second->DestRgn(), {0, 0, 40, 20}));
    EXPECT_EQ(100 * 50 - 40 * 20, PointsIn(second->DestRgn(), {0, 0, 100, 50}));
    // The window is the union of both.
    HRGN window = wnd.GetWndRgn();
    ASSERT_NE(nullptr, window);
    EXPECT_TRUE(::PtInRegion(window, 10, 10));
    EXPECT_TRUE(::PtInRegion(window, 150, 70));
    EXPECT_FALSE(::PtInRegion(window, 150, 10));
    EXPECT_FALSE(::PtInRegion(window, 10, 70));
    // Rebuilding does not cut deeper.
    wnd.BuildRegion(0);
    EXPECT_EQ(100 * 50 - 40 * 20, PointsIn(second->DestRgn(), {0, 0, 100, 50}));
}

TEST(SkinLayout, MagentaIsCutFromTheShape)
{
    SkinFolder folder;
    // Left half magenta (one pixel slightly off), right half blue.
    folder.WritePicture(3, Bmp24(20, 10, [](int x, int y) -> uint32_t {
                            if (x < 10)
                                return (x == 0 && y == 0) ? 0xF00FF0 : 0xFF00FF;
                            return 0x0000FF;
                        }));
    KV::CSkinWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(folder.name.c_str());
    const RECT place = {5, 5, 0, 0};
    wnd.AddSkin(3, place, 0x02002011);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 100, 100));
    EXPECT_EQ(100, PointsIn(wnd.GetSkin(0)->DestRgn(), {0, 0, 20, 10}));
    EXPECT_FALSE(::PtInRegion(wnd.GetSkin(0)->DestRgn(), 0, 0));
    EXPECT_TRUE(::PtInRegion(wnd.GetSkin(0)->DestRgn(), 15, 5));
    EXPECT_FALSE(::PtInRegion(wnd.GetWndRgn(), 7, 7));
    EXPECT_TRUE(::PtInRegion(wnd.GetWndRgn(), 21, 7));
}

TEST(SkinLayout, ElementBetweenTwoNeighbours)
{
    SkinFolder folder;
    for (unsigned id : {1u, 2u, 3u})
        folder.WritePicture(id, SolidBmp(10, 10, 0x808080));
    KV::CSkinWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(folder.name.c_str());
    const RECT left = {0, 0, 100, 40};
    const RECT right = {100, 0, 80, 40}; // anchor 2: x = 400 - 100
    const RECT middle = {1, 0, 2, 40};   // between 1 and 2 horizontally
    wnd.AddSkin(1, left, 0x02000011);
    wnd.AddSkin(2, right, 0x02000012);
    wnd.AddSkin(3, middle, 0x02000015);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 400, 100));
    KV::CSkin* a = wnd.GetSkinByID(1);
    KV::CSkin* c = wnd.GetSkinByID(2);
    KV::CSkin* b = wnd.GetSkinByID(3);
    EXPECT_EQ(KV::CRect(300, 0, 380, 40), R(c));
    EXPECT_EQ(KV::CRect(100, 0, 300, 40), R(b));
    EXPECT_EQ(a, b->GetAssociation(0));
    EXPECT_EQ(c, b->GetAssociation(2));
    EXPECT_EQ(b, a->GetAssociation(2));
    EXPECT_EQ(b, c->GetAssociation(0));
    // Moving the right neighbour and notifying re-places the middle one.
    c->Resize(KV::CSize(-50, 0), nullptr, 1);
    EXPECT_EQ(KV::CRect(100, 0, 250, 40), R(b));
    // A missing neighbour changes nothing.
    wnd.DeleteSkin(1);
    EXPECT_EQ(nullptr, b->GetAssociation(0));
    EXPECT_EQ(0, b->MoveByAssociation(1));
    EXPECT_EQ(KV::CRect(100, 0, 250, 40), R(b));
}

TEST(SkinLayout, ResizeMovesAndStretchesByAnchors)
{
    SkinFolder folder;
    for (unsigned id : {1u, 2u, 3u, 4u})
        folder.WritePicture(id, SolidBmp(10, 10, 0x808080));
    KV::CSkinWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(folder.name.c_str());
    const RECT fill = {0, 0, 0, 0};       // stretched both ways, no margins
    const RECT corner = {20, 20, 20, 20}; // right and bottom anchored
    const RECT fixed = {5, 5, 10, 10};    // left and top
    const RECT bar = {0, 30, 0, 30};      // stretched width at the bottom
    wnd.AddSkin(1, fill, 0x02000033);
    wnd.AddSkin(2, corner, 0x02000022);
    wnd.AddSkin(3, fixed, 0x02000011);
    wnd.AddSkin(4, bar, 0x02000023);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 300, 200));
    EXPECT_EQ(KV::CRect(0, 0, 300, 200), R(wnd.GetSkin(0)));
    EXPECT_EQ(KV::CRect(280, 180, 300, 200), R(wnd.GetSkin(1)));
    EXPECT_EQ(KV::CRect(0, 170, 300, 200), R(wnd.GetSkin(3)));
    wnd.Resize(40, 25, 0);
    EXPECT_EQ(KV::CRect(0, 0, 340, 225), R(wnd.GetSkin(0)));
    EXPECT_EQ(KV::CRect(320, 205, 340, 225), R(wnd.GetSkin(1)));
    EXPECT_EQ(KV::CRect(5, 5, 15, 15), R(wnd.GetSkin(2)));
    EXPECT_EQ(KV::CRect(0, 195, 340, 225), R(wnd.GetSkin(3)));
    RECT rc;
    ::GetWindowRect(wnd.GetHwnd(), &rc);
    EXPECT_EQ(340, rc.right - rc.left);
    EXPECT_EQ(225, rc.bottom - rc.top);
    // The child windows followed, and stretched shapes were rebuilt.
    ::GetWindowRect(wnd.GetSkin(3)->GetHwnd(), &rc);
    EXPECT_EQ(340, rc.right - rc.left);
    EXPECT_TRUE(::PtInRegion(wnd.GetSkin(0)->BaseRgn(), 335, 220));
}

TEST(SkinLayout, MissingPictureIsFatal)
{
    fwtest::MsgRecorder rec;
    fwtest::ExitCalls().clear();
    SkinFolder folder;
    KV::CSkinWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(folder.name.c_str());
    const RECT place = {0, 0, 10, 10};
    wnd.AddSkin(321, place, 0x02000011);
    EXPECT_EQ(nullptr, CreateTestWindow(wnd, 0, 0, 100, 100));
    ASSERT_EQ(1u, fwtest::ExitCalls().size());
    ASSERT_GE(rec.Count(), 1u);
    const std::wstring text = rec.Boxes()[0].text;
    EXPECT_NE(std::wstring::npos, text.find(L"CSkinWnd::CreateSkins()")) << text;
    EXPECT_NE(std::wstring::npos, text.find(L"CSkinWnd::Create()")) << text;
    EXPECT_NE(std::wstring::npos, text.find(L"321")) << text;
    fwtest::ExitCalls().clear();
}

TEST(SkinLayout, AbsurdBitmapHeaderIsFatalNotACrash)
{
    fwtest::MsgRecorder rec;
    fwtest::ExitCalls().clear();
    SkinFolder folder;
    std::string bmp = SolidBmp(4, 4, 0);
    bmp[18] = '\xFF';
    bmp[19] = '\xFF';
    bmp[20] = '\xFF';
    bmp[21] = '\x7F'; // width 2^31 - 1
    folder.WritePicture(5, bmp);
    KV::CSkinWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(folder.name.c_str());
    const RECT place = {0, 0, 10, 10};
    wnd.AddSkin(5, place, 0x02002011);
    EXPECT_EQ(nullptr, CreateTestWindow(wnd, 0, 0, 100, 100));
    EXPECT_EQ(1u, fwtest::ExitCalls().size());
    fwtest::ExitCalls().clear();
}

TEST(SkinLayout, FileThatIsNotABitmapGivesAnEmptyPicture)
{
    fwtest::MsgRecorder rec;
    fwtest::ExitCalls().clear();
    SkinFolder folder;
    folder.WritePicture(6, "this is not a bitmap at all");
    KV::CSkinWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(folder.name.c_str());
    const RECT place = {0, 0, 10, 10};
    wnd.AddSkin(6, place, 0x02000011);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 100, 100));
    EXPECT_FALSE(wnd.GetSkin(0)->GetDib().IsLoad());
    EXPECT_TRUE(fwtest::ExitCalls().empty());
    ::UpdateWindow(wnd.GetHwnd());
    Pump();
}

TEST(SkinLayout, LoadedLayoutCreatesItsElements)
{
    fwtest::MsgRecorder rec;
    SkinFolder folder(L"Blue");
    Bytes f;
    f.U16(1).Str(L"Blue").U16(3);
    f.Record(1, 0, 0, 0, 0, 0x01111411);
    f.Record(20, 10, 10, 0, 0, 0x02002111);
    f.Record(21, 40, 10, 0, 0, 0x13002112);
    folder.WriteLayout(f.b);
    folder.WritePicture(20, SolidBmp(30, 20, 0xFF0000));
    folder.WritePicture(21, SolidBmp(30, 20, 0x00FF00));
    KV::CSkinWnd wnd;
    ASSERT_EQ(1, wnd.Load(folder.Layout().c_str(), 0));
    wnd.SetPath(folder.root.c_str());
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 200, 100));
    EXPECT_EQ(KV::CRect(10, 10, 40, 30), R(wnd.GetSkinByID(20)));
    EXPECT_EQ(KV::CRect(160, 10, 190, 30), R(wnd.GetSkinByID(21)));
    EXPECT_EQ(::GetDlgItem(wnd.GetHwnd(), 20), wnd.GetSkinByID(20)->GetHwnd());
    EXPECT_EQ(KV::CWnd::GetpWnd(wnd.GetSkinByID(21)->GetHwnd()), wnd.GetSkinByID(21));

    // Changing the file and refreshing moves the existing elements.
    Bytes g;
    g.U16(1).Str(L"Blue").U16(3);
    g.Record(1, 0, 0, 0, 0, 0x01111411);
    g.Record(20, 15, 12, 0, 0, 0x02002111);
    g.Record(21, 40, 10, 0, 0, 0x13002112);
    folder.WriteLayout(g.b);
    folder.WritePicture(20, SolidBmp(50, 20, 0xFF0000));
    ASSERT_EQ(1, wnd.RefreshSkins(1));
    EXPECT_EQ(KV::CRect(15, 12, 65, 32), R(wnd.GetSkinByID(20)));

    // A record without an element fails the refresh, and nothing changes.
    Bytes h;
    h.U16(1).Str(L"Blue").U16(2).Record(20, 1, 1, 0, 0, 0x02002111).Record(99, 0, 0, 0, 0, 0x02000011);
    folder.WriteLayout(h.b);
    EXPECT_EQ(0, wnd.RefreshSkins(0));
    EXPECT_EQ(KV::CRect(15, 12, 65, 32), R(wnd.GetSkinByID(20)));

    // Reloading pictures from another folder fails at the first missing one.
    wnd.SetName(L"Elsewhere");
    EXPECT_EQ(0, wnd.UpdatePic());
    EXPECT_EQ(0u, rec.Count());
}

TEST(SkinLayout, SixtyElementsMakeOneShape)
{
    SkinFolder folder;
    folder.WritePicture(100, SolidBmp(30, 30, 0x204060));
    KV::CSkinWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(folder.name.c_str());
    for (int i = 0; i < 60; ++i)
    {
        const RECT place = {(i % 10) * 25, (i / 10) * 25, 30, 30}; // each overlaps its neighbours
        KV::CSkin* s = wnd.AddSkin(100, place, 0x02000011, nullptr, (unsigned short)(1000 + i));
        ASSERT_NE(nullptr, s);
    }
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 300, 200));
    EXPECT_EQ(60, wnd.Size());
    EXPECT_EQ(KV::CRect(0, 0, 255, 155), wnd.GetUnionRect());
    EXPECT_EQ(255 * 155, PointsIn(wnd.GetWndRgn(), {0, 0, 300, 200}));
    // Element 11 (second row, second column) keeps only the part no earlier one covers.
    EXPECT_EQ(25 * 25, PointsIn(wnd.GetSkin(11)->DestRgn(), {0, 0, 30, 30}));
}

TEST(SkinLayout, ElementsAddedLaterAreCreatedByUpdate)
{
    fwtest::MsgRecorder rec;
    SkinFolder folder;
    folder.WritePicture(40, SolidBmp(30, 20, 0x00FF00));
    folder.WritePicture(41, SolidBmp(30, 20, 0x0000FF));
    KV::CSkinWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(folder.name.c_str());
    wnd.AddSkin(40, RECT{0, 0, 0, 0}, 0x02002011);
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 0, 0, 200, 100));
    HWND first = wnd.GetSkin(0)->GetHwnd();
    wnd.AddSkin(41, RECT{30, 0, 0, 0}, 0x02002011);
    EXPECT_EQ(nullptr, wnd.GetSkin(1)->GetHwnd());
    ASSERT_EQ(0, wnd.UpdateSkins(::GetModuleHandleW(nullptr)));
    EXPECT_EQ(first, wnd.GetSkin(0)->GetHwnd()); // the old element kept its window
    ASSERT_NE(nullptr, wnd.GetSkin(1)->GetHwnd());
    EXPECT_EQ(KV::CRect(30, 0, 60, 20), wnd.GetSkin(1)->GetRect());
    // The window shrinks to its elements.
    RECT rc;
    ::GetWindowRect(wnd.GetHwnd(), &rc);
    EXPECT_EQ(60, rc.right - rc.left);
    EXPECT_EQ(20, rc.bottom - rc.top);

    // A missing picture for a later element is fatal too, under the dialog's name.
    fwtest::ExitCalls().clear();
    wnd.AddSkin(42, RECT{0, 0, 5, 5}, 0x02000011);
    EXPECT_EQ(-1, wnd.UpdateSkins(::GetModuleHandleW(nullptr)));
    EXPECT_EQ(1u, fwtest::ExitCalls().size());
    ASSERT_GE(rec.Count(), 1u);
    EXPECT_NE(std::wstring::npos, rec.Boxes()[0].text.find(L"CSkinDlg::CreateSkins()"));
    fwtest::ExitCalls().clear();
}
