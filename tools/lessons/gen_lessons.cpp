// Writes the scan-code lessons (Letter, Capital, DigitSymbol) from their readable sources.
//
//   gen_lessons.exe <source folder> <lesson root>
//
// <source folder> holds Letter\, Capital\ and DigitSymbol\ with one UTF-8 file per lesson:
// the name starts with the two-digit course position, the first line is "keys: " followed by
// the keys the lesson trains (separated by spaces), the rest is the lesson text (wrapped
// freely; lines are joined with single spaces). The lessons are written below
// <lesson root>\MultiLanguage\Standart\ with the lesson library's own scan-code encoding
// and the United States table layout, so that every layout turns them back into the keys
// at the same places. The file name is the position followed by the encoded keys, which
// the lesson tree shows as the keys ("f j"). Every file is read back and compared.
#include "kvfwctrl/lessons/Lesson.h"
#include "kvfwctrl/lessons/LessonList.h"
#include "kvtesting/KeyboardLayerTable.h"
#include "kvstruct/sys/MsgBox.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const wchar_t* const kSections[] = {L"Letter", L"Capital", L"DigitSymbol"};
const wchar_t* const kStandard = L"MultiLanguage\\Standart";

struct Source
{
    std::wstring file;   // source file name
    std::wstring prefix; // two-digit course position
    std::wstring keys;   // the keys, without separators
    std::wstring shown;  // the keys as the lesson tree shows them ("f j")
    std::wstring text;   // the lesson as one line
};

int ReportBox(HWND, const wchar_t* text, const wchar_t* caption, unsigned int)
{
    fwprintf(stderr, L"[%ls] %ls\n", caption ? caption : L"", text ? text : L"");
    return IDOK;
}

std::wstring Join(const std::wstring& a, const std::wstring& b)
{
    if (a.empty())
        return b;
    return (a.back() == L'\\' ? a : a + L"\\") + b;
}

bool ReadBytes(const std::wstring& path, std::string& bytes)
{
    std::ifstream in(path.c_str(), std::ios::binary);
    if (!in)
        return false;
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}

std::wstring FromUtf8(const std::string& bytes)
{
    if (bytes.empty())
        return std::wstring();
    int n = MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)bytes.size(), nullptr, 0);
    std::wstring out(n, L'\0');
    MultiByteToWideChar(CP_UTF8, 0, bytes.data(), (int)bytes.size(), &out[0], n);
    return out;
}

std::wstring Trim(const std::wstring& s)
{
    size_t b = s.find_first_not_of(L" \t\r");
    if (b == std::wstring::npos)
        return std::wstring();
    size_t e = s.find_last_not_of(L" \t\r");
    return s.substr(b, e - b + 1);
}

std::vector<std::wstring> ListTxt(const std::wstring& folder)
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW(Join(folder, L"*.txt").c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(fd.cFileName);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    std::sort(names.begin(), names.end());
    return names;
}

bool ParseSource(const std::wstring& folder, const std::wstring& file, Source& src)
{
    std::string bytes;
    if (!ReadBytes(Join(folder, file), bytes))
    {
        fwprintf(stderr, L"%ls: cannot read\n", file.c_str());
        return false;
    }
    std::wstring all = FromUtf8(bytes);
    std::vector<std::wstring> lines;
    size_t start = 0;
    while (start <= all.size())
    {
        size_t end = all.find(L'\n', start);
        if (end == std::wstring::npos)
            end = all.size();
        lines.push_back(all.substr(start, end - start));
        start = end + 1;
    }
    if (file.size() < 3 || !iswdigit(file[0]) || !iswdigit(file[1]) || lines.empty() ||
        lines[0].compare(0, 6, L"keys: ") != 0)
    {
        fwprintf(stderr, L"%ls: wants a two-digit prefix and a first line \"keys: ...\"\n", file.c_str());
        return false;
    }
    src.file = file;
    src.prefix = file.substr(0, 2);
    src.shown = Trim(lines[0].substr(6));
    src.keys.clear();
    for (wchar_t c : src.shown)
        if (c != L' ')
            src.keys += c;
    src.text.clear();
    for (size_t i = 1; i < lines.size(); ++i)
    {
        std::wstring line = Trim(lines[i]);
        if (line.empty())
            continue;
        if (!src.text.empty())
            src.text += L' ';
        src.text += line;
    }
    if (src.keys.empty() || src.text.empty())
    {
        fwprintf(stderr, L"%ls: no keys or no text\n", file.c_str());
        return false;
    }
    return true;
}

