// One skinned window made from a layout file holding an element of every type of this library's
// widgets, plus the tab strip, panel, scroll bar and file link that views add in code. With
// FW_WIDGET_SHOT set to a file name, the window is shown and the screen under it saved there.
#include "../skin_test_util.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <typeinfo>

using namespace skintest;

namespace {

std::string FivePictures(int w, int h, uint32_t base)
{
    const uint32_t shades[5] = {0xFF00FF, base, base - 0x202020, base + 0x101010, 0xB4B4B4};
    return Bmp24(5 * w, h, [=](int x, int y) -> uint32_t {
        const int local = x % w;
        const bool corner = (local == 0 || local == w - 1) && (y == 0 || y == h - 1);
        if (corner)
            return 0xFF00FF;
        const bool frame = local == 0 || local == w - 1 || y == 0 || y == h - 1;
        return frame ? 0x505050 : shades[x / w];
    });
}

// A 32 x 32 icon file of one colour.
std::string IconFile(uint32_t rgb)
{
    Bytes f;
    f.U16(0).U16(1).U16(1);
    const unsigned pixels = 32 * 32 * 4, mask = 32 * 4, size = 40 + pixels + mask;
    f.b += (char)32;
    f.b += (char)32;
    f.b += (char)0;
    f.b += (char)0;
    f.U16(1).U16(32).U32(size).U32(22);
    f.U32(40).U32(32).U32(64).U16(1).U16(32).U32(0).U32(pixels + mask).U32(0).U32(0).U32(0).U32(0);
    for (int i = 0; i < 32 * 32; ++i)
        f.U32(0xFF000000u | rgb);
    f.b.append(mask, '\0');
    return f.b;
}

bool SaveScreen(HWND hwnd, const std::wstring& file)
{
    RECT rc;
    ::GetWindowRect(hwnd, &rc);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    DibCanvas canvas(w, h);
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(canvas.Dc(), 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    return fwtest::WriteFileBytes(file, Bmp24(w, h, [&](int x, int y) { return canvas.At(x, y); }));
}

} // namespace

TEST(WidgetWindow, EveryElementTypeFromALayoutFile)
{
    SkinFolder folder(L"Widgets");
    folder.WritePicture(1, SolidBmp(8, 8, 0xE8ECF2));
    folder.WritePicture(40, FivePictures(90, 32, 0x7FA8D8));
    folder.WritePicture(11, SolidBmp(6, 150, 0x8C96A0));
    folder.WritePicture(80, SolidBmp(300, 24, 0xE8ECF2));
    folder.WritePicture(81, SolidBmp(8, 8, 0xFFFFFF));
    folder.WritePicture(
        85, Bmp24(48, 48, [](int x, int y) { return ((x / 8 + y / 8) % 2) ? 0x2E7D32u : 0xFBC02Du; }));
    folder.WritePicture(91, SolidBmp(32, 32, 0xE8ECF2));
    folder.WritePicture(700, SolidBmp(400, 26, 0xD0D8E0));
    folder.WritePicture(2003, FivePictures(134, 40, 0xA0B8D0));
    folder.WritePicture(60, FivePictures(26, 26, 0xC8D8A0));
    fwtest::WriteFileBytes(folder.root + L"face.ico", IconFile(0xE06020));

    Bytes layout;
    layout.U16(1).Str(L"Widgets").U16(7);
    layout.Record(1, 0, 0, 0, 0, 0x01000133);
    layout.Record(40, 20, 20, 0, 0, 0x03002011);
    layout.Record(11, 0, 230, 0, 0, 0x06002211);
    layout.Record(80, 20, 190, 300, 24, 0x0E000011);
    layout.Record(81, 340, 20, 200, 110, 0x10000011);
    layout.Record(85, 340, 150, 48, 48, 0x11000011);
    layout.Record(91, 400, 150, 32, 32, 0x12000011);
    folder.WriteLayout(layout.b);

    KV::CSkinWnd wnd;
    ASSERT_EQ(1, wnd.Load(folder.Layout().c_str()));
    wnd.SetPath(folder.root.c_str());
    ASSERT_EQ(7, wnd.Size());
    HWND h = CreateTestWindow(wnd, 40, 40, 600, 400);
    ASSERT_NE(nullptr, h);

    const struct
    {
        unsigned short id;
        const std::type_info& type;
    } expected[] = {
        {1, typeid(KV::CSkin)},       {40, typeid(KV::CButton)}, {11, typeid(KV::CSplitter)},
        {80, typeid(KV::CHyperLink)}, {81, typeid(KV::CList)},   {85, typeid(KV::CBitmap)},
        {91, typeid(KV::CIcon)},
    };
    for (const auto& e : expected)
    {
        KV::CSkin* element = wnd.GetSkinByID(e.id);
        ASSERT_NE(nullptr, element) << e.id;
        EXPECT_EQ(std::string(e.type.name()), typeid(*element).name()) << e.id;
        // A picture area has no window and loads nothing.
        EXPECT_EQ(e.id != 1, element->GetDib().IsLoad() != 0) << e.id;
        EXPECT_EQ(e.id != 1, element->GetHwnd() != nullptr) << e.id;
    }

    wnd.GetSkinByID(40)->SetWindowTextW(L"Start");
    auto* splitter = dynamic_cast<KV::CSplitter*>(wnd.GetSkinByID(11));
    splitter->SetPos(75);
    wnd.Resize(0, 0, 0);
    dynamic_cast<KV::CLink*>(wnd.GetSkinByID(80))
        ->SetParamStr(L"http://example.invalid/", L"example.invalid");
    wnd.GetSkinByID(80)->SetWindowTextW(L"Home page");
    auto* list = dynamic_cast<KV::CList*>(wnd.GetSkinByID(81));
    LVCOLUMNW column = {};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.cx = 180;
    column.pszText = const_cast<wchar_t*>(L"Lesson");
    ::SetWindowLongPtrW(list->GetHwnd(), GWL_STYLE,
                        ::GetWindowLongPtrW(list->GetHwnd(), GWL_STYLE) | LVS_REPORT);
    ::SendMessageW(list->GetHwnd(), LVM_INSERTCOLUMNW, 0, (LPARAM)&column);
    const wchar_t* rows[] = {L"Home row", L"Top row", L"Capitals"};
    for (int i = 0; i < 3; ++i)
    {
        LVITEMW item = {};
        item.mask = LVIF_TEXT;
        item.iItem = i;
        item.pszText = const_cast<wchar_t*>(rows[i]);
        ::SendMessageW(list->GetHwnd(), LVM_INSERTITEMW, 0, (LPARAM)&item);
    }
    EXPECT_EQ(1, dynamic_cast<KV::CIcon*>(wnd.GetSkinByID(91))->Reload((folder.root + L"face.ico").c_str()));

    const std::wstring pictures = folder.root + folder.name + L"\\";
    KV::CTabCtrl tabs;
    ASSERT_NE(nullptr, tabs.Create(nullptr, h, 0, RECT{20, 70, 320, 110}, 2000));
    tabs.SetBackImg((pictures + L"700.bmp").c_str());
    ASSERT_NE(nullptr, tabs.AddTab(2003, (pictures + L"2003.bmp").c_str(), L"Course"));
    ASSERT_NE(nullptr, tabs.AddTab(2004, (pictures + L"2003.bmp").c_str(), L"Own"));
    tabs.SetCheck(2003);
    KV::CPanelList panels;
    auto* panel = new KV::CPanel;
    panels.AddPanel(panel);
    ASSERT_NE(nullptr, panel->Create(nullptr, h, 0, RECT{20, 112, 320, 138}, 2025));
    panel->LoadBitmapW((pictures + L"700.bmp").c_str(), 1, 0);
    ASSERT_NE(nullptr, panel->AddCheckBox(60, (pictures + L"60.bmp").c_str(), 0, 1));
    ASSERT_NE(nullptr, panel->AddCheckBox(61, (pictures + L"60.bmp").c_str(), 0, 1));
    panel->SetCheck(61, 1);
    panels.ShowPanel(0);
    KV::CScrollBar bar;
    bar.Create(WS_CHILD | WS_VISIBLE | SBS_VERT, RECT{560, 20, 576, 260}, &wnd, 95);
    bar.SetScrollRange(0, 100);
    bar.SetScrollPos(30);
    KV::CFileLink fileLink;
    ASSERT_NE(nullptr, fileLink.Create(nullptr, h, 0, RECT{20, 150, 320, 174}, 96));
    fileLink.SetWindowTextW(L"Lesson file");
    fileLink.SetParamStr(folder.root.c_str(), L"Browse...");

    const char* shot = std::getenv("FW_WIDGET_SHOT");
    if (shot && *shot)
    {
        ::ShowWindow(h, SW_SHOWNORMAL);
        ::UpdateWindow(h);
        Pump(800);
        std::string narrow(shot);
        EXPECT_TRUE(SaveScreen(h, std::wstring(narrow.begin(), narrow.end())));
    }
    panels.Clear();
}
