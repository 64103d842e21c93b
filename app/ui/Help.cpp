#include "app/ui/Help.h"
#include "app/ui/FWDialog.h"

#include "kvstruct/kvstruct.h"
#include "kvstruct/sys/MsgBox.h"

namespace {

// HtmlHelpW of hhctrl.ocx, loaded by name on first use (no import library needed).
typedef HWND(WINAPI* HtmlHelpFn)(HWND, LPCWSTR, UINT, DWORD_PTR);
constexpr UINT kHhDisplayTopic = 0x0000;
constexpr UINT kHhCloseAll = 0x0012;

HtmlHelpFn htmlHelp = nullptr;

HelpShowResult ShowWithControl(HWND owner, const wchar_t* address)
{
    if (!htmlHelp)
    {
        HMODULE control = ::LoadLibraryW(L"hhctrl.ocx");
        if (control)
            htmlHelp =
                reinterpret_cast<HtmlHelpFn>(reinterpret_cast<void*>(::GetProcAddress(control, "HtmlHelpW")));
        if (!htmlHelp)
            return HelpShowResult::ControlMissing;
    }
    return htmlHelp(owner, address, kHhDisplayTopic, 0) ? HelpShowResult::Shown : HelpShowResult::Failed;
}

HelpViewer g_viewer = ShowWithControl;
const KV::CIniTable* g_language = nullptr;

void Tell(HWND owner, const std::wstring& text)
{
    KV::ShowMsgBox(owner, text.c_str(), KV::kAppCaption, MB_OK | MB_ICONWARNING);
}

} // namespace

void SetHelpLanguage(const KV::CIniTable* lang)
{
    g_language = lang;
}

void CloseHelpWindows()
{
    if (htmlHelp)
        htmlHelp(nullptr, nullptr, kHhCloseAll, 0);
}

HelpViewer SetHelpViewer(HelpViewer viewer)
{
    HelpViewer previous = g_viewer;
    g_viewer = viewer ? viewer : ShowWithControl;
    return previous;
}

std::wstring HelpAddress(const std::wstring& folder, const wchar_t* topic)
{
    return folder + kHelpFileName + L"::/" + topic;
}

bool ShowHelpTopic(HWND owner, const wchar_t* topic, const std::wstring& folder)
{
    std::wstring dir = folder;
    if (dir.empty())
    {
        wchar_t exeDir[MAX_PATH] = {0};
        KV::GetPathToExeW(exeDir);
        dir = exeDir;
    }
    std::wstring file = dir + kHelpFileName;
    if (::GetFileAttributesW(file.c_str()) == INVALID_FILE_ATTRIBUTES)
    {
        Tell(owner, LangText(g_language, L"HelpFileMissing",
                             L"The help file was not found. Installing Fingerwaltz again restores it:") +
                        L"\n" + file);
        return false;
    }
    switch (g_viewer(owner, HelpAddress(dir, topic).c_str()))
    {
    case HelpShowResult::Shown:
        return true;
    case HelpShowResult::ControlMissing:
        Tell(owner, LangText(g_language, L"HelpViewerMissing",
                             L"The help cannot be shown: the Windows help viewer (hhctrl.ocx) is missing. "
                             L"Any program that opens .chm files can show this file:") +
                        L"\n" + file);
        return false;
    case HelpShowResult::Failed:
        break;
    }
    Tell(owner, LangText(g_language, L"HelpPageFailed", L"This help page could not be shown:") + L"\n" +
                    HelpAddress(dir, topic));
    return false;
}
