#include "kvfwctrl/lessons/Lesson.h"
#include "kvfwctrl/lessons/LessonList.h"
#include "kvstruct/files/Paths.h"
#include "kvstruct/files/FileAccess.h"
#include "kvstruct/sys/Handles.h"
#include "kvstruct/files/ShellFiles.h"
#include "kvstruct/core/LineText.h"
#include "kvstruct/core/TextCopy.h"
#include "kvstruct/input/KeyboardLayer.h"
#include "kvstruct/files/SafeFile.h"

#include <windows.h>
#include <shellapi.h>
#include <shlwapi.h>

#include <cwchar>
#include <vector>

namespace KV {

namespace {

const wchar_t kExtension[] = L".txt";

int HexDigit(wchar_t c)
{
    if (c >= L'0' && c <= L'9')
        return c - L'0';
    if (c >= L'a' && c <= L'f')
        return c - L'a' + 10;
    if (c >= L'A' && c <= L'F')
        return c - L'A' + 10;
    return -1;
}

bool EndsWithTxt(const std::wstring& name)
{
    return name.size() >= 4 && CompareFileNames(name.c_str() + name.size() - 4, kExtension) == 0;
}

// A lesson name may not lead out of its folder.
bool IsPlainFileName(const wchar_t* name)
{
    if (!name || !name[0] || !wcscmp(name, L".") || !wcscmp(name, L".."))
        return false;
    return wcspbrk(name, L"\\/:*?\"<>|") == nullptr;
}

} // namespace

std::wstring LessonToWide(const std::string& text, unsigned int codePage)
{
    if (text.empty())
        return std::wstring();
    DWORD flags = MB_PRECOMPOSED;
    int n = ::MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    if (n <= 0)
    {
        // Some code pages (UTF-8, ...) take no flags.
        flags = 0;
        n = ::MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), nullptr, 0);
    }
    if (n <= 0)
        return std::wstring();
    std::wstring out(static_cast<size_t>(n), L'\0');
    ::MultiByteToWideChar(codePage, flags, text.data(), static_cast<int>(text.size()), &out[0], n);
    if (out.size() > CLesson::kMaxTextUnits)
        out.resize(CLesson::kMaxTextUnits);
    return out;
}

std::string LessonToNarrow(const std::wstring& text, unsigned int codePage, size_t maxBytes)
{
    if (text.empty())
        return std::string();
    size_t units = text.size();
    for (;;)
    {
        int n = ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(units), nullptr, 0, nullptr,
                                      nullptr);
        if (n <= 0)
            return std::string();
        if (static_cast<size_t>(n) <= maxBytes)
        {
            std::string out(static_cast<size_t>(n), '\0');
            ::WideCharToMultiByte(codePage, 0, text.data(), static_cast<int>(units), &out[0], n, nullptr,
                                  nullptr);
            return out;
        }
        // Too long: shrink in proportion, at least one unit, never splitting a surrogate pair.
        size_t next = units * maxBytes / static_cast<size_t>(n);
        units = next < units ? next : units - 1;
        if (units && text[units - 1] >= 0xD800 && text[units - 1] <= 0xDBFF)
            --units;
        if (!units)
            return std::string();
    }
}

CLesson::CLesson(CLessonList* list)
    : m_nSection(0), m_nUpdateText(1), m_nUpdateName(1), m_nMultiLang(0), m_pList(list)
{}

CLesson::~CLesson() = default;

void CLesson::SetRelPath(const wchar_t* path)
{
    m_sRelPath = path;
}

void CLesson::SetParentName(const wchar_t* name)
{
    if (name && name[0])
        m_sParentName = name;
}

void CLesson::SetLessonName(const wchar_t* name, bool isSection)
{
    m_sLessonName = name;
    m_nSection = isSection ? 1 : 0;
}

void CLesson::SetLessonNameSys(const wchar_t* name)
{
    m_sLessonNameSys = name;
}

unsigned short CLesson::GetType() const
{
    static const wchar_t* const kTypes[] = {L"Letter",      L"Syllable", L"Capital", L"Words",
                                            L"DigitSymbol", L"Text",     L"User",    L"Addition"};
    for (unsigned short i = 0; i < 8; ++i)
        if (m_sParentName == kTypes[i])
            return static_cast<unsigned short>(i + 1);
    return 0;
}

