#pragma once
// The fatal error report: shows what failed and where, offers to send it to the developers,
// then ends the program.
#include "kvstruct/kvstruct_api.h"

#include <windows.h>

namespace KV {

class KVSTRUCT_API CMsgError
{
public:
    // object: where ("CMainWnd::Create()"), error: what failed ("RegisterClass()"), param: detail.
    CMsgError(const wchar_t* object, const wchar_t* error, const wchar_t* param, HWND owner);
    CMsgError(const wchar_t* object, const wchar_t* error, HWND owner);
    CMsgError(const wchar_t* object, const wchar_t* error);
    CMsgError(const wchar_t* object, const wchar_t* error, long number, HWND owner);
    CMsgError(const wchar_t* object, const wchar_t* error, long number1, long number2, HWND owner);

    const wchar_t* GetObjectText() const { return m_szObject; }
    const wchar_t* GetErrorText() const { return m_szError; }
    const wchar_t* GetParam() const { return m_szParam; }
    const wchar_t* GetMessage() const { return m_szMessage; }
    const wchar_t* GetReport() const { return m_szReport; }
    HWND GetOwner() const { return m_hOwner; }

private:
    void Report(const wchar_t* object, const wchar_t* error, const wchar_t* param, HWND owner);

    wchar_t m_szObject[256];
    wchar_t m_szError[256];
    wchar_t m_szParam[256];
    wchar_t m_szMessage[2048];
    wchar_t m_szReport[2048];
    HWND m_hOwner;
};

} // namespace KV
