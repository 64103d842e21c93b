// Home page and tell-a-friend through a recorded shell.
#include "app/ui/WebCommands.h"
#include "common/fwtest.h"
#include "kvstruct/files/IniTable.h"
#include "kvstruct/sys/Shell.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> g_opened;
int g_shellAnswer = 1;

int RecordShell(const wchar_t* target)
{
    g_opened.push_back(target);
    return g_shellAnswer;
}

} // namespace

TEST(WebCommands, HomePageAndMailOpenOrTellTheUser)
{
    KV::CIniTable lang;
    ASSERT_TRUE(lang.Load_UTF16((fwtest::BinDir() + L"\\Language\\German.ini").c_str()));
    KV::ShellExecHandler previous = KV::SetShellExecHandler(&RecordShell);
    fwtest::MsgRecorder boxes;
    for (int answer : {1, 0})
    {
        SCOPED_TRACE(answer);
        g_shellAnswer = answer;
        g_opened.clear();
        boxes.Clear();
        EXPECT_EQ(answer != 0, OpenHomePage(nullptr, &lang));
        EXPECT_EQ(answer != 0, TellFriend(nullptr, &lang));
        ASSERT_EQ(2u, g_opened.size());
        EXPECT_EQ(L"https://fingerwaltz.example/", g_opened[0]);
        EXPECT_EQ(TellFriendAddress(&lang), g_opened[1]);
        EXPECT_EQ(answer ? 0u : 2u, boxes.Count());
        if (!answer)
        {
            EXPECT_EQ(lang._GetW(L"NoProgramMail"), boxes.LastText()) << "told in the user's language";
        }
    }
    KV::SetShellExecHandler(previous);

    // The body is the language's text, a blank and the home page, encoded for a mail address.
    const std::wstring mail = TellFriendAddress(&lang);
    EXPECT_EQ(0u, mail.find(L"mailto:?subject=Fingerwaltz%20touch-typing%20tutor&body="));
    EXPECT_NE(std::wstring::npos, mail.find(L"%20https%3A%2F%2Ffingerwaltz.example%2F"));
    EXPECT_EQ(std::wstring::npos, mail.find_first_of(L" &?", mail.find(L"&body=") + 1));
    EXPECT_NE(TellFriendAddress(nullptr), mail);
}
