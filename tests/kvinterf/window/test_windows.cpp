// Window objects: binding, dispatch, dialog commands, dragging, cursors and sliding.
#include "../skin_test_util.h"
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>

using namespace skintest;

namespace {

// Counts what reached the handlers.
class RecordingWnd : public KV::CWnd
{
public:
    std::map<std::string, int> calls;
    std::vector<WORD> commands;
    UINT_PTR lastTimer = 0;

    LRESULT OnCreate(CREATESTRUCTW*) override
    {
        ++calls["create"];
        return 0;
    }
    LRESULT OnNcCreate(CREATESTRUCTW*) override
    {
        ++calls["nccreate"];
        return 0;
    }
    LRESULT OnKeyDown(WPARAM, LPARAM) override
    {
        ++calls["keydown"];
        return 0;
    }
    LRESULT OnTimer(UINT_PTR id) override
    {
        lastTimer = id;
        ++calls["timer"];
        return 0;
    }
    LRESULT OnHelp(HELPINFO*) override
    {
        ++calls["help"];
        return 0;
    }
    LRESULT OnCommand(WORD code, WORD id, HWND control) override
    {
        commands.push_back(id);
        return KV::CWnd::OnCommand(code, id, control);
    }
    int DoApply() override
    {
        ++calls["apply"];
        return KV::CWnd::DoApply();
    }
    void Ok() override { ++calls["ok"]; }
    void Cancel() override { ++calls["cancel"]; }
};

class RecordingDialog : public KV::CDialog
{
public:
    std::map<std::string, int> calls;
    explicit RecordingDialog(HWND parent = nullptr) : KV::CDialog(KV::CDlgConfirm::kTemplate, parent) {}
    INT_PTR OnInitDialog(HWND focus, LPARAM param) override
    {
        ++calls["init"];
        // An Apply button, disabled until something changes.
        ::CreateWindowExW(0, L"BUTTON", L"Apply", WS_CHILD | WS_DISABLED | BS_PUSHBUTTON, 0, 0, 40, 20,
                          m_hWnd, reinterpret_cast<HMENU>(20), nullptr, nullptr);
        return KV::CDialog::OnInitDialog(focus, param);
    }
    int DoApply() override
    {
        ++calls["apply"];
        return KV::CDialog::DoApply();
    }
    void Ok() override { ++calls["ok"]; }
    void Cancel() override { ++calls["cancel"]; }
    INT_PTR OnLButtonDown(UINT, int, int) override
    {
        ++calls["ldown"];
        return 0;
    }
    INT_PTR OnRButtonDown(UINT, int, int) override
    {
        ++calls["rdown"];
        return 0;
    }
    INT_PTR OnCommand(WORD code, WORD id, HWND control) override
    {
        ++calls["command"];
        return KV::CDialog::OnCommand(code, id, control);
    }
    INT_PTR OnPaint() override
    {
        ++calls["paint"];
        return 0;
    }
};

class MaxSkinWnd : public KV::CSkinWnd
{
public:
    int maximised = 0;
    int IsMaximize() override { return maximised; }
};

RECT Rc(int l, int t, int r, int b)
{
    RECT rc = {l, t, r, b};
    return rc;
}

KV::CRect WindowRect(HWND h)
{
    RECT rc;
    ::GetWindowRect(h, &rc);
    return rc;
}

} // namespace

TEST(Windows, MessageWithoutObjectGoesToTheDefaultProcedure)
{
    TestClass();
    ASSERT_EQ(nullptr, KV::CMapWnd::GetPending());
    HWND h = ::CreateWindowExW(0, TestClass(), L"plain", WS_POPUP, 0, 0, 50, 50, nullptr, nullptr,
                               ::GetModuleHandleW(nullptr), nullptr);
    ASSERT_NE(nullptr, h); // creation itself went through the default procedure
    EXPECT_EQ(nullptr, KV::CMapWnd::Lookup(h));
    EXPECT_EQ(nullptr, KV::CWnd::GetpWnd(h));
    ::SetWindowTextW(h, L"abc");
    wchar_t text[8] = {};
    ::GetWindowTextW(h, text, 8);
    EXPECT_STREQ(L"abc", text);
    ::DestroyWindow(h);
}

