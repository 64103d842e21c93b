#include "app/ui/WebCommands.h"

#include "app/ui/DlgAbout.h"
#include "app/ui/FWDialog.h"
#include "kvstruct/files/IniTable.h"
#include "kvstruct/sys/MsgBox.h"
#include "kvstruct/sys/Shell.h"
#include "kvstruct/sys/WebPages.h"

#include <vector>

namespace {

std::wstring Encoded(const std::wstring& text)
{
    // One character becomes at most twelve (four UTF-8 bytes as %XX).
    std::vector<wchar_t> buffer(text.size() * 12 + 1);
    KV::UrlEncode(text.c_str(), buffer.data(), buffer.size());
    return buffer.data();
}

bool Open(HWND owner, const std::wstring& target, const std::wstring& failure)
{
    if (KV::ShellExec(target.c_str()))
        return true;
    KV::ShowMsgBox(owner, failure.c_str(), KV::kAppCaption, MB_OK | MB_ICONWARNING);
    return false;
}

} // namespace

std::wstring TellFriendAddress(const KV::CIniTable* lang)
{
    const wchar_t* text = lang ? lang->GetW(L"TextFriend") : nullptr;
    std::wstring body = text ? text : L"";
    body += L" ";
    body += CDlgAbout::GetHomePage();
    return L"mailto:?subject=" + Encoded(kTellFriendSubject) + L"&body=" + Encoded(body);
}

bool OpenHomePage(HWND owner, const KV::CIniTable* lang)
{
    return Open(owner, CDlgAbout::GetHomePage(),
                LangText(lang, L"NoProgramHomePage", L"No program could open the home page."));
}

bool TellFriend(HWND owner, const KV::CIniTable* lang)
{
    return Open(owner, TellFriendAddress(lang),
                LangText(lang, L"NoProgramMail", L"No program could start a new e-mail."));
}