// The keys in the library's scan-code form, as the lesson file names carry them.
bool EncodeKeys(const std::wstring& keys, std::wstring& code)
{
    code = keys;
    return KV::CLesson::ConvertVirtCode(code) && code.size() == keys.size() * 3;
}

int WriteSection(const std::wstring& srcRoot, const std::wstring& lessonRoot, const wchar_t* section)
{
    std::wstring srcFolder = Join(srcRoot, section);
    std::vector<std::wstring> files = ListTxt(srcFolder);
    if (files.empty())
    {
        fwprintf(stderr, L"%ls: no sources\n", srcFolder.c_str());
        return 1;
    }
    std::vector<Source> sources;
    for (const std::wstring& f : files)
    {
        Source s;
        if (!ParseSource(srcFolder, f, s))
            return 1;
        if (!sources.empty() && sources.back().prefix == s.prefix)
        {
            fwprintf(stderr, L"%ls: prefix %ls used twice\n", f.c_str(), s.prefix.c_str());
            return 1;
        }
        sources.push_back(s);
    }

    std::wstring outFolder = Join(Join(lessonRoot, kStandard), section);
    SHCreateDirectoryExW(nullptr, outFolder.c_str(), nullptr);
    for (const std::wstring& old : ListTxt(outFolder))
        DeleteFileW(Join(outFolder, old).c_str());

    KV::CLessonList list;
    list.SetBasePath(lessonRoot.c_str());
    std::vector<std::wstring> written;
    for (const Source& s : sources)
    {
        std::wstring code;
        if (!EncodeKeys(s.keys, code))
        {
            fwprintf(stderr, L"%ls: the keys do not encode\n", s.file.c_str());
            return 1;
        }
        std::wstring name = s.prefix + code;
        KV::CLesson lesson(&list);
        lesson.SetRelPath(kStandard);
        lesson.SetParentName(section);
        lesson.SetLessonNameSys(name.c_str());
        lesson.SetLessonName(name.c_str(), false);
        lesson.SetTextW(s.text.c_str());
        lesson.SetMultiLangFlag();
        if (!lesson.Save())
        {
            fwprintf(stderr, L"%ls: not saved\n", s.file.c_str());
            return 1;
        }
        written.push_back(name);
    }

    // Read everything back through the library, as the program will.
    list.Clear();
    if (!list.LoadCurrent(kStandard, section))
    {
        fwprintf(stderr, L"%ls: the library finds nothing\n", outFolder.c_str());
        return 1;
    }
    int failures = 0;
    size_t found = 0;
    for (unsigned long id = 1; KV::CLesson* lesson = list.Get(id); ++id)
    {
        if (lesson->GetSection() != 0)
            break;
        if (found >= sources.size())
        {
            fwprintf(stderr, L"%ls: more lessons than sources\n", section);
            return 1;
        }
        const Source& s = sources[found++];
        const wchar_t* text = lesson->GetTextW(0);
        const wchar_t* shown = lesson->GetName();
        if (!text || s.text != text)
        {
            fwprintf(stderr, L"%ls: the text does not read back\n", s.file.c_str());
            ++failures;
        }
        if (!shown || s.shown != shown)
        {
            fwprintf(stderr, L"%ls: shown as \"%ls\", wanted \"%ls\"\n", s.file.c_str(), shown ? shown : L"",
                     s.shown.c_str());
            ++failures;
        }
    }
    if (found != sources.size())
    {
        fwprintf(stderr, L"%ls: %u lessons read back, %u written\n", section, (unsigned)found,
                 (unsigned)sources.size());
        ++failures;
    }
    wprintf(L"%ls: %u lessons\n", section, (unsigned)sources.size());
    return failures ? 1 : 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc != 3)
    {
        fwprintf(stderr, L"usage: gen_lessons.exe <source folder> <lesson root>\n");
        return 2;
    }
    KV::SetMsgBoxHandler(ReportBox);
    KV::CTableKeyboardLayer layer(L"00000409");
    KV::CKeyboardLayer* previous = KV::SetKeyboardLayer(&layer);

    int rc = 0;
    for (const wchar_t* section : kSections)
        rc |= WriteSection(argv[1], argv[2], section);

    KV::SetKeyboardLayer(previous);
    return rc;
}