TEST(Windows, PendingObjectIsBoundByTheFirstMessage)
{
    RecordingWnd wnd;
    HWND h = CreateTestWindow(wnd, 0, 0, 80, 60);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(h, wnd.GetHwnd());
    EXPECT_EQ(&wnd, KV::CWnd::GetpWnd(h));
    EXPECT_EQ(1, wnd.calls["nccreate"]);
    EXPECT_EQ(1, wnd.calls["create"]);
    EXPECT_EQ(nullptr, KV::CMapWnd::GetPending());
    ::SendMessageW(h, WM_KEYDOWN, 'A', 0);
    ::SendMessageW(h, WM_TIMER, 42, 0);
    EXPECT_EQ(1, wnd.calls["keydown"]);
    EXPECT_EQ(42u, wnd.lastTimer);
    // Closing destroys the window and forgets its handle.
    ::SendMessageW(h, WM_CLOSE, 0, 0);
    EXPECT_FALSE(::IsWindow(h));
    EXPECT_EQ(nullptr, wnd.GetHwnd());
    EXPECT_EQ(nullptr, KV::CMapWnd::Lookup(h));
    EXPECT_EQ(1, wnd.DestroyWindow()); // nothing left to destroy
}

TEST(Windows, CommandIdentifiersReachTheirHooks)
{
    RecordingWnd wnd;
    HWND h = CreateTestWindow(wnd, 0, 0, 80, 60);
    ASSERT_NE(nullptr, h);
    HWND apply = ::CreateWindowExW(0, L"BUTTON", L"Apply", WS_CHILD | WS_DISABLED, 0, 0, 10, 10, h,
                                   reinterpret_cast<HMENU>(20), nullptr, nullptr);
    ASSERT_NE(nullptr, apply);
    EXPECT_EQ(0, wnd.IsApply());
    ::SendMessageW(h, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), 0);
    EXPECT_EQ(1, wnd.calls["ok"]);
    EXPECT_EQ(0, wnd.calls["apply"]);
    wnd.SetApply(1);
    EXPECT_EQ(1, wnd.IsApply());
    ::SendMessageW(h, WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), 0);
    EXPECT_EQ(2, wnd.calls["ok"]);
    EXPECT_EQ(1, wnd.calls["apply"]);
    EXPECT_EQ(0, wnd.IsApply()); // applying disables the button again
    ::SendMessageW(h, WM_COMMAND, MAKEWPARAM(2, BN_CLICKED), 0);
    ::SendMessageW(h, WM_COMMAND, MAKEWPARAM(8, BN_CLICKED), 0);
    EXPECT_EQ(2, wnd.calls["cancel"]);
    ::SendMessageW(h, WM_COMMAND, MAKEWPARAM(9, BN_CLICKED), 0);
    EXPECT_EQ(1, wnd.calls["help"]);
    ::SendMessageW(h, WM_COMMAND, MAKEWPARAM(20, BN_CLICKED), 0);
    EXPECT_EQ(2, wnd.calls["apply"]);
}

TEST(Windows, EnterWithDisabledApplyCallsOkOnly)
{
    RecordingDialog dlg;
    HWND h = dlg.Create();
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(1, dlg.calls["init"]);
    ASSERT_NE(nullptr, ::GetDlgItem(h, 20));
    EXPECT_EQ(0, dlg.IsApply());
    MSG enter = {};
    enter.hwnd = h;
    enter.message = WM_KEYDOWN;
    enter.wParam = VK_RETURN;
    EXPECT_TRUE(::IsDialogMessageW(h, &enter));
    EXPECT_EQ(1, dlg.calls["ok"]);
    EXPECT_EQ(0, dlg.calls["apply"]);
    // With Apply enabled, Enter applies first.
    dlg.SetApply(1);
    EXPECT_TRUE(::IsDialogMessageW(h, &enter));
    EXPECT_EQ(2, dlg.calls["ok"]);
    EXPECT_EQ(1, dlg.calls["apply"]);
    EXPECT_EQ(0, dlg.IsApply());
}

TEST(Windows, LeftClickInADialogReachesOnlyTheLeftHandler)
{
    RecordingDialog dlg;
    HWND h = dlg.Create();
    ASSERT_NE(nullptr, h);
    const int commands = dlg.calls["command"];
    ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    EXPECT_EQ(1, dlg.calls["ldown"]);
    EXPECT_EQ(0, dlg.calls["rdown"]);
    EXPECT_EQ(commands, dlg.calls["command"]);
    EXPECT_EQ(0, dlg.calls["ok"] + dlg.calls["cancel"] + dlg.calls["apply"]);
    EXPECT_EQ(1, dlg.DestroyWindow());
    EXPECT_FALSE(::IsWindow(h));
}

