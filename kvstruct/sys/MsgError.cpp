#include "kvstruct/sys/MsgError.h"
#include "kvstruct/core/TextCopy.h"
#include "kvstruct/files/Paths.h"
#include "kvstruct/sys/SysInfo.h"
#include "kvstruct/sys/WebPages.h"
#include "kvstruct/sys/MsgBox.h"

#include <algorithm>
#include <cwchar>
#include <string>

namespace KV {

namespace {

const wchar_t kQuestion[] = L"\n\nDo you want to sent this message to development team?";

} // namespace

CMsgError::CMsgError(const wchar_t* object, const wchar_t* error, const wchar_t* param, HWND owner)
{
    Report(object, error, param, owner);
}

CMsgError::CMsgError(const wchar_t* object, const wchar_t* error, HWND owner)
{
    Report(object, error, L"", owner);
}

CMsgError::CMsgError(const wchar_t* object, const wchar_t* error)
{
    Report(object, error, L"", nullptr);
}

CMsgError::CMsgError(const wchar_t* object, const wchar_t* error, long number, HWND owner)
{
    Report(object, error, std::to_wstring(number).c_str(), owner);
}

CMsgError::CMsgError(const wchar_t* object, const wchar_t* error, long number1, long number2, HWND owner)
{
    std::wstring param = std::to_wstring(number1) + L":" + std::to_wstring(number2);
    Report(object, error, param.c_str(), owner);
}

void CMsgError::Report(const wchar_t* object, const wchar_t* error, const wchar_t* param, HWND owner)
{
    CopyText(m_szObject, 256, object);
    CopyText(m_szError, 256, error);
    CopyText(m_szParam, 256, param);
    m_hOwner = owner;

    std::wstring report = L" Object: ";
    report += m_szObject;
    report += L"\n Error: ";
    report += m_szError;
    if (m_szParam[0])
    {
        report += L"\n Param: ";
        report += m_szParam;
    }
    report += L"\n\n";
    report += GetSysInfo().substr(0, 2047);
    CopyText(m_szReport, 2048, report.c_str());

    // A long report is cut before the question, so the question always shows.
    const size_t question = wcslen(kQuestion);
    std::wstring message(m_szReport, std::min<size_t>(wcslen(m_szReport), 2047 - question));
    message += kQuestion;
    CopyText(m_szMessage, 2048, message.c_str());

    int answer = ShowMsgBox(nullptr, m_szMessage, kAppCaption, MB_YESNO | MB_ICONERROR);
    if (answer == IDYES)
    {
        std::wstring folder = GetPathToExeW();
        if (folder.empty())
            return; // nothing to send with, and the caller goes on
        std::wstring version = GetAppVer(GetFullPath(folder.c_str(), L"fingerwaltz.exe", nullptr).c_str());
        if (m_hOwner && ::IsWindow(m_hOwner))
            ::ShowWindow(m_hOwner, SW_HIDE);
        SendBugs(GetContactPage(), version.c_str(), m_szReport);
    }
    ExitProgram(0);
}

} // namespace KV
