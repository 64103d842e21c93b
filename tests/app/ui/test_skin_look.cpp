// The program's dialogs take the skin's look: its palette and the face of its texts.
#include "common/fwtest.h"
#include "app/ui/DialogIds.h"
#include "app/doc/WaltzDoc.h"
#include "app/ui/DlgAbout.h"
#include "app/ui/DlgResults.h"
#include "kvinterf/window/DialogLook.h"
#include "kvstruct/files/IniTable.h"

#include <gtest/gtest.h>

namespace {

TEST(SkinLook, TheDefaultSkinGivesTheLibrarysDefaultLook)
{
    const KV::DialogLook fallback = KV::DefaultDialogLook();
    EXPECT_TRUE(KV::LoadDialogLook((fwtest::BinDir() + L"\\Skin\\Default").c_str()));
    const KV::DialogLook& look = KV::GetDialogLook();
    EXPECT_EQ(fallback.background, look.background);
    EXPECT_EQ(fallback.text, look.text);
    EXPECT_EQ(fallback.field, look.field);
    EXPECT_EQ(fallback.accent, look.accent);
    // A skin without the picture keeps the Default skin's look.
    EXPECT_FALSE(KV::LoadDialogLook(fwtest::MakeTempDir(L"skin").c_str()));
    EXPECT_EQ(fallback.background, KV::GetDialogLook().background);
}

TEST(SkinLook, LabelsFieldsAndFaceFollowTheLook)
{
    KV::DialogLook look = KV::DefaultDialogLook();
    look.background = RGB(200, 210, 220);
    look.text = RGB(10, 20, 30);
    look.field = RGB(250, 250, 240);
    KV::SetDialogLook(look);
    KV::CIniTable lang;
    CDlgBugs dlg(nullptr, &lang);
    HWND wnd = dlg.Create();
    KV::SetDialogLook(KV::DefaultDialogLook());
    ASSERT_NE(nullptr, wnd);

    HDC dc = ::CreateCompatibleDC(nullptr);
    const struct
    {
        UINT message;
        int id;
        COLORREF back;
    } cases[] = {{WM_CTLCOLORSTATIC, IDC_BUGS_NAME_LABEL, look.background},
                 {WM_CTLCOLORBTN, IDC_BUGS_SYSINFO, look.background},
                 {WM_CTLCOLOREDIT, IDC_BUGS_NAME, look.field}};
    for (const auto& c : cases)
    {
        HWND control = ::GetDlgItem(wnd, c.id);
        EXPECT_NE(0, ::SendMessageW(wnd, c.message, reinterpret_cast<WPARAM>(dc), reinterpret_cast<LPARAM>(control)));
        EXPECT_EQ(look.text, ::GetTextColor(dc)) << c.id;
        EXPECT_EQ(c.back, ::GetBkColor(dc)) << c.id;
        LOGFONTW font = {};
        ::GetObjectW(reinterpret_cast<HFONT>(::SendMessageW(control, WM_GETFONT, 0, 0)), sizeof(font), &font);
        EXPECT_STREQ(look.face, font.lfFaceName) << c.id;
    }
    ::DeleteDC(dc);
}

// The award stands on the dialog's face, not on a square of the picture's own background.
TEST(SkinLook, TheAwardStandsOnTheDialogsFace)
{
    CWaltzDoc doc;
    KV::CLapList* laps = doc.GetStat().GetCurrent();
    laps->NewStatError(4);
    laps->StartLap();
    laps->AddStatLetter(L"asdf", 0, 2);
    laps->EndLap();
    KV::CIniTable lang;
    CDlgResults dlg(nullptr, doc, &lang);
    dlg.SetSoundPlayer(nullptr);
    dlg.Create();
    HBITMAP award = reinterpret_cast<HBITMAP>(
        ::SendDlgItemMessageW(dlg.GetpCommon()->GetHwnd(), IDC_AWARD, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(nullptr, award);
    HDC dc = ::CreateCompatibleDC(nullptr);
    HGDIOBJ old = ::SelectObject(dc, award);
    EXPECT_EQ(KV::GetDialogLook().background, ::GetPixel(dc, 0, 0));
    EXPECT_EQ(KV::GetDialogLook().background, ::GetPixel(dc, 95, 95));
    ::SelectObject(dc, old);
    ::DeleteDC(dc);
}

} // namespace