TEST(Windows, ConfirmBoxPlacesItsButtons)
{
    const KV::CSize none(0, 0);
    KV::CDlgConfirm one(nullptr, L"Delete the lesson?", none, 0);
    HWND h = one.Create();
    ASSERT_NE(nullptr, h);
    wchar_t text[64] = {};
    ::GetDlgItemTextW(h, KV::CDlgConfirm::kIdText, text, 64);
    EXPECT_STREQ(L"Delete the lesson?", text);
    ::GetWindowTextW(h, text, 64);
    EXPECT_STREQ(L"Fingerwaltz", text);
    EXPECT_FALSE(::GetWindowLongPtrW(::GetDlgItem(h, 2), GWL_STYLE) & WS_VISIBLE);
    EXPECT_NE(nullptr,
              reinterpret_cast<HICON>(::SendDlgItemMessageW(h, KV::CDlgConfirm::kIdIcon, STM_GETICON, 0, 0)));

    const KV::CSize size(420, 200);
    KV::CDlgConfirm two(nullptr, L"Sure?", size, 1);
    HWND h2 = two.Create();
    ASSERT_NE(nullptr, h2);
    KV::CRect win = WindowRect(h2);
    EXPECT_EQ(420, win.Width());
    EXPECT_EQ(200, win.Height());
    RECT client;
    ::GetClientRect(h2, &client);
    RECT ok, cancel;
    ::GetWindowRect(::GetDlgItem(h2, 1), &ok);
    ::GetWindowRect(::GetDlgItem(h2, 2), &cancel);
    ::MapWindowPoints(HWND_DESKTOP, h2, reinterpret_cast<POINT*>(&ok), 2);
    ::MapWindowPoints(HWND_DESKTOP, h2, reinterpret_cast<POINT*>(&cancel), 2);
    EXPECT_EQ(client.right - 16, ok.right);
    EXPECT_EQ(client.bottom - 14, ok.bottom);
    EXPECT_EQ(ok.left - 16, cancel.right);
    EXPECT_EQ(client.bottom - 14, cancel.bottom);
    EXPECT_TRUE(::GetWindowLongPtrW(::GetDlgItem(h2, 2), GWL_STYLE) & WS_VISIBLE);
    // Its colour handlers hand out the background brush.
    HDC dc = ::GetDC(h2);
    EXPECT_EQ(reinterpret_cast<LRESULT>(two.GetBrush()),
              ::SendMessageW(h2, WM_CTLCOLORDLG, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(h2)));
    ::ReleaseDC(h2, dc);
}

namespace {
KV::CDlgConfirm* g_modal = nullptr;
WORD g_button = 0;
void CALLBACK PressButton(HWND, UINT, UINT_PTR id, DWORD)
{
    if (g_modal && g_modal->GetHwnd())
    {
        ::KillTimer(nullptr, id);
        ::PostMessageW(g_modal->GetHwnd(), WM_COMMAND, MAKEWPARAM(g_button, BN_CLICKED), 0);
    }
}
} // namespace

TEST(Windows, ModalConfirmReturnsTheButtonThatClosedIt)
{
    const KV::CSize none(0, 0);
    KV::CDlgConfirm dlg(nullptr, L"Sure?", none, 1);
    g_modal = &dlg;
    g_button = 2;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &PressButton);
    EXPECT_EQ(2, dlg.DoModal(KV::GetInterfInstance()));
    // The program has no such template of its own.
    EXPECT_EQ(-1, dlg.DoModal(::GetModuleHandleW(nullptr)));
    ::KillTimer(nullptr, timer);
    g_modal = nullptr;
    EXPECT_EQ(nullptr, dlg.GetHwnd());
}

namespace {
KV::CWnd* g_modalWnd = nullptr;
void CALLBACK PressOk(HWND, UINT, UINT_PTR id, DWORD)
{
    if (g_modalWnd && g_modalWnd->GetHwnd())
    {
        ::KillTimer(nullptr, id);
        ::PostMessageW(g_modalWnd->GetHwnd(), WM_COMMAND, MAKEWPARAM(1, BN_CLICKED), 0);
    }
}
} // namespace

