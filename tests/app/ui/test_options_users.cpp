#include "common/fwtest.h"
#include "app/doc/UserManager.h"
#include "app/doc/UserSettings.h"
#include "app/doc/UserTransfer.h"
#include "app/doc/WaltzDoc.h"
#include "app/ui/DialogIds.h"
#include "app/ui/DlgOption.h"
#include "dialog_look.h"
#include "kvstruct/files/IniTable.h"

#include <gtest/gtest.h>

namespace {

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

class UserFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_dir = fwtest::MakeTempDir(L"users");
        m_settings.reset(
            new CUserSettings((m_dir + L"\\fingerwaltz.ini").c_str(), (m_dir + L"\\User").c_str()));
        ASSERT_EQ(1, m_settings->ResetUserPath());
        for (const wchar_t* ext : {L".sta", L".opt", L".pla"})
            ASSERT_TRUE(fwtest::WriteFileBytes(Old(L"a") + ext, std::string("user a ") + char(ext[1])));
        ::CreateDirectoryW((m_dir + L"\\New").c_str(), nullptr);
    }
    std::wstring Old(const wchar_t* id) const { return m_dir + L"\\User\\" + id; }
    std::wstring New(const wchar_t* id) const { return m_dir + L"\\New\\" + id; }

    std::wstring m_dir;
    std::unique_ptr<CUserSettings> m_settings;
};

TEST_F(UserFolder, TransferCopiesChecksSwitchesAndRemoves)
{
    EXPECT_EQ(TransferDone, TransferUserFiles(*m_settings, m_dir + L"\\New"));
    EXPECT_EQ(m_dir + L"\\New", m_settings->GetUserPath());
    for (const wchar_t* ext : {L".sta", L".opt", L".pla"})
    {
        EXPECT_EQ(std::string("user a ") + char(ext[1]), fwtest::ReadFileBytes(New(L"a") + ext));
        EXPECT_FALSE(Exists(Old(L"a") + ext));
    }
}

TEST_F(UserFolder, AFailureMidwayLeavesEverythingWhereItWas)
{
    // A file of the same name in the new folder is never replaced: the move stops there.
    ASSERT_TRUE(fwtest::WriteFileBytes(New(L"a.pla"), "someone else's"));
    EXPECT_EQ(TransferFailed, TransferUserFiles(*m_settings, m_dir + L"\\New"));
    EXPECT_EQ(m_dir + L"\\User", m_settings->GetUserPath());
    for (const wchar_t* ext : {L".sta", L".opt", L".pla"})
        EXPECT_TRUE(Exists(Old(L"a") + ext)) << ext;
    EXPECT_FALSE(Exists(New(L"a.sta")));
    EXPECT_FALSE(Exists(New(L"a.opt")));
    EXPECT_EQ("someone else's", fwtest::ReadFileBytes(New(L"a.pla")));

    EXPECT_EQ(TransferWrongPath, TransferUserFiles(*m_settings, m_dir + L"\\Missing"));
    EXPECT_EQ(TransferWrongPath, TransferUserFiles(*m_settings, m_dir + L"\\User\\"));
    EXPECT_EQ(m_dir + L"\\User", m_settings->GetUserPath());
}

std::wstring g_folder;
bool ChooseGiven(HWND, const wchar_t*, std::wstring& folder)
{
    folder = g_folder;
    return true;
}

TEST_F(UserFolder, UsersPageListsRemovesAndMovesUsers)
{
    KV::CIniTable lang;
    ASSERT_TRUE(lang.Load_UTF16((fwtest::BinDir() + L"\\Language\\English.ini").c_str()));
    CWaltzDoc doc;
    CUserManager users(doc, *m_settings);
    ASSERT_EQ(1, users.CreateUser(L"Ann", L"", L"", L"", L"ann"));
    ASSERT_EQ(1, users.CreateUser(L"Bob", L"", L"", L"", L"bob"));
    FolderChooser previous = SetFolderChooser(ChooseGiven);
    fwtest::MsgRecorder boxes(IDNO);

    CDlgOption dlg(nullptr, doc, &lang, nullptr);
    dlg.SetpUsers(&users, m_settings.get());
    dlg.Create();
    dlg.ShowPage(CDlgOption::PageUsers);
    HWND page = dlg.GetpPage(CDlgOption::PageUsers)->GetHwnd();
    const LRESULT count = ::SendDlgItemMessageW(page, IDC_USERS_LIST, LB_GETCOUNT, 0, 0);
    EXPECT_EQ(3, count) << "a, Ann and Bob";

    ::SendDlgItemMessageW(page, IDC_USERS_LIST, LB_SETCURSEL, 0, 0);
    ::SendMessageW(::GetDlgItem(page, IDC_USERS_REMOVE), BM_CLICK, 0, 0);
    ASSERT_EQ(1u, boxes.Count());
    EXPECT_EQ(L"Delete this user with all statistics and options?", boxes.LastText());
    page = dlg.GetpPage(CDlgOption::PageUsers)->GetHwnd();
    EXPECT_EQ(3, ::SendDlgItemMessageW(page, IDC_USERS_LIST, LB_GETCOUNT, 0, 0)) << "answered no";

    const struct
    {
        std::wstring folder;
        const wchar_t* told;
    } refused[] = {
        {m_dir + L"\\Missing", L"This folder cannot be used. Please choose another one."},
        // A folder nobody may write to, even under Wine as root.
        {L"Z:\\proc", L"Fingerwaltz may not write to this folder. Please choose another one."},
    };
    for (const auto& r : refused)
    {
        g_folder = r.folder;
        ::SendMessageW(::GetDlgItem(page, IDC_USERS_PATH_CHOOSE), BM_CLICK, 0, 0);
        EXPECT_EQ(r.told, boxes.LastText());
        EXPECT_EQ(m_dir + L"\\User", m_settings->GetUserPath());
        EXPECT_TRUE(Exists(Old(L"bob.sta")));
    }
    g_folder = m_dir + L"\\New";
    ::SendMessageW(::GetDlgItem(page, IDC_USERS_PATH_CHOOSE), BM_CLICK, 0, 0);
    EXPECT_EQ(3u, boxes.Count());
    EXPECT_TRUE(Exists(New(L"bob.sta")));
    EXPECT_FALSE(Exists(Old(L"bob.sta")));
    wchar_t shown[MAX_PATH] = {0};
    ::GetDlgItemTextW(page, IDC_USERS_PATH, shown, MAX_PATH);
    EXPECT_EQ(m_dir + L"\\New", std::wstring(shown));
    SetFolderChooser(previous);
}

TEST_F(UserFolder, UsersPageLabelsFitInEveryLanguage)
{
    CWaltzDoc doc;
    CUserManager users(doc, *m_settings);
    KV::CIniTable lang;
    for (const wchar_t* language : {L"English", L"German", L"Russian"})
    {
        ASSERT_TRUE(lang.Load_UTF16((fwtest::BinDir() + L"\\Language\\" + language + L".ini").c_str()));
        CDlgOption dlg(nullptr, doc, &lang, nullptr);
        dlg.SetpUsers(&users, m_settings.get());
        HWND wnd = dlg.Create();
        dlg.ShowPage(CDlgOption::PageUsers);
        dialoglook::ShowForLook(wnd);
        for (const std::wstring& text : dialoglook::ClippedLabels(wnd))
            ADD_FAILURE() << std::string(text.begin(), text.end());
    }
}

} // namespace
