// The tray icon (with the real shell and with one that refuses), sliders and select boxes.
#include "control_test_util.h"
#include <gtest/gtest.h>
#include <string>

using namespace skintest;

namespace {

struct RefusingShell
{
    static int calls;
    static BOOL Refuse(DWORD, NOTIFYICONDATAW*)
    {
        ++calls;
        return FALSE;
    }
    KV::TrayShellHandler previous;
    RefusingShell() : previous(KV::SetTrayShellHandler(&Refuse)) { calls = 0; }
    ~RefusingShell() { KV::SetTrayShellHandler(previous); }
};
int RefusingShell::calls = 0;

HICON NewIcon()
{
    return ::CopyIcon(::LoadIconW(nullptr, IDI_APPLICATION));
}

bool IconAlive(HICON icon)
{
    ICONINFO info = {};
    if (!::GetIconInfo(icon, &info))
        return false;
    ::DeleteObject(info.hbmColor);
    ::DeleteObject(info.hbmMask);
    return true;
}

} // namespace

TEST(Tray, IconIsAddedAndRemoved)
{
    KV::CWnd owner;
    ASSERT_NE(nullptr, CreateTestWindow(owner, 0, 0, 50, 50));
    {
        KV::CTray tray(owner.GetHwnd(), 7);
        EXPECT_EQ(sizeof(NOTIFYICONDATAW), (size_t)tray.GetData().cbSize);
        HICON icon = NewIcon();
        const std::wstring tip(200, L'T');
        EXPECT_TRUE(tray.AddIcon(icon, tip.c_str()));
        EXPECT_TRUE(tray.IsAdded());
        EXPECT_FALSE(IconAlive(icon)); // the shell keeps its own copy
        EXPECT_EQ(std::wstring(127, L'T'), tray.GetData().szTip);
        EXPECT_EQ(KV::CMessageWnd::kTrayMessage, tray.GetData().uCallbackMessage);
        EXPECT_TRUE(tray.ShowBalloonTip(nullptr, L"Still running", 1000, NIIF_INFO));
        EXPECT_EQ(std::wstring(L""), tray.GetData().szInfoTitle);
        EXPECT_EQ(std::wstring(L"Still running"), tray.GetData().szInfo);
        EXPECT_TRUE(tray.DeleteIcon(7));
        EXPECT_FALSE(tray.IsAdded());
        EXPECT_FALSE(tray.DeleteIcon(7)); // nothing left to remove
    }
}

TEST(Tray, RefusedIconIsReportedAndNotRemovedLater)
{
    RefusingShell shell;
    {
        KV::CTray tray(nullptr, 3);
        HICON icon = NewIcon();
        EXPECT_FALSE(tray.AddIcon(icon, nullptr));
        EXPECT_FALSE(tray.IsAdded());
        EXPECT_FALSE(IconAlive(icon));
        EXPECT_EQ(std::wstring(L""), tray.GetData().szTip);
        EXPECT_FALSE(tray.ShowBalloonTip(L"Title", nullptr, 0, 0));
    }
    EXPECT_EQ(2, RefusingShell::calls); // add and balloon; no removal of what was never added
}

TEST(Slider, PositionRoundTripsWithinItsRange)
{
    ControlWindow w;
    auto* slider = AddControl<KV::CSlider>(w.wnd, KV::kSkinTypeSlider, 10, 10, 200, 30);
    ASSERT_NE(nullptr, slider);
    ASSERT_TRUE(w.Create());
    ASSERT_NE(nullptr, slider->GetHwnd());
    EXPECT_NE(nullptr, slider->GetFont());
    RECT rc;
    ::GetWindowRect(slider->GetHwnd(), &rc);
    EXPECT_EQ(200, rc.right - rc.left);
    const struct
    {
        int minimum, maximum, set, want;
    } cases[] = {
        {0, 100, 37, 37}, {0, 100, 150, 100}, {0, 100, -5, 0}, {-20, 20, -7, -7}, {10, 5, 7, 10}, // bad range
    };
    for (const auto& c : cases)
    {
        slider->SetRange(c.minimum, c.maximum);
        slider->SetPosition(c.set);
        EXPECT_EQ(c.want, slider->GetPosition()) << c.minimum << ".." << c.maximum << " set " << c.set;
    }
}

TEST(Slider, DrawsItsOwnThumbGreyWhenDisabled)
{
    ControlWindow w;
    auto* slider = AddControl<KV::CSlider>(w.wnd, KV::kSkinTypeSlider, 0, 0, 200, 30);
    ASSERT_TRUE(w.Create());
    HWND h = slider->GetHwnd();
    ASSERT_NE(nullptr, h);
    slider->SetRange(0, 10);
    slider->SetPosition(5);
    RECT thumb = {};
    ::SendMessageW(h, TBM_GETTHUMBRECT, 0, (LPARAM)&thumb);
    ASSERT_GT(thumb.right - thumb.left, 4);
    ASSERT_GT(thumb.bottom - thumb.top, 4);
    const struct
    {
        BOOL enabled;
        uint32_t frame;
    } cases[] = {{TRUE, KV::CSlider::kFrameColour}, {FALSE, KV::CSlider::kFrameDisabledColour}};
    for (const auto& c : cases)
    {
        ::EnableWindow(h, c.enabled);
        DibCanvas canvas(200, 30, 0x123456);
        ::SendMessageW(h, WM_PAINT, (WPARAM)canvas.Dc(), 0);
        const int midY = (thumb.top + thumb.bottom) / 2, midX = (thumb.left + thumb.right) / 2;
        EXPECT_EQ(c.frame, canvas.At(thumb.left, midY));
        EXPECT_EQ(c.frame, canvas.At(thumb.right - 1, midY));
        EXPECT_EQ((uint32_t)KV::CSlider::kInnerFrameColour, canvas.At(thumb.left + 1, midY));
        EXPECT_EQ(0xFFFFFFu, canvas.At(midX, midY));
    }
}

TEST(SelectBox, SelectionRoundTrips)
{
    ControlWindow w;
    auto* box = AddControl<KV::CSelectBox>(w.wnd, KV::kSkinTypeSelectBox, 10, 10, 150, 120);
    ASSERT_NE(nullptr, box);
    ASSERT_TRUE(w.Create());
    ASSERT_NE(nullptr, box->GetHwnd());
    EXPECT_EQ((LRESULT)box->GetFont(), ::SendMessageW(box->GetHwnd(), WM_GETFONT, 0, 0));
    for (const wchar_t* text : {L"Eins", L"Zwei", L"Zehn", L"Ölfeld"})
        box->AddString(text);
    EXPECT_EQ(CB_ERR, box->GetCurSel());
    const struct
    {
        const wchar_t* select; // nullptr: SetCurSel(index)
        int index, want;
    } steps[] = {
        {nullptr, 1, 1}, {L"Ze", 0, 2},         {L"Öl", 0, 3}, {L"xyz", 0, 3}, // no entry starts with it
        {nullptr, 0, 0}, {nullptr, -1, CB_ERR},
    };
    for (const auto& s : steps)
    {
        if (s.select)
            box->SelectString(s.select);
        else
            box->SetCurSel(s.index);
        EXPECT_EQ(s.want, box->GetCurSel()) << (s.select ? s.select : L"index");
    }
    EXPECT_EQ(CB_ERR, box->SelectString(nullptr));
    box->ResetContent();
    EXPECT_EQ(CB_ERR, box->GetCurSel());
}