TEST(Windows, ModalWindowObjectRunsItsTemplate)
{
    struct ModalWnd : KV::CWnd
    {
        int inits = 0;
        LRESULT OnInitDialog(HWND, LPARAM) override { return ++inits, 1; }
    } wnd;
    wnd.SetTemplate(KV::CDlgConfirm::kTemplate);
    g_modalWnd = &wnd;
    UINT_PTR timer = ::SetTimer(nullptr, 0, 20, &PressOk);
    EXPECT_EQ(1, wnd.DoModal(nullptr));
    ::KillTimer(nullptr, timer);
    g_modalWnd = nullptr;
    EXPECT_EQ(1, wnd.inits);
    EXPECT_EQ(nullptr, wnd.GetHwnd());
}

TEST(Windows, SoundHookOfColourDialogs)
{
    struct SoundDialog : KV::CDialogColor
    {
        std::vector<UINT> sounds;
        SoundDialog() : KV::CDialogColor(KV::CDlgConfirm::kTemplate, nullptr, 0x00FF00) {}
        void OnSound(UINT id) override { sounds.push_back(id); }
        void Ok() override {}
        void Cancel() override {}
    } dlg;
    HWND h = dlg.Create();
    ASSERT_NE(nullptr, h);
    ::SendMessageW(h, WM_COMMAND, MAKEWPARAM(33, BN_CLICKED), 0);
    EXPECT_TRUE(dlg.sounds.empty()); // off until enabled
    dlg.EnableSound(1);
    ::SendMessageW(h, WM_COMMAND, MAKEWPARAM(33, BN_CLICKED), 0);
    ::SendMessageW(h, WM_COMMAND, MAKEWPARAM(34, EN_CHANGE), 0);    // 0x300: silent
    ::SendMessageW(h, WM_COMMAND, MAKEWPARAM(35, BN_KILLFOCUS), 0); // 7 makes a sound
    NMHDR click = {h, 40, (UINT)-2};
    ::SendMessageW(h, WM_NOTIFY, 40, reinterpret_cast<LPARAM>(&click));
    NMHDR other = {h, 40, (UINT)-12};
    ::SendMessageW(h, WM_NOTIFY, 40, reinterpret_cast<LPARAM>(&other));
    HELPINFO help = {};
    help.cbSize = sizeof(help);
    ::SendMessageW(h, WM_HELP, 0, reinterpret_cast<LPARAM>(&help));
    ASSERT_EQ(4u, dlg.sounds.size());
    EXPECT_EQ(33u, dlg.sounds[0]);
    EXPECT_EQ(35u, dlg.sounds[1]);
    EXPECT_EQ((UINT)-2, dlg.sounds[2]);
    EXPECT_EQ(9u, dlg.sounds[3]);
}

TEST(Windows, DragWithMoveRoleMovesTheWindow)
{
    KV::CSkinWnd wnd;
    wnd.AddSkin(1, Rc(0, 0, 0, 0), 0x01000111); // picture area over the client, role 0x100
    HWND h = CreateTestWindow(wnd, 100, 100, 200, 100);
    ASSERT_NE(nullptr, h);
    ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
    EXPECT_TRUE(wnd.IsDragging());
    ::SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(40, 30));
    EXPECT_EQ(KV::CRect(130, 120, 330, 220), WindowRect(h));
    // Client points are relative to where the window is now: total offset (50, 25).
    ::SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(30, 15));
    EXPECT_EQ(KV::CRect(150, 125, 350, 225), WindowRect(h));
    ::SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(30, 15));
    EXPECT_FALSE(wnd.IsDragging());
    ::SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(90, 90));
    EXPECT_EQ(KV::CRect(150, 125, 350, 225), WindowRect(h));
}

TEST(Windows, GripDragSizesUnlessMaximised)
{
    MaxSkinWnd wnd;
    wnd.AddSkin(1, Rc(0, 0, 0, 0), 0x01000433); // stretched picture area, role 0x400
    HWND h = CreateTestWindow(wnd, 0, 0, 200, 100);
    ASSERT_NE(nullptr, h);
    wnd.maximised = 1;
    ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(190, 90));
    ::SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(220, 110));
    ::SendMessageW(h, WM_LBUTTONUP, 0, MAKELPARAM(220, 110));
    EXPECT_EQ(KV::CRect(0, 0, 200, 100), WindowRect(h));
    EXPECT_EQ(KV::CRect(0, 0, 200, 100), wnd.GetSkin(0)->GetRect());

    wnd.maximised = 0;
    ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(190, 90));
    ::SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(220, 110));
    EXPECT_EQ(KV::CRect(0, 0, 230, 120), WindowRect(h));
    EXPECT_EQ(KV::CRect(0, 0, 230, 120), wnd.GetSkin(0)->GetRect());
    // Shrinking stops before the stretched element vanishes.
    ::SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(-500, -500));
    EXPECT_EQ(KV::CRect(0, 0, 1, 1), WindowRect(h));
    ::SendMessageW(h, WM_LBUTTONUP, 0, 0);
}