unsigned int CLesson::GetCP() const
{
    return m_pList ? m_pList->GetCP() : 1252;
}

bool CLesson::IsLessonScanCode()
{
    if (m_sParentName == L"Letter" || m_sParentName == L"Capital" || m_sParentName == L"DigitSymbol")
    {
        m_nMultiLang = 1;
        return true;
    }
    return false;
}

const wchar_t* CLesson::GetBasePath(wchar_t* buffer, size_t size) const
{
    if (!buffer || size == 0 || !m_pList || m_sRelPath.IsEmpty() || m_sParentName.IsEmpty())
        return L"";
    wchar_t tmp[MAX_PATH] = {0};
    const wchar_t* base = m_pList->GetBasePath();
    if (wcslen(base) >= MAX_PATH)
        return L"";
    wcscpy(tmp, base);
    if (!::PathAppendW(tmp, m_sRelPath) || !::PathAppendW(tmp, m_sParentName))
        return L"";
    CopyToBuffer(buffer, size, tmp);
    return buffer;
}

std::wstring CLesson::FilePath(const wchar_t* folder, const wchar_t* name) const
{
    // The name is the file name without ".txt"; names with dots of their own keep them.
    // Names that would lead out of the folder give no path at all.
    if (!folder || !IsPlainFileName(name))
        return std::wstring();
    std::wstring file = name;
    if (!EndsWithTxt(file))
        file += kExtension;
    wchar_t tmp[MAX_PATH] = {0};
    if (wcslen(folder) >= MAX_PATH || file.size() >= MAX_PATH)
        return std::wstring();
    wcscpy(tmp, folder);
    if (!::PathAppendW(tmp, file.c_str()))
        return std::wstring();
    return tmp;
}

int CLesson::Load(const wchar_t* path)
{
    m_szTextA.clear();
    CFileHandle h(OpenFileRead(path));
    if (!h.IsValid())
        return 0;
    std::vector<char> data(kMaxTextBytes + 1, '\0');
    DWORD got = 0;
    BOOL ok = ::ReadFile(h, data.data(), kMaxTextBytes, &got, nullptr);
    h.Reset();
    if (ok)
    {
        // The text ends at the first zero byte, as a C string does.
        m_szTextA = Remove_CR_LF_A(std::string(data.data()));
        m_sText = LessonToWide(m_szTextA, GetCP()).c_str();
    }
    return 1;
}

int CLesson::Load(const wchar_t* folder, const wchar_t* name)
{
    if (!folder || !folder[0] || !name || !name[0])
        return 0;
    std::wstring path = FilePath(folder, name);
    if (path.empty())
        return 0;
    return Load(path.c_str());
}

bool CLesson::ConvertScanCode(std::wstring& text)
{
    CKeyboardLayer* kb = GetKeyboardLayer();
    BYTE state[256] = {0};
    kb->GetKeyboardState(state);
    state[VK_CAPITAL] = 0;
    HKL layout = kb->GetActiveLayout();

    // Parse first: nothing changes unless every triple is sound.
    struct Triple
    {
        bool shift;
        UINT scan;
    };
    // A space between triples is what a line break of the file became: it carries nothing.
    std::vector<Triple> triples;
    size_t i = 0;
    while (triples.size() < kMaxTextUnits)
    {
        while (i < text.size() && text[i] == L' ')
            ++i;
        if (i >= text.size())
            break;
        if (i + 3 > text.size())
            return false; // a cut triple
        int hi = HexDigit(text[i + 1]);
        int lo = HexDigit(text[i + 2]);
        if (hi < 0 || lo < 0)
            return false;
        triples.push_back({text[i] != L'0', static_cast<UINT>(hi * 16 + lo)});
        i += 3;
    }

    std::wstring out;
    out.reserve(triples.size());
    for (const Triple& t : triples)
    {
        state[VK_SHIFT] = t.shift ? 0x80 : 0x01;
        state[VK_CONTROL] = t.shift ? 0x01 : 0x00;
        UINT vk = kb->MapVirtualKey(t.scan, MAPVK_VSC_TO_VK, layout);
        wchar_t buf[8] = {0};
        int n = vk ? kb->ToUnicode(vk, t.scan, state, buf, 8, 0, layout) : 0;
        if (n < 0)
        {
            // A dead key: take its accent and clear the waiting state, so it does not
            // combine with the next character.
            wchar_t again[8] = {0};
            kb->ToUnicode(vk, t.scan, state, again, 8, 0, layout);
        }
        if (n != 0 && buf[0])
            out += buf[0]; // keys that give nothing are left out rather than ending the text
    }
    text = out;
    return true;
}

