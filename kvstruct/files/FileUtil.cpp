#include "kvstruct/files/FileUtil.h"
#include "kvstruct/input/KeyboardLayer.h"
#include "kvstruct/sys/MsgBox.h"

#include <shellapi.h>
#include <shlobj.h>
#include <shlwapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>

namespace KV {

namespace {

FileOperationHandler g_fileOperation = nullptr;
ShellExecHandler g_shellExec = nullptr;

// Copies at most size - 1 characters and always terminates.
void CopyCut(wchar_t* dest, const wchar_t* src, size_t size)
{
    if (!dest || !size)
        return;
    size_t n = src ? wcslen(src) : 0;
    if (n > size - 1)
        n = size - 1;
    if (n)
        wmemmove(dest, src, n);
    dest[n] = 0;
}

// "Could not open file <path>. Access is denied." / ". Error: <code>".
void WarnWithError(const wchar_t* prefix, const wchar_t* path, DWORD error)
{
    std::wstring text = prefix;
    text += path ? path : L"";
    if (error == ERROR_ACCESS_DENIED)
        text += L". Access is denied.";
    else
        text += L". Error: " + std::to_wstring(error);
    ShowWarning(text.c_str());
}

bool IsFolder(const wchar_t* path)
{
    DWORD a = ::GetFileAttributesW(path);
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

// Creates a folder and its parents; the system's error code, or 0.
DWORD MakeFolder(const wchar_t* path)
{
    if (!path || !path[0])
        return ERROR_BAD_PATHNAME;
    if (IsFolder(path))
        return 0;
    // SHCreateDirectoryExW wants a full path.
    wchar_t full[MAX_PATH];
    DWORD n = ::GetFullPathNameW(path, MAX_PATH, full, nullptr);
    if (!n || n >= MAX_PATH)
        return ERROR_BAD_PATHNAME;
    int rc = ::SHCreateDirectoryExW(nullptr, full, nullptr);
    if (rc == ERROR_SUCCESS || IsFolder(full))
        return 0;
    return rc ? static_cast<DWORD>(rc) : ERROR_PATH_NOT_FOUND;
}

int DefaultFileOperation(unsigned int function, const wchar_t* from, const wchar_t* to, unsigned short flags,
                         BOOL* aborted)
{
    // The shell wants lists ended by two zeros.
    std::wstring f = from ? from : L"";
    std::wstring t = to ? to : L"";
    f.push_back(0);
    t.push_back(0);
    SHFILEOPSTRUCTW op = {};
    op.wFunc = function;
    op.pFrom = f.c_str();
    op.pTo = to ? t.c_str() : nullptr;
    op.fFlags = flags;
    int rc = ::SHFileOperationW(&op);
    if (aborted)
        *aborted = op.fAnyOperationsAborted;
    return rc;
}

int DefaultShellExec(const wchar_t* target)
{
    HINSTANCE h = ::ShellExecuteW(nullptr, L"open", target, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(h) > 32 ? 1 : 0;
}

const size_t kAddressSize = 4096;

// Appends "&key=" and the encoded value when the value is not empty. A value that does not fit
// in the address is cut at a whole character.
void AppendPair(std::wstring& address, const wchar_t* key, const wchar_t* value)
{
    if (!value || !value[0])
        return;
    std::wstring pair = key;
    if (address.size() + pair.size() >= kAddressSize)
        return;
    address += pair;
    wchar_t enc[kAddressSize];
    UrlEncode(value, enc, kAddressSize - address.size());
    address += enc;
}

// Opens a built address, cut to the address limit.
int OpenAddress(std::wstring& address)
{
    if (address.size() >= kAddressSize)
        address.resize(kAddressSize - 1);
    return ShellExec(address.c_str());
}

std::wstring PadLeft(const wchar_t* value, size_t width)
{
    std::wstring s = value ? value : L"";
    if (s.size() < width)
        s.insert(0, width - s.size(), L'0');
    return s;
}

// The check code digits: each decimal digit is replaced by its image here.
const wchar_t kDigitMap[11] = L"7390518264";

} // namespace

// --- paths and files ---

int GetPathToExeW(wchar_t* buffer)
{
    if (!buffer)
        return 0;
    buffer[0] = 0;
    wchar_t path[MAX_PATH];
    DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    if (!n || n >= MAX_PATH)
        return 0;
    wchar_t* slash = wcsrchr(path, L'\\');
    if (!slash)
        return 0;
    slash[1] = 0;
    CopyCut(buffer, path, MAX_PATH);
    return 1;
}

int GetPathToExeA(char* buffer)
{
    if (!buffer)
        return 0;
    buffer[0] = 0;
    char path[MAX_PATH];
    DWORD n = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    if (!n || n >= MAX_PATH)
        return 0;
    char* slash = strrchr(path, '\\');
    if (!slash)
        return 0;
    slash[1] = 0;
    memcpy(buffer, path, strlen(path) + 1);
    return 1;
}

wchar_t* GetFullPath(wchar_t* dest, const wchar_t* folder, const wchar_t* name, const wchar_t* extension)
{
    if (!dest)
        return dest;
    wchar_t tmp[MAX_PATH] = {0};
    if (!::PathCombineW(tmp, folder && folder[0] ? folder : nullptr, name && name[0] ? name : nullptr))
        tmp[0] = 0;
    if (tmp[0] && extension && extension[0] && !*::PathFindExtensionW(tmp))
    {
        if (wcslen(tmp) + wcslen(extension) < MAX_PATH)
            wcscat(tmp, extension);
        else
            tmp[0] = 0;
    }
    CopyCut(dest, tmp, MAX_PATH);
    return dest;
}

wchar_t* GetFullPath(wchar_t* dest, const wchar_t* folder, unsigned long number, const wchar_t* extension)
{
    wchar_t name[16];
    swprintf(name, 16, L"%lu", number);
    return GetFullPath(dest, folder, name, extension);
}

int rxPathFileExists(const wchar_t* path)
{
    return path && path[0] && ::GetFileAttributesW(path) != INVALID_FILE_ATTRIBUTES ? 1 : 0;
}

int CreateDirectoryW(const wchar_t* path)
{
    DWORD error = MakeFolder(path);
    if (!error)
        return 1;
    WarnWithError(L"Create Directory failed. Path ", path, error);
    return 0;
}

int ReviseFolder(const wchar_t* path)
{
    return MakeFolder(path) ? 0 : 1;
}

HANDLE OpenFileRead(const wchar_t* path)
{
    HANDLE h = INVALID_HANDLE_VALUE;
    if (path && path[0])
        h = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        WarnWithError(L"Could not open file ", path, path && path[0] ? ::GetLastError() : ERROR_INVALID_NAME);
    return h;
}

HANDLE OpenFileWrite(const wchar_t* path)
{
    HANDLE h = INVALID_HANDLE_VALUE;
    if (path && path[0])
        h = ::CreateFileW(path, GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, CREATE_ALWAYS,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        WarnWithError(L"Could not write to file ", path,
                      path && path[0] ? ::GetLastError() : ERROR_INVALID_NAME);
    return h;
}

void ShowFileWarning(int write, const wchar_t* path, unsigned long error)
{
    WarnWithError(write ? L"Could not write to file " : L"Could not open file ", path, error);
}

int WriteDiv(HANDLE file)
{
    DWORD written = 0;
    return ::WriteFile(file, "\r\n", 2, &written, nullptr) && written == 2 ? 1 : 0;
}

int ShellFileOperation(unsigned int function, const wchar_t* from, const wchar_t* to, unsigned short flags,
                       BOOL* aborted)
{
    if (aborted)
        *aborted = FALSE;
    // A cut path would name another file: refuse what does not fit.
    if (!from || !from[0] || wcslen(from) >= MAX_PATH || (to && wcslen(to) >= MAX_PATH))
        return ERROR_INVALID_PARAMETER;
    FileOperationHandler handler = g_fileOperation ? g_fileOperation : DefaultFileOperation;
    return handler(function, from, to, flags, aborted);
}

FileOperationHandler SetFileOperationHandler(FileOperationHandler handler)
{
    FileOperationHandler old = g_fileOperation;
    g_fileOperation = handler;
    return old;
}

int SilentFileOperation(unsigned int function, const wchar_t* from, const wchar_t* to, unsigned short flags,
                        BOOL* aborted)
{
    return DefaultFileOperation(
        function, from, to,
        static_cast<unsigned short>(flags | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT), aborted);
}

int FileOperation(unsigned int function, const wchar_t* from, const wchar_t* to)
{
    BOOL aborted = FALSE;
    int rc = ShellFileOperation(function, from, to, FOF_ALLOWUNDO, &aborted);
    return rc == 0 && !aborted ? 1 : 0;
}

int CompareFileNames(const wchar_t* a, const wchar_t* b)
{
    int rc = ::CompareStringOrdinal(a ? a : L"", -1, b ? b : L"", -1, TRUE);
    if (rc == CSTR_LESS_THAN)
        return -1;
    if (rc == CSTR_GREATER_THAN)
        return 1;
    if (rc == CSTR_EQUAL)
        return 0;
    return wcscmp(a ? a : L"", b ? b : L"");
}

int ShellExec(const wchar_t* target)
{
    if (!target || !target[0])
        return 0;
    return (g_shellExec ? g_shellExec : DefaultShellExec)(target);
}

ShellExecHandler SetShellExecHandler(ShellExecHandler handler)
{
    ShellExecHandler old = g_shellExec;
    g_shellExec = handler;
    return old;
}

// --- text and time ---

wchar_t* Remove_CR_LF_W(const wchar_t* source, wchar_t* dest)
{
    if (!dest)
        return dest;
    size_t out = 0;
    if (source)
        for (const wchar_t* p = source; *p; ++p)
        {
            if (*p == L'\r')
                continue;
            if (*p == L'\n')
            {
                if (out == 0 || p[1] == 0 || dest[out - 1] == L' ')
                    continue;
                dest[out++] = L' ';
                continue;
            }
            dest[out++] = *p;
        }
    dest[out] = 0;
    return dest;
}

char* Remove_CR_LF_A(const char* source, char* dest)
{
    if (!dest)
        return dest;
    size_t out = 0;
    if (source)
        for (const char* p = source; *p; ++p)
        {
            if (*p == '\r')
                continue;
            if (*p == '\n')
            {
                if (out == 0 || p[1] == 0 || dest[out - 1] == ' ')
                    continue;
                dest[out++] = ' ';
                continue;
            }
            dest[out++] = *p;
        }
    dest[out] = 0;
    return dest;
}

int FormatToTimeW(wchar_t* dest, const SYSTEMTIME& time, int kind, const wchar_t* unit1, const wchar_t* unit2,
                  size_t destSize)
{
    if (!dest || !destSize)
        return 0;
    std::wstring s;
    wchar_t num[16];
    if (kind == 1)
    {
        swprintf(num, 16, L"%02u:%02u", time.wMinute, time.wSecond);
        s = num;
    }
    else if (kind == 2)
    {
        s = std::to_wstring(time.wMinute) + (unit1 ? unit1 : L"") + L" " + std::to_wstring(time.wSecond) +
            (unit2 ? unit2 : L"");
    }
    CopyCut(dest, s.c_str(), destSize);
    return static_cast<int>(wcslen(dest));
}

int FormatToTimeA(char* dest, const SYSTEMTIME& time, int kind, const char* unit1, const char* unit2,
                  size_t destSize)
{
    if (!dest || !destSize)
        return 0;
    std::string s;
    char num[16];
    if (kind == 1)
    {
        snprintf(num, sizeof num, "%02u:%02u", time.wMinute, time.wSecond);
        s = num;
    }
    else if (kind == 2)
    {
        s = std::to_string(time.wMinute) + (unit1 ? unit1 : "") + " " + std::to_string(time.wSecond) +
            (unit2 ? unit2 : "");
    }
    if (s.size() > destSize - 1)
        s.resize(destSize - 1);
    memcpy(dest, s.c_str(), s.size() + 1);
    return static_cast<int>(s.size());
}

void GetCurRecordTime(wchar_t* dest)
{
    if (!dest)
        return;
    SYSTEMTIME st;
    ::GetSystemTime(&st);
    wchar_t t[8];
    swprintf(t, 8, L"%02u%02u", st.wMinute, st.wSecond);
    wcscat(dest, t);
}

void GetRand(wchar_t* dest, unsigned int n)
{
    if (!dest)
        return;
    DWORD tick = ::GetTickCount();
    std::srand(tick);
    unsigned long value = n ? static_cast<unsigned long>(std::rand()) % n + 1 : tick;
    swprintf(dest, 16, L"%lu", value);
}

// --- system information ---

int GetAppVer(const wchar_t* file, wchar_t* dest)
{
    if (!dest)
        return 0;
    dest[0] = 0;
    if (!file || !file[0])
        return 0;
    DWORD handle = 0;
    DWORD size = ::GetFileVersionInfoSizeW(file, &handle);
    if (!size)
        return 0;
    std::string data(size, '\0');
    if (!::GetFileVersionInfoW(file, 0, size, &data[0]))
        return 0;
    VS_FIXEDFILEINFO* info = nullptr;
    UINT len = 0;
    if (!::VerQueryValueW(data.data(), L"\\", reinterpret_cast<void**>(&info), &len) || !info ||
        len < sizeof(VS_FIXEDFILEINFO))
        return 0;
    unsigned major = HIWORD(info->dwProductVersionMS);
    unsigned minor = LOWORD(info->dwProductVersionMS);
    unsigned build = HIWORD(info->dwProductVersionLS);
    if (build == 0)
        swprintf(dest, 32, L"%u.%u", major, minor);
    else
        swprintf(dest, 32, L"%u.%u.%u", major, minor, build);
    return 1;
}

// 0: dest holds the name ("No-name layout" for an empty value, "Chinese" when the layout has no
// key); 2 the size query failed, 3 the value is not a plain string, 4 reading it failed.
int GetNameLayout(const wchar_t* layoutId, wchar_t* dest, LONG* status)
{
    std::wstring key = L"SYSTEM\\CurrentControlSet\\Control\\Keyboard Layouts\\";
    key += layoutId ? layoutId : L"";
    HKEY hkey = nullptr;
    LONG rc = ::RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE, &hkey);
    if (status)
        *status = rc;
    if (rc != ERROR_SUCCESS)
    {
        if (dest)
            CopyCut(dest, L"Chinese", MAX_PATH);
        return 0;
    }
    DWORD type = 0, size = 0;
    int result = 0;
    rc = ::RegQueryValueExW(hkey, L"Layout Text", nullptr, &type, nullptr, &size);
    if (status)
        *status = rc;
    if (rc != ERROR_SUCCESS)
        result = 2;
    else if (type != REG_SZ)
        result = 3;
    else
    {
        std::wstring value(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(value.size() * sizeof(wchar_t));
        rc = ::RegQueryValueExW(hkey, L"Layout Text", nullptr, &type, reinterpret_cast<BYTE*>(&value[0]),
                                &got);
        if (status)
            *status = rc;
        if (rc != ERROR_SUCCESS)
            result = 4;
        else if (dest)
        {
            value.resize(got / sizeof(wchar_t));
            const wchar_t* text = value.c_str();
            CopyCut(dest, text[0] ? text : L"No-name layout", MAX_PATH);
        }
    }
    ::RegCloseKey(hkey);
    return result;
}

int GetNameLayout(const wchar_t* layoutId, wchar_t* dest, LONG& status)
{
    return GetNameLayout(layoutId, dest, &status);
}

void GetSysInfo(wchar_t* dest, size_t destSize)
{
    if (!dest || !destSize)
        return;
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
        wchar_t name[MAX_PATH] = {0};
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
    CopyCut(dest, s.c_str(), destSize);
}

void PressKey(int, int on)
{
    CKeyboardLayer* kb = GetKeyboardLayer();
    bool capsOn = (kb->GetKeyState(VK_CAPITAL) & 1) != 0;
    if ((on != 0) == capsOn)
        return;
    INPUT in[2] = {};
    for (int i = 0; i < 2; ++i)
    {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = VK_CAPITAL;
        in[i].ki.wScan = 0x45;
        in[i].ki.dwFlags = KEYEVENTF_EXTENDEDKEY | (i ? KEYEVENTF_KEYUP : 0);
    }
    kb->SendInput(2, in, sizeof(INPUT));
}

// --- web pages ---

const wchar_t* GetContactPage()
{
    return L"https://fingerwaltz.example/contact";
}

const wchar_t* GetStatisticsPage()
{
    return L"https://fingerwaltz.example/records";
}

void UrlEncode(const wchar_t* value, wchar_t* dest, size_t destSize)
{
    if (!dest || !destSize)
        return;
    static const wchar_t kHex[] = L"0123456789ABCDEF";
    size_t out = 0;
    dest[0] = 0;
    if (!value)
        return;
    for (const wchar_t* p = value; *p; ++p)
    {
        unsigned long cp = static_cast<unsigned short>(*p);
        if (cp >= 0xD800 && cp <= 0xDBFF && p[1] >= 0xDC00 && p[1] <= 0xDFFF)
        {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (static_cast<unsigned short>(p[1]) - 0xDC00);
            ++p;
        }
        else if (cp >= 0xD800 && cp <= 0xDFFF)
            cp = 0xFFFD; // a lone surrogate has no UTF-8 form
        wchar_t piece[13];
        size_t len = 0;
        bool plain = (cp >= L'A' && cp <= L'Z') || (cp >= L'a' && cp <= L'z') || (cp >= L'0' && cp <= L'9') ||
                     cp == L'-' || cp == L'_' || cp == L'.' || cp == L'~';
        if (plain)
            piece[len++] = static_cast<wchar_t>(cp);
        else
        {
            unsigned char bytes[4];
            int nb = 0;
            if (cp < 0x80)
                bytes[nb++] = static_cast<unsigned char>(cp);
            else if (cp < 0x800)
            {
                bytes[nb++] = static_cast<unsigned char>(0xC0 | (cp >> 6));
                bytes[nb++] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
            }
            else if (cp < 0x10000)
            {
                bytes[nb++] = static_cast<unsigned char>(0xE0 | (cp >> 12));
                bytes[nb++] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
                bytes[nb++] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
            }
            else
            {
                bytes[nb++] = static_cast<unsigned char>(0xF0 | (cp >> 18));
                bytes[nb++] = static_cast<unsigned char>(0x80 | ((cp >> 12) & 0x3F));
                bytes[nb++] = static_cast<unsigned char>(0x80 | ((cp >> 6) & 0x3F));
                bytes[nb++] = static_cast<unsigned char>(0x80 | (cp & 0x3F));
            }
            for (int i = 0; i < nb; ++i)
            {
                piece[len++] = L'%';
                piece[len++] = kHex[bytes[i] >> 4];
                piece[len++] = kHex[bytes[i] & 0x0F];
            }
        }
        if (out + len + 1 > destSize)
            break; // never half a character
        wmemcpy(dest + out, piece, len);
        out += len;
    }
    dest[out] = 0;
}

int SendFeedBack(const wchar_t* page, const wchar_t* text, const wchar_t* version, const wchar_t* name,
                 const wchar_t* mail)
{
    std::wstring address = page ? page : L"";
    address += L"?&feedback=1";
    AppendPair(address, L"&name=", name);
    AppendPair(address, L"&mail=", mail);
    AppendPair(address, L"&ver=", version);
    AppendPair(address, L"&text=", text);
    return OpenAddress(address);
}

int SendBugs(const wchar_t* page, const wchar_t* version, const wchar_t* text)
{
    std::wstring address = page ? page : L"";
    address += L"?&errors=1";
    AppendPair(address, L"&ver=", version);
    AppendPair(address, L"&text=", text);
    return OpenAddress(address);
}

wchar_t* ConvertNum(wchar_t* text)
{
    if (text)
        for (wchar_t* p = text; *p; ++p)
            if (*p >= L'0' && *p <= L'9')
                *p = kDigitMap[*p - L'0'];
    return text;
}

int SendStatistics(const wchar_t* page, const wchar_t* rating, const wchar_t* name, const wchar_t* wpm,
                   const wchar_t* cpm, const wchar_t* accuracy, const wchar_t* seconds, const wchar_t* length)
{
    (void)cpm; // the page does not take it
    std::wstring code = L"1";
    wchar_t rnd[16] = {0};
    GetRand(rnd, 9);
    code += rnd;
    wchar_t now[16] = {0};
    GetCurRecordTime(now);
    code += now;
    code += rating ? rating : L"";
    code += PadLeft(length, 4);
    code += PadLeft(accuracy, 3);
    code += PadLeft(wpm, 4);
    code += PadLeft(seconds, 4);
    if (code.size() > 255)
        code.resize(255);
    wchar_t buf[256];
    CopyCut(buf, code.c_str(), 256);
    ConvertNum(buf);

    std::wstring address = page ? page : L"";
    address += L"?";
    if (seconds && seconds[0])
        AppendPair(address, L"&r=", buf);
    AppendPair(address, L"&n=", name);
    AppendPair(address, L"&w=", wpm);
    AppendPair(address, L"&a=", accuracy);
    AppendPair(address, L"&l=", length);
    AppendPair(address, L"&t=", seconds);
    return OpenAddress(address);
}

} // namespace KV
