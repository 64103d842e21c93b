#include "kvstruct/sys/LayoutName.h"
#include "kvstruct/core/TextCopy.h"
#include "kvstruct/sys/Handles.h"

namespace KV {

int GetNameLayout(const wchar_t* layoutId, std::wstring& dest, LONG* status)
{
    std::wstring key = L"SYSTEM\\CurrentControlSet\\Control\\Keyboard Layouts\\";
    key += layoutId ? layoutId : L"";
    CRegKey hkey;
    LONG rc = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, hkey.Put());
    if (status)
        *status = rc;
    if (rc != ERROR_SUCCESS)
    {
        dest = L"Chinese";
        return 0;
    }
    DWORD type = 0, size = 0;
    rc = ::RegQueryValueExW(hkey, L"Layout Text", nullptr, &type, nullptr, &size);
    if (status)
        *status = rc;
    if (rc != ERROR_SUCCESS)
        return 2;
    if (type != REG_SZ)
        return 3;
    std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = static_cast<DWORD>(value.size() * sizeof(wchar_t));
    rc = ::RegQueryValueExW(hkey, L"Layout Text", nullptr, &type, reinterpret_cast<BYTE*>(&value[0]), &got);
    if (status)
        *status = rc;
    if (rc != ERROR_SUCCESS)
        return 4;
    value.resize(got / sizeof(wchar_t));
    value.resize(wcslen(value.c_str())); // the stored terminator
    dest = value.empty() ? L"No-name layout" : value;
    return 0;
}

int GetNameLayout(const wchar_t* layoutId, wchar_t* dest, size_t destSize, LONG* status)
{
    std::wstring name;
    int rc = GetNameLayout(layoutId, name, status);
    if (rc == 0)
        CopyText(dest, destSize, name.c_str());
    return rc;
}

int GetNameLayout(const wchar_t* layoutId, wchar_t* dest, LONG* status)
{
    return GetNameLayout(layoutId, dest, MAX_PATH, status);
}

int GetNameLayout(const wchar_t* layoutId, wchar_t* dest, LONG& status)
{
    return GetNameLayout(layoutId, dest, MAX_PATH, &status);
}

} // namespace KV
