#include "kvstruct/sys/SysInfo.h"
#include "kvstruct/core/TextCopy.h"
#include "kvstruct/input/KeyboardLayer.h"
#include "kvstruct/sys/LayoutName.h"

#include <windows.h>

#include <cwchar>

namespace KV {

std::wstring GetAppVer(const wchar_t* file)
{
    if (!file || !file[0])
        return {};
    DWORD handle = 0;
    DWORD size = ::GetFileVersionInfoSizeW(file, &handle);
    if (!size)
        return {};
    std::string data(size, '\0');
    if (!::GetFileVersionInfoW(file, 0, size, &data[0]))
        return {};
    VS_FIXEDFILEINFO* info = nullptr;
    UINT len = 0;
    if (!::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &len) || !info ||
        len < sizeof(VS_FIXEDFILEINFO))
        return {};
    unsigned major = HIWORD(info->dwProductVersionMS);
    unsigned minor = LOWORD(info->dwProductVersionMS);
    unsigned build = HIWORD(info->dwProductVersionLS);
    wchar_t text[32];
    if (build == 0)
        swprintf(text, 32, L"%u.%u", major, minor);
    else
        swprintf(text, 32, L"%u.%u.%u", major, minor, build);
    return text;
}

int GetAppVer(const wchar_t* file, wchar_t* dest, size_t destSize)
{
    if (!dest || !destSize)
        return 0;
    std::wstring version = GetAppVer(file);
    CopyText(dest, destSize, version.c_str());
    return version.empty() ? 0 : 1;
}

int GetAppVer(const wchar_t* file, wchar_t* dest)
{
    return GetAppVer(file, dest, 32);
}

std::wstring GetSysInfo()
{
    OSVERSIONINFOW ver = {};
    ver.dwOSVersionInfoSize = sizeof ver;
    // RtlGetVersion tells the truth where GetVersionEx is shimmed.
    typedef LONG(WINAPI * RtlGetVersionFn)(OSVERSIONINFOW*);
    HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    RtlGetVersionFn rtlGetVersion = ntdll ? reinterpret_cast<RtlGetVersionFn>(reinterpret_cast<void*>(
                                                ::GetProcAddress(ntdll, "RtlGetVersion")))
                                          : nullptr;
    if (!rtlGetVersion || rtlGetVersion(&ver) != 0)
        ::GetVersionExW(&ver);
    wchar_t num[64];
    swprintf(num, 64, L"%lu.%lu.%lu", ver.dwMajorVersion, ver.dwMinorVersion, ver.dwBuildNumber);
    std::wstring s = L" System Version: ";
    s += num;

    CKeyboardLayer* kb = GetKeyboardLayer();
    wchar_t klid[KL_NAMELENGTH] = {0};
    if (kb->GetActiveLayoutName(klid))
    {
        s += L" \n Current Layout: ";
        std::wstring name;
        LONG status = 0;
        if (GetNameLayout(klid, name, &status) == 0)
            s += name;
        s += L" ";
        s += klid;
    }
    s += L" \n All Layouts: ";
    HKL list[20] = {};
    int n = kb->GetLayoutList(20, list);
    for (int i = 0; i < n && i < 20; ++i)
    {
        swprintf(num, 64, L" %llx; ", static_cast<unsigned long long>(reinterpret_cast<ULONG_PTR>(list[i])));
        s += num;
    }
    return s;
}

void GetSysInfo(wchar_t* dest, size_t destSize)
{
    CopyText(dest, destSize, GetSysInfo().c_str());
}

} // namespace KV
