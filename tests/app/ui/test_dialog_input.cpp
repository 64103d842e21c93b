// The dialogs with damaged surroundings: a language table without the keys, a missing award
// picture, a sound file that cannot be decoded. A clear message, nothing lost, no crash.
#include "common/fwtest.h"
#include "app/doc/WaltzDoc.h"
#include "app/ui/DialogIds.h"
#include "app/ui/DlgAbout.h"
#include "app/ui/DlgOption.h"
#include "app/ui/DlgResults.h"
#include "app/ui/DlgWizard.h"
#include "app/ui/OptionLists.h"
#include "kvstruct/files/IniTable.h"

#include <gtest/gtest.h>
#include <functional>
#include <memory>

namespace {

std::wstring Text(HWND wnd)
{
    wchar_t text[256] = {0};
    ::GetWindowTextW(wnd, text, 256);
    return text;
}

// Reads the dialogs' data from a folder of the test's own making.
class OwnProgramFolder
{
public:
    OwnProgramFolder() : m_dir(fwtest::MakeTempDir(L"prog") + L"\\") { SetProgramFolder(m_dir); }
    ~OwnProgramFolder() { SetProgramFolder(L""); }
    const std::wstring& Dir() const { return m_dir; }

private:
    std::wstring m_dir;
};

class DialogInput : public ::testing::Test
{
protected:
    void SetUp() override
    {
        KV::CLapList* laps = m_doc.GetStat().GetCurrent();
        laps->NewStatError(4);
        laps->StartLap();
        laps->AddStatLetter(L"asdf", 0, 2);
        laps->EndLap();
    }
    fwtest::MsgRecorder m_boxes;
    CWaltzDoc m_doc;
};

TEST_F(DialogInput, ALanguageTableWithoutTheKeysShowsTheKeys)
{
    KV::CIniTable empty;
    const struct
    {
        std::function<std::unique_ptr<CFWDialog>()> make;
        const wchar_t* title;
    } cases[] = {
        {[&] { return std::unique_ptr<CFWDialog>(new CDlgResults(nullptr, m_doc, &empty)); }, L"Results"},
        {[&] { return std::unique_ptr<CFWDialog>(new CDlgOption(nullptr, m_doc, &empty, nullptr)); }, L"Options"},
        {[&] { return std::unique_ptr<CFWDialog>(new CDlgWizard(nullptr, m_doc, &empty)); }, L"Wizard: Language"},
        {[&] { return std::unique_ptr<CFWDialog>(new CDlgAbout(nullptr, &empty)); }, L"AboutTitle"},
        {[&] { return std::unique_ptr<CFWDialog>(new CDlgBugs(nullptr, &empty)); }, L"BugsTitle"},
    };
    for (const auto& c : cases)
    {
        std::unique_ptr<CFWDialog> dlg = c.make();
        if (CDlgResults* results = dynamic_cast<CDlgResults*>(dlg.get()))
            results->SetSoundPlayer(nullptr);
        HWND wnd = dlg->Create();
        ASSERT_NE(nullptr, wnd) << std::string(c.title, c.title + wcslen(c.title));
        EXPECT_EQ(c.title, Text(wnd));
    }
}

TEST_F(DialogInput, AMissingAwardPictureIsNamed)
{
    OwnProgramFolder folder;
    KV::CIniTable lang;
    ASSERT_TRUE(lang.Load_UTF16((fwtest::BinDir() + L"\\Language\\English.ini").c_str()));
    CDlgResults dlg(nullptr, m_doc, &lang);
    dlg.SetSoundPlayer(nullptr);
    dlg.Create();
    HWND page = dlg.GetpCommon()->GetHwnd();
    EXPECT_FALSE(::GetWindowLongW(::GetDlgItem(page, IDC_AWARD), GWL_STYLE) & WS_VISIBLE);
    EXPECT_TRUE(::GetWindowLongW(::GetDlgItem(page, IDC_AWARD_MISSING), GWL_STYLE) & WS_VISIBLE);
    const std::wstring told = Text(::GetDlgItem(page, IDC_AWARD_MISSING));
    EXPECT_NE(std::wstring::npos, told.find(dlg.GetpCommon()->GetAwardPath())) << "names the file";
}

TEST_F(DialogInput, ASoundFileThatCannotBeDecodedIsRefused)
{
    OwnProgramFolder folder;
    ::CreateDirectoryW((folder.Dir() + L"Sound").c_str(), nullptr);
    ASSERT_TRUE(fwtest::WriteFileBytes(folder.Dir() + L"Sound\\broken.ogg", "OggS but nothing more"));
    KV::CIniTable lang;
    ASSERT_TRUE(lang.Load_UTF16((fwtest::BinDir() + L"\\Language\\English.ini").c_str()));
    CDlgOption dlg(nullptr, m_doc, &lang, nullptr);
    dlg.Create();
    dlg.ShowPage(CDlgOption::PageSound);
    HWND page = dlg.GetpPage(CDlgOption::PageSound)->GetHwnd();
    HWND events = ::GetDlgItem(page, IDC_SND_EVENTS);
    ListView_SetItemState(events, 3, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
    const std::wstring before = dlg.GetOptions().m_soundGame.Get(3)->GetFileName();
    HWND files = ::GetDlgItem(page, IDC_SND_FILE);
    const LRESULT broken = ::SendMessageW(files, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                          reinterpret_cast<LPARAM>(L"broken.ogg"));
    ASSERT_GE(broken, 0);
    ::SendMessageW(files, CB_SETCURSEL, static_cast<WPARAM>(broken), 0);
    ::SendMessageW(page, WM_COMMAND, MAKEWPARAM(IDC_SND_FILE, CBN_SELCHANGE), reinterpret_cast<LPARAM>(files));
    ASSERT_EQ(1u, m_boxes.Count());
    EXPECT_NE(std::wstring::npos, m_boxes.LastText().find(L"cannot be played")) << "told";
    EXPECT_NE(std::wstring::npos, m_boxes.LastText().find(L"broken.ogg"));
    EXPECT_EQ(before, dlg.GetOptions().m_soundGame.Get(3)->GetFileName()) << "kept";
}

} // namespace
