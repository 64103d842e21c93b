#include "app/ui/Help.h"

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

void Tell(HWND owner, const std::wstring& text)
{
    KV::ShowMsgBox(owner, text.c_str(), KV::kAppCaption, MB_OK | MB_ICONWARNING);
}

} // namespace

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
        Tell(owner, L"The help file was not found:\n" + file +
                        L"\n\nPlease install Fingerwaltz again to restore it.");
        return false;
    }
    switch (g_viewer(owner, HelpAddress(dir, topic).c_str()))
    {
    case HelpShowResult::Shown:
        return true;
    case HelpShowResult::ControlMissing:
        Tell(owner, L"The help cannot be shown because the Windows help viewer (hhctrl.ocx) is "
                    L"missing on this computer.\n\nThe help file is " +
                        file + L"; any program that opens .chm files can show it.");
        return false;
    case HelpShowResult::Failed:
        break;
    }
    Tell(owner, std::wstring(L"The help page \"") + topic + L"\" could not be shown from\n" + file);
    return false;
}