TEST(Windows, WidthOnlyAndHeightOnlyRoles)
{
    KV::CSkinWnd wnd;
    wnd.AddSkin(1, Rc(0, 0, 0, 0), 0x01000033);
    wnd.AddSkin(2, Rc(0, 0, 0, 0), 0x01000233); // same area, later: hit first
    HWND h = CreateTestWindow(wnd, 0, 0, 100, 100);
    ASSERT_NE(nullptr, h);
    ::SendMessageW(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(50, 50));
    ::SendMessageW(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(70, 90));
    ::SendMessageW(h, WM_LBUTTONUP, 0, 0);
    EXPECT_EQ(KV::CRect(0, 0, 120, 100), WindowRect(h));
}

TEST(Windows, HitTestSkipsStaticsWithoutRoleAndHiddenElements)
{
    SkinFolder folder;
    folder.WritePicture(2, SolidBmp(20, 20, 0x101010));
    folder.WritePicture(3, SolidBmp(20, 20, 0x101010));
    KV::CSkinWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(folder.name.c_str());
    EXPECT_EQ(-1, wnd.HitSkin({0, 0}));
    wnd.AddSkin(1, Rc(0, 0, 0, 0), 0x01000111);
    wnd.AddSkin(2, Rc(10, 10, 20, 20), 0x02000011); // static without role
    wnd.AddSkin(3, Rc(40, 10, 20, 20), 0x02000311); // static with a role
    HWND h = CreateTestWindow(wnd, 0, 0, 100, 100);
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(0, wnd.HitSkin({15, 15}));
    EXPECT_EQ(2, wnd.HitSkin({45, 15}));
    EXPECT_EQ(0, wnd.HitSkin({95, 95}));
    ::ShowWindow(wnd.GetSkin(2)->GetHwnd(), SW_HIDE);
    EXPECT_EQ(0, wnd.HitSkin({45, 15}));
}