bool CLesson::ConvertVirtCode(std::wstring& text)
{
    CKeyboardLayer* kb = GetKeyboardLayer();
    HKL layout = kb->GetActiveLayout();
    static const wchar_t kHex[] = L"0123456789abcdef";
    std::wstring out;
    size_t n = text.size() < kMaxTextUnits ? text.size() : kMaxTextUnits;
    out.reserve(n * 3);
    for (size_t i = 0; i < n; ++i)
    {
        SHORT r = kb->VkKeyScan(text[i], layout);
        unsigned short code = static_cast<unsigned short>(r);
        UINT scan = kb->MapVirtualKey(code & 0xFF, MAPVK_VK_TO_VSC, layout) & 0xFF;
        out += (code >> 8) ? L'1' : L'0';
        out += kHex[scan >> 4];
        out += kHex[scan & 0x0F];
    }
    text = out;
    return true;
}

void CLesson::PrepareText()
{
    if (m_sText.IsEmpty())
    {
        wchar_t base[MAX_PATH] = {0};
        Load(GetBasePath(base, MAX_PATH), m_sLessonNameSys);
    }
    if (IsLessonScanCode() && m_nUpdateText)
    {
        std::wstring text = m_sText.GetW();
        if (ConvertScanCode(text))
        {
            m_sText = text.c_str();
            m_szTextA = LessonToNarrow(text, GetCP(), kMaxTextBytes);
            m_nUpdateText = 0;
        }
    }
}

void CLesson::ReformName(const std::wstring& chars)
{
    std::wstring name;
    for (size_t i = 0; i < chars.size(); ++i)
    {
        if (i)
            name += L' ';
        name += chars[i];
    }
    m_sLessonName = name.c_str();
}

const wchar_t* CLesson::GetName()
{
    if (IsLessonScanCode() && m_nUpdateName && m_sLessonName.GetLength() > 2)
    {
        std::wstring chars = m_sLessonName.GetW(2);
        if (ConvertScanCode(chars))
        {
            ReformName(chars);
            m_szTextA = LessonToNarrow(m_sText.GetW(), GetCP(), kMaxTextBytes);
            m_nUpdateName = 0;
        }
    }
    return m_sLessonName;
}

int CLesson::Save()
{
    wchar_t base[MAX_PATH] = {0};
    if (!GetBasePath(base, MAX_PATH)[0] || m_sLessonNameSys.IsEmpty())
        return 0;
    std::wstring path = FilePath(base, m_sLessonNameSys);
    if (path.empty())
        return 0;

    std::string bytes;
    bool scanCodes = IsLessonScanCode() || m_nMultiLang;
    if (scanCodes && !(IsLessonScanCode() && m_nUpdateText && !m_szTextA.empty()))
    {
        // From the UTF-16 form: characters the code page lacks (Cyrillic in 1252) keep their keys.
        std::wstring text = m_sText.GetW();
        if (!ConvertVirtCode(text))
            return 0;
        bytes = LessonToNarrow(text, GetCP(), text.size() * 4 + 4);
    }
    else
    {
        // Text never converted from its scan codes goes back as it came.
        bytes = m_szTextA;
    }

    // A read-only lesson stays as it is: the replacing rename below would pass over the
    // attribute under Wine, where Windows refuses it.
    const DWORD attributes = ::GetFileAttributesW(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
    {
        ShowFileWarning(1, path.c_str(), ERROR_ACCESS_DENIED);
        return 0;
    }
    CSafeOutFile file;
    if (!file.Open(path.c_str()))
    {
        ShowFileWarning(1, path.c_str(), ::GetLastError());
        return 0;
    }
    file.Stream().write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!file.Commit())
    {
        ShowFileWarning(1, path.c_str(), ::GetLastError());
        return 0;
    }
    return 1;
}

