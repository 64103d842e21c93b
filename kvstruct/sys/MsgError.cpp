#include "kvstruct/sys/MsgError.h"
#include "kvstruct/files/FileUtil.h"
#include "kvstruct/sys/MsgBox.h"

#include <algorithm>
#include <cwchar>
#include <string>

namespace KV {

namespace {

void CopyCut(wchar_t* dest, const wchar_t* src, size_t size)
{
    size_t n = src ? wcslen(src) : 0;
    if (n > size - 1)
        n = size - 1;
    if (n)
        wmemcpy(dest, src, n);
    dest[n] = 0;
}

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
    CopyCut(m_szObject, object, 256);
    CopyCut(m_szError, error, 256);
    CopyCut(m_szParam, param, 256);
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
    wchar_t sysInfo[2048] = {0};
    GetSysInfo(sysInfo, 2048);
    report += L"\n\n";
    report += sysInfo;
    CopyCut(m_szReport, report.c_str(), 2048);

    // A long report is cut before the question, so the question always shows.
    const size_t question = wcslen(kQuestion);
    std::wstring message(m_szReport, std::min<size_t>(wcslen(m_szReport), 2047 - question));
    message += kQuestion;
    CopyCut(m_szMessage, message.c_str(), 2048);

    int answer = ShowMsgBox(nullptr, m_szMessage, kAppCaption, MB_YESNO | MB_ICONERROR);
    if (answer == IDYES)
    {
        wchar_t folder[MAX_PATH] = {0};
        if (!GetPathToExeW(folder))
            return; // nothing to send with, and the caller goes on
        wchar_t exe[MAX_PATH] = {0};
        GetFullPath(exe, folder, L"fingerwaltz.exe", nullptr);
        wchar_t version[64] = {0};
        GetAppVer(exe, version);
        if (m_hOwner && ::IsWindow(m_hOwner))
            ::ShowWindow(m_hOwner, SW_HIDE);
        SendBugs(GetContactPage(), version, m_szReport);
    }
    ExitProgram(0);
}

} // namespace KV
