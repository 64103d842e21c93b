#include "common/fwtest.h"
#include "app/doc/UserManager.h"
#include "app/doc/UserSettings.h"
#include "app/doc/WaltzDoc.h"
#include "app/ui/DlgUsers.h"
#include "app/ui/UserDialogIds.h"
#include "kvstruct/files/FileOperation.h"
#include "kvstruct/kvstruct.h"
#include "kvstruct/files/IniTable.h"

#include <gtest/gtest.h>

namespace {

std::wstring ItemText(HWND dialog, int id)
{
    wchar_t text[256] = {0};
    ::GetDlgItemTextW(dialog, id, text, 256);
    return text;
}

std::wstring Title(HWND dialog)
{
    wchar_t text[256] = {0};
    ::GetWindowTextW(dialog, text, 256);
    return text;
}

void Command(HWND dialog, int id, int code = BN_CLICKED)
{
    ::SendMessageW(dialog, WM_COMMAND, MAKEWPARAM(id, code),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
}

void Choose(HWND dialog, int list, int index)
{
    ::SendDlgItemMessageW(dialog, list, LB_SETCURSEL, static_cast<WPARAM>(index), 0);
    Command(dialog, list, LBN_SELCHANGE);
}

bool HasPicture(HWND dialog, int id)
{
    return ::SendDlgItemMessageW(dialog, id, STM_GETICON, 0, 0) != 0;
}

std::vector<std::wstring> g_opened;
int RecordPage(const wchar_t* target)
{
    g_opened.push_back(target);
    return 1;
}

class UserDialogs : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_lang.Load_UTF16((fwtest::BinDir() + L"\\Language\\English.ini").c_str()));
    }

    fwtest::MsgRecorder m_boxes;
    KV::CIniTable m_lang;
    HINSTANCE m_module = ::GetModuleHandleW(nullptr);
};

TEST_F(UserDialogs, SelectUserShowsTheChosenUsersNickAndPicture)
{
    const std::wstring dir = fwtest::MakeTempDir(L"dlg");
    CUserSettings settings((dir + L"\\fingerwaltz.ini").c_str(), (dir + L"\\User").c_str());
    settings.ResetUserPath();
    CWaltzDoc doc;
    CUserManager users(doc, settings);
    ASSERT_EQ(1, users.CreateUser(L"Ann", L"", L"", L"3-sun", L"a"));
    ASSERT_EQ(1, users.CreateUser(L"Bob", L"", L"", L"", L"b"));

    KV::CRect place;
    CDlgSelectUser dlg(nullptr, users, &m_lang, L"b", &place);
    HWND wnd = dlg.Create(m_module);
    ASSERT_NE(nullptr, wnd);
    EXPECT_EQ(L"Choose user", Title(wnd));
    EXPECT_EQ(2, ::SendDlgItemMessageW(wnd, IDC_USER_LIST, LB_GETCOUNT, 0, 0));
    EXPECT_EQ(L"Current user: Bob", ItemText(wnd, IDC_USER_TEXT));
    EXPECT_TRUE(HasPicture(wnd, IDC_USER_PICTURE));
    Choose(wnd, IDC_USER_LIST, 0);
    EXPECT_EQ(L"Current user: Ann", ItemText(wnd, IDC_USER_TEXT));
    Command(wnd, IDOK);
    EXPECT_FALSE(::IsWindow(wnd));
    EXPECT_STREQ(L"a", dlg.GetSelectedID());

    // It opens where it was left.
    place.OffsetRect(13, 17);
    CDlgSelectUser again(nullptr, users, &m_lang, L"a", &place);
    wnd = again.Create(m_module);
    RECT rect;
    ::GetWindowRect(wnd, &rect);
    EXPECT_EQ(place, rect);
    EXPECT_EQ(L"Current user: Ann", ItemText(wnd, IDC_USER_TEXT));
    ::DestroyWindow(wnd);
}

TEST_F(UserDialogs, NewUserNeedsANickAndPropertiesKeepTheId)
{
    CDlgNewUser create(nullptr, &m_lang);
    HWND wnd = create.Create(m_module);
    ASSERT_NE(nullptr, wnd);
    EXPECT_EQ(L"New user", Title(wnd));
    EXPECT_EQ(L"Nick", ItemText(wnd, IDC_NICK_LABEL));
    EXPECT_TRUE(HasPicture(wnd, IDC_PICTURE));
    Command(wnd, IDOK);
    ASSERT_EQ(1u, m_boxes.Count());
    EXPECT_EQ(L"Please enter a nick.", m_boxes.LastText());
    EXPECT_EQ(L"Fingerwaltz", m_boxes.Boxes()[0].caption);
    ASSERT_TRUE(::IsWindow(wnd));
    ::SetDlgItemTextW(wnd, IDC_NICK, L"Zoe");
    Command(wnd, IDOK);
    EXPECT_FALSE(::IsWindow(wnd));
    EXPECT_STREQ(L"Zoe", create.GetHeader().GetNick());
    EXPECT_STREQ(L"Guest", create.GetHeader().GetFullName());
    EXPECT_STREQ(L"1-heart", create.GetHeader().GetAvatar());

    const CHeaderDoc old(L"Ann", L"Ann A", L"Likes tea", L"3-sun", L"a");
    CDlgNewUser edit(nullptr, &m_lang, &old);
    wnd = edit.Create(m_module);
    ASSERT_NE(nullptr, wnd);
    EXPECT_EQ(L"Properties", Title(wnd));
    EXPECT_EQ(L"Likes tea", ItemText(wnd, IDC_DESCRIPTION));
    ::SetDlgItemTextW(wnd, IDC_NICK, L"Anna");
    Command(wnd, IDOK);
    EXPECT_STREQ(L"Anna", edit.GetHeader().GetNick());
    EXPECT_STREQ(L"a", edit.GetHeader().GetID());
    EXPECT_STREQ(L"3-sun", edit.GetHeader().GetAvatar());
}

TEST_F(UserDialogs, AvatarsListEveryPictureAndOpenTheirPage)
{
    KV::ShellExecHandler previous = KV::SetShellExecHandler(RecordPage);
    CDlgSelectAvatars dlg(nullptr, &m_lang, L"2-star");
    HWND wnd = dlg.Create(m_module);
    ASSERT_NE(nullptr, wnd);
    KV::CFileOperation icons;
    icons.Load((fwtest::BinDir() + L"\\Avatars").c_str(), L".ico", 0);
    EXPECT_EQ(static_cast<LRESULT>(icons.GetCount()),
              ::SendDlgItemMessageW(wnd, IDC_AVATAR_LIST, LB_GETCOUNT, 0, 0));
    EXPECT_EQ(L"Current picture: 2-star", ItemText(wnd, IDC_AVATAR_TEXT));
    EXPECT_TRUE(HasPicture(wnd, IDC_AVATAR_PICTURE));
    Command(wnd, IDC_AVATAR_WEB);
    ASSERT_EQ(1u, g_opened.size());
    EXPECT_EQ(CDlgSelectAvatars::GetAvatarsPage(), g_opened[0]);
    Choose(wnd, IDC_AVATAR_LIST, 0);
    Command(wnd, IDOK);
    EXPECT_EQ(icons.GetName(0), std::wstring(dlg.GetAvatar()));
    KV::SetShellExecHandler(previous);
}

} // namespace