int CLesson::Rename(const wchar_t* folder, const wchar_t* newName)
{
    if (!folder || !folder[0] || !IsPlainFileName(newName) || m_sLessonNameSys.IsEmpty())
        return 0;
    std::wstring from = FilePath(folder, m_sLessonNameSys);
    std::wstring to = FilePath(folder, newName);
    if (from.empty() || to.empty())
        return 0;
    // Never over another lesson.
    if (CompareFileNames(from.c_str(), to.c_str()) != 0 && rxPathFileExists(to.c_str()))
        return 0;
    if (!FileOperation(FO_RENAME, from.c_str(), to.c_str()))
        return 0;
    m_sLessonName = newName;
    m_sLessonNameSys = newName;
    m_nSection = 0;
    return 1;
}

int CLesson::Delete(const wchar_t* folder)
{
    if (!folder || !folder[0] || m_sLessonNameSys.IsEmpty())
        return 0;
    std::wstring path = FilePath(folder, m_sLessonNameSys);
    if (path.empty())
        return 0;
    BOOL aborted = FALSE;
    int rc = ShellFileOperation(FO_DELETE, path.c_str(), nullptr, FOF_ALLOWUNDO, &aborted);
    if (aborted)
        return 0;
    return rc == 0 || !rxPathFileExists(path.c_str()) ? 1 : 0;
}

unsigned short CLesson::GetLength()
{
    PrepareText();
    unsigned long n = m_sText.GetLength();
    return static_cast<unsigned short>(n > 0xFFFF ? 0xFFFF : n);
}

const wchar_t* CLesson::GetTextW(unsigned long offset)
{
    PrepareText();
    unsigned long n = m_sText.GetLength();
    return m_sText.GetW(offset < n ? offset : n);
}

const char* CLesson::GetTextA(unsigned long offset)
{
    PrepareText();
    size_t n = m_szTextA.size();
    return m_szTextA.c_str() + (offset < n ? offset : n);
}

void CLesson::SetTextW(const wchar_t* text)
{
    std::wstring src = text ? text : L"";
    if (src.size() > kMaxTextUnits)
        src.resize(kMaxTextUnits);
    std::wstring line = Remove_CR_LF_W(src);
    m_sText = line.c_str();
    m_szTextA = LessonToNarrow(line.c_str(), GetCP(), kMaxTextBytes);
    m_nUpdateText = 0; // the text is characters now, not scan codes
}

void CLesson::SetTextA(const char* text)
{
    std::string src = text ? text : "";
    if (src.size() > kMaxTextBytes)
        src.resize(kMaxTextBytes);
    m_szTextA = Remove_CR_LF_A(src);
    m_sText = LessonToWide(m_szTextA, GetCP()).c_str();
    m_nUpdateText = 0;
}

void CLesson::RemoveText()
{
    m_szTextA.clear();
    m_sText.Empty();
    m_nUpdateText = 1;
}

void CLesson::SetUpdateFlag()
{
    m_nUpdateText = 1;
    m_nUpdateName = 1;
}

unsigned long CLesson::GetNumSymbol(wchar_t ch, wchar_t* buffer, size_t size)
{
    PrepareText();
    unsigned long count = 0;
    for (const wchar_t* p = m_sText.GetW(); *p; ++p)
        if (*p == ch)
            ++count;
    wchar_t text[16];
    swprintf(text, 16, L"%lu", count);
    CopyToBuffer(buffer, size, text);
    return count;
}

void CLesson::GetUniSymbols(wchar_t* buffer)
{
    // As many as the text has distinct characters, and what the buffer held already.
    GetUniSymbols(buffer, static_cast<size_t>(-1));
}

void CLesson::GetUniSymbols(wchar_t* buffer, size_t bufferSize)
{
    if (!buffer || bufferSize == 0)
        return;
    PrepareText();
    size_t used = wcslen(buffer);
    for (const wchar_t* p = m_sText.GetW(); *p; ++p)
    {
        if (wmemchr(buffer, *p, used))
            continue;
        if (used + 1 >= bufferSize)
            break;
        buffer[used++] = *p;
        buffer[used] = 0;
    }
}

} // namespace KV