TEST(Windows, CursorFollowsTheRoleUnderIt)
{
    MaxSkinWnd wnd;
    // Picture areas take right and bottom margins: element 1 covers the client area,
    // element 2 (diagonal grip) (0,0)-(80,80), element 3 (keeps the cursor) (0,0)-(40,40).
    wnd.AddSkin(1, Rc(0, 0, 0, 0), 0x01000011);
    wnd.AddSkin(2, Rc(0, 0, 20, 20), 0x01000411);
    wnd.AddSkin(3, Rc(0, 0, 60, 60), 0x01000511);
    HWND h = CreateTestWindow(wnd, 300, 300, 100, 100);
    ASSERT_NE(nullptr, h);
    const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    const HCURSOR grip = ::LoadCursorW(nullptr, IDC_SIZENWSE);
    auto over = [&](int x, int y) {
        ::SetCursorPos(300 + x, 300 + y);
        return ::SendMessageW(h, WM_SETCURSOR, reinterpret_cast<WPARAM>(h),
                              MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    };
    ::SetCursor(arrow);
    EXPECT_EQ(1, over(60, 60));
    EXPECT_EQ(grip, ::GetCursor());
    EXPECT_EQ(1, over(90, 90));
    EXPECT_EQ(arrow, ::GetCursor());
    ::SetCursor(grip);
    EXPECT_EQ(1, over(10, 10)); // role 0x500 leaves the cursor alone
    EXPECT_EQ(grip, ::GetCursor());
    wnd.maximised = 1;
    EXPECT_EQ(1, over(60, 60));
    EXPECT_EQ(arrow, ::GetCursor());
}

TEST(Windows, SlidingMovesStepByStepAndStops)
{
    SkinFolder folder;
    folder.WritePicture(20, SolidBmp(30, 10, 0x00AA00));
    folder.WritePicture(21, SolidBmp(30, 10, 0x0000AA));
    KV::CSkinWnd wnd;
    wnd.SetPath(folder.root.c_str());
    wnd.SetName(folder.name.c_str());
    wnd.AddSkin(20, Rc(0, 10, 30, 10), 0x02000011);
    wnd.AddSkin(21, Rc(40, 10, 30, 10), 0x02000011);
    HWND h = CreateTestWindow(wnd, 0, 0, 100, 100);
    ASSERT_NE(nullptr, h);
    wnd.SetTimerParam(4, 0, 5, 10, 77);
    wnd.SetMoveSkins(20, -1);
    ASSERT_EQ(1, wnd.StartMove());
    std::vector<int> ys;
    const DWORD start = ::GetTickCount();
    while (wnd.GetStepsLeft() > 0 && ::GetTickCount() - start < 3000)
    {
        MSG msg;
        if (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        {
            const bool tick = msg.message == WM_TIMER && msg.hwnd == h && msg.wParam == 77;
            ::DispatchMessageW(&msg);
            if (tick)
                ys.push_back(wnd.GetSkinByID(20)->DestRect().top);
        }
        else
            ::Sleep(2);
    }
    EXPECT_EQ((std::vector<int>{15, 20, 25, 30}), ys);
    EXPECT_TRUE(wnd.GetMoveSkins().empty());
    EXPECT_EQ(10, wnd.GetSkinByID(21)->DestRect().top);
    RECT child;
    ::GetWindowRect(wnd.GetSkinByID(20)->GetHwnd(), &child);
    EXPECT_EQ(30, child.top);
    // The window now ends where the moved element ends.
    EXPECT_EQ(KV::CRect(0, 0, 70, 40), WindowRect(h));
    // The timer is gone: a stray tick changes nothing.
    ::SendMessageW(h, WM_TIMER, 77, 0);
    EXPECT_EQ(30, wnd.GetSkinByID(20)->DestRect().top);
    Pump(30);
    EXPECT_EQ(30, wnd.GetSkinByID(20)->DestRect().top);
}

TEST(Windows, AcceleratorsTranslateIntoCommands)
{
    RecordingWnd wnd;
    HWND h = CreateTestWindow(wnd, 0, 0, 50, 50);
    ASSERT_NE(nullptr, h);
    MSG key = {};
    key.hwnd = h;
    key.message = WM_KEYDOWN;
    key.wParam = VK_F5;
    EXPECT_EQ(0, wnd.TranslateAcceleratorW(&key));
    const ACCEL table[] = {{FVIRTKEY, VK_F5, 555}};
    ASSERT_EQ(1, wnd.CreateAccelerators(table, 1));
    EXPECT_EQ(1, wnd.TranslateAcceleratorW(&key));
    ASSERT_FALSE(wnd.commands.empty());
    EXPECT_EQ(555, wnd.commands.back());
    wnd.DestroyAccelerators();
    EXPECT_EQ(nullptr, wnd.GetAccelerators());
}

TEST(Windows, ToolTipsCoverTheirControls)
{
    RecordingWnd wnd;
    HWND h = CreateTestWindow(wnd, 0, 0, 50, 50);
    ASSERT_NE(nullptr, h);
    HWND button = ::CreateWindowExW(0, L"BUTTON", L"b", WS_CHILD, 0, 0, 10, 10, h, nullptr, nullptr, nullptr);
    EXPECT_EQ(0, wnd.AddToolTip(button, L"tip")); // no tool-tip window yet
    HWND tips = wnd.CreateToolTips(::GetModuleHandleW(nullptr));
    ASSERT_NE(nullptr, tips);
    EXPECT_TRUE(::GetWindowLongPtrW(tips, GWL_EXSTYLE) & WS_EX_TOPMOST);
    EXPECT_EQ(1, wnd.AddToolTip(button, L"tip"));
    EXPECT_EQ(0, wnd.AddToolTip(nullptr, L"tip"));
    EXPECT_EQ(0, wnd.AddToolTip(button, nullptr));
    EXPECT_EQ(1, ::SendMessageW(tips, TTM_GETTOOLCOUNT, 0, 0));
    wnd.DestroyToolTips();
    EXPECT_FALSE(::IsWindow(tips));
}

TEST(Windows, StylesAndPlacementHelpers)
{
    RecordingWnd wnd;
    HWND h = CreateTestWindow(wnd, 10, 20, 50, 40);
    ASSERT_NE(nullptr, h);
    wnd.SetStyle(WS_BORDER, 0);
    EXPECT_TRUE(::GetWindowLongPtrW(h, GWL_STYLE) & WS_BORDER);
    wnd.SetStyle(WS_BORDER, 1);
    EXPECT_FALSE(::GetWindowLongPtrW(h, GWL_STYLE) & WS_BORDER);
    wnd.SetStyleExt(WS_EX_TOOLWINDOW, 0);
    EXPECT_TRUE(::GetWindowLongPtrW(h, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    wnd.OffSetWindow(5, -5, 0);
    EXPECT_EQ(KV::CRect(15, 15, 65, 55), WindowRect(h));
    wnd.MoveWindow(100, 100, 0);
    EXPECT_EQ(KV::CRect(100, 100, 150, 140), WindowRect(h));
    wnd.MoveWindow(Rc(1, 2, 31, 42), 0);
    EXPECT_EQ(KV::CRect(1, 2, 31, 42), WindowRect(h));
}

TEST(Windows, NotificationsGoToTheControlsObject)
{
    struct Notified : KV::CWnd
    {
        int count = 0;
        LRESULT OnNotify(int, NMHDR*) override { return ++count, 7; }
    };
    RecordingWnd parent;
    HWND h = CreateTestWindow(parent, 0, 0, 50, 50);
    ASSERT_NE(nullptr, h);
    Notified child;
    ASSERT_NE(nullptr, child.Create(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, h, nullptr, nullptr));
    EXPECT_EQ(&child, KV::CWnd::GetpWnd(child.GetHwnd()));
    EXPECT_NE(nullptr, child.GetOldProc());
    NMHDR header = {child.GetHwnd(), 3, 100};
    EXPECT_EQ(7, ::SendMessageW(h, WM_NOTIFY, 3, reinterpret_cast<LPARAM>(&header)));
    EXPECT_EQ(1, child.count);
}

TEST(Windows, AnObjectMayDeleteItselfInAHandler)
{
    struct SelfDeleting : KV::CWnd
    {
        LRESULT OnLButtonDown(UINT, int, int) override
        {
            delete this;
            return 0;
        }
    };
    RecordingWnd parent;
    HWND h = CreateTestWindow(parent, 0, 0, 50, 50);
    ASSERT_NE(nullptr, h);
    SelfDeleting* child = new SelfDeleting;
    HWND c = child->Create(0, L"STATIC", L"", WS_CHILD, 0, 0, 5, 5, h, nullptr, nullptr);
    ASSERT_NE(nullptr, c);
    ::SendMessageW(c, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_FALSE(::IsWindow(c));
    EXPECT_EQ(nullptr, KV::CMapWnd::Lookup(c));
}

TEST(Windows, CursorRulesWhileMaximised)
{
    struct Exposed : MaxSkinWnd
    {
        HCURSOR For(const KV::CSkin* s) const { return CursorForRole(s); }
    } wnd;
    KV::CSkin width, splitter, height, keep, plain;
    width.SetParam(10, Rc(0, 0, 1, 1), 0x01000211);
    splitter.SetParam(455, Rc(0, 0, 1, 1), 0x01000211);
    height.SetParam(11, Rc(0, 0, 1, 1), 0x01000311);
    keep.SetParam(12, Rc(0, 0, 1, 1), 0x01000611);
    plain.SetParam(13, Rc(0, 0, 1, 1), 0x01000011);
    const HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    const HCURSOR we = ::LoadCursorW(nullptr, IDC_SIZEWE);
    const HCURSOR ns = ::LoadCursorW(nullptr, IDC_SIZENS);
    EXPECT_EQ(we, wnd.For(&width));
    EXPECT_EQ(we, wnd.For(&splitter));
    EXPECT_EQ(ns, wnd.For(&height));
    EXPECT_EQ(nullptr, wnd.For(&keep));
    EXPECT_EQ(arrow, wnd.For(&plain));
    wnd.maximised = 1;
    EXPECT_EQ(we, wnd.For(&width));
    EXPECT_EQ(arrow, wnd.For(&splitter));
    EXPECT_EQ(arrow, wnd.For(&height));
    // A window without elements leaves the cursor to the default handling.
    EXPECT_EQ(0, wnd.OnSetCursor(nullptr, HTCLIENT, WM_MOUSEMOVE));
}
