// The lessons shipped beside the program, read through the lesson library exactly as the
// program reads them, and compared with their readable sources in tools/lessons/src.
#include "common/fwtest.h"

#include "kvfwctrl/lessons/Lesson.h"
#include "kvfwctrl/lessons/LessonList.h"
#include "kvstruct/files/Paths.h"
#include "kvtesting/KeyboardLayerTable.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

namespace {

const wchar_t* const kStandard = L"MultiLanguage\\Standart";

std::string Narrow(const std::wstring& w)
{
    if (w.empty())
        return std::string();
    int n = WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), nullptr, 0, nullptr, nullptr);
    std::string out(n, '\0');
    WideCharToMultiByte(CP_UTF8, 0, w.data(), (int)w.size(), &out[0], n, nullptr, nullptr);
    return out;
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
    return s.substr(b, s.find_last_not_of(L" \t\r") - b + 1);
}

// Files of a folder (not sub-folders) in the order the lesson library lists them.
std::vector<std::wstring> ListFiles(const std::wstring& folder, const wchar_t* pattern = L"*.txt")
{
    std::vector<std::wstring> names;
    WIN32_FIND_DATAW fd;
    HANDLE h = FindFirstFileW((folder + L"\\" + pattern).c_str(), &fd);
    if (h == INVALID_HANDLE_VALUE)
        return names;
    do
    {
        if (!(fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            names.push_back(fd.cFileName);
    } while (FindNextFileW(h, &fd));
    FindClose(h);
    std::sort(names.begin(), names.end(), [](const std::wstring& a, const std::wstring& b) {
        return KV::CompareFileNames(a.c_str(), b.c_str()) < 0;
    });
    return names;
}

std::wstring StripTxt(const std::wstring& name)
{
    return name.size() > 4 ? name.substr(0, name.size() - 4) : name;
}

struct Source
{
    std::wstring name;  // source file name without ".txt"
    std::wstring shown; // scan-code lessons: the keys as the tree shows them
    std::wstring text;  // the lesson as one line
};

// A source file: optional "keys: " line (scan-code lessons), then the text wrapped freely.
Source ReadSource(const std::wstring& folder, const std::wstring& file, bool withKeys)
{
    Source s;
    s.name = StripTxt(file);
    std::wstring all = FromUtf8(fwtest::ReadFileBytes(folder + L"\\" + file));
    size_t start = 0;
    bool first = true;
    while (start <= all.size())
    {
        size_t end = all.find(L'\n', start);
        if (end == std::wstring::npos)
            end = all.size();
        std::wstring line = Trim(all.substr(start, end - start));
        start = end + 1;
        if (first && withKeys)
        {
            first = false;
            if (line.compare(0, 6, L"keys: ") == 0)
                s.shown = Trim(line.substr(6));
            continue;
        }
        if (line.empty())
            continue;
        if (!s.text.empty())
            s.text += L' ';
        s.text += line;
    }
    return s;
}

std::vector<Source> ReadSources(const std::wstring& relFolder, bool withKeys)
{
    std::wstring folder = fwtest::SourceDir() + L"\\tools\\lessons\\src\\" + relFolder;
    std::vector<Source> sources;
    for (const std::wstring& f : ListFiles(folder))
        sources.push_back(ReadSource(folder, f, withKeys));
    return sources;
}

std::wstring LessonRoot()
{
    return fwtest::BinDir() + L"\\Lessons";
}

// The lessons of one section as the library lists them (the folder entry left out).
std::vector<KV::CLesson*> SectionLessons(KV::CLessonList& list, const wchar_t* relative,
                                         const wchar_t* section)
{
    std::vector<KV::CLesson*> lessons;
    KV::CLesson* entry = list.LoadCurrent(relative, section);
    if (!entry)
        return lessons;
    unsigned long id = 0;
    while (list.Get(id) != entry)
        ++id;
    for (++id; KV::CLesson* lesson = list.Get(id); ++id)
    {
        if (lesson->GetSection() != 0)
            break;
        lessons.push_back(lesson);
    }
    return lessons;
}

// Installs the table keyboard with one layout active for the life of the object.
class LayoutScope
{
public:
    explicit LayoutScope(const wchar_t* klid) : m_layer(klid), m_previous(KV::SetKeyboardLayer(&m_layer)) {}
    ~LayoutScope() { KV::SetKeyboardLayer(m_previous); }

private:
    KV::CTableKeyboardLayer m_layer;
    KV::CKeyboardLayer* m_previous;
};

struct LocalFolder
{
    const wchar_t* klid;
    const wchar_t* folder;
    unsigned int codePage;
};

const LocalFolder kLocalFolders[] = {
    {L"00000409", L"En", 1252},
    {L"00000407", L"00000407", 1252},
    {L"00000419", L"00000419", 1251},
};

const wchar_t* const kScanSections[] = {L"Letter", L"Capital", L"DigitSymbol"};

bool IsLowerHex(wchar_t c)
{
    return (c >= L'0' && c <= L'9') || (c >= L'a' && c <= L'f');
}

} // namespace

TEST(ShippedScanCodeLessons, ReadBackAsTheirSourcesWithTheUnitedStatesLayout)
{
    LayoutScope us(L"00000409");
    for (const wchar_t* section : kScanSections)
    {
        SCOPED_TRACE(Narrow(section));
        std::vector<Source> sources = ReadSources(section, true);
        ASSERT_FALSE(sources.empty());
        KV::CLessonList list;
        list.SetBasePath(LessonRoot().c_str());
        std::vector<KV::CLesson*> lessons = SectionLessons(list, kStandard, section);
        ASSERT_EQ(sources.size(), lessons.size());
        for (size_t i = 0; i < lessons.size(); ++i)
        {
            SCOPED_TRACE(Narrow(sources[i].name));
            const wchar_t* text = lessons[i]->GetTextW(0);
            ASSERT_NE(nullptr, text);
            EXPECT_EQ(Narrow(sources[i].text), Narrow(text));
            const wchar_t* shown = lessons[i]->GetName();
            ASSERT_NE(nullptr, shown);
            EXPECT_EQ(Narrow(sources[i].shown), Narrow(shown));
        }
    }
}

TEST(ShippedScanCodeLessons, FileNamesArePositionAndEncodedKeysInCourseOrder)
{
    for (const wchar_t* section : kScanSections)
    {
        SCOPED_TRACE(Narrow(section));
        std::vector<Source> sources = ReadSources(section, true);
        std::vector<std::wstring> files = ListFiles(LessonRoot() + L"\\" + kStandard + L"\\" + section);
        ASSERT_EQ(sources.size(), files.size());
        for (size_t i = 0; i < files.size(); ++i)
        {
            std::wstring name = StripTxt(files[i]);
            SCOPED_TRACE(Narrow(name));
            // The same two-digit position as the source, so the name order is the course order.
            EXPECT_EQ(sources[i].name.substr(0, 2), name.substr(0, 2));
            if (i > 0)
            {
                EXPECT_LT(KV::CompareFileNames(files[i - 1].c_str(), files[i].c_str()), 0);
            }
            // Then one shift flag and two lower-case hex digits per key.
            std::wstring keys = sources[i].shown;
            keys.erase(std::remove(keys.begin(), keys.end(), L' '), keys.end());
            ASSERT_EQ(2 + 3 * keys.size(), name.size());
            for (size_t k = 2; k < name.size(); k += 3)
            {
                EXPECT_TRUE(name[k] == L'0' || name[k] == L'1');
                EXPECT_TRUE(IsLowerHex(name[k + 1]) && IsLowerHex(name[k + 2]));
            }
        }
    }
}

TEST(ShippedScanCodeLessons, CourseIsLongEnough)
{
    EXPECT_GE(ListFiles(LessonRoot() + L"\\" + kStandard + L"\\Letter").size(), 24u);
    EXPECT_GE(ListFiles(LessonRoot() + L"\\" + kStandard + L"\\Capital").size(), 10u);
    EXPECT_GE(ListFiles(LessonRoot() + L"\\" + kStandard + L"\\DigitSymbol").size(), 12u);
}

TEST(ShippedScanCodeLessons, EveryDrillIsAPracticeLength)
{
    for (const wchar_t* section : kScanSections)
    {
        for (const Source& s : ReadSources(section, true))
        {
            EXPECT_GE(s.text.size(), 300u) << Narrow(s.name);
            EXPECT_LE(s.text.size(), 600u) << Narrow(s.name);
            EXPECT_EQ(std::wstring::npos, s.text.find(L"  ")) << Narrow(s.name);
        }
    }
}

TEST(ShippedScanCodeLessons, LetterLessonsFollowTheActiveLayout)
{
    // The same file gives the keys at the same places: f j in the United States layout,
    // the Cyrillic letters on those keys in the Russian one.
    struct Case
    {
        const wchar_t* klid;
        const wchar_t* firstName;
    } cases[] = {{L"00000409", L"f j"}, {L"00000407", L"f j"}, {L"00000419", L"\x0430 \x043E"}};
    std::vector<Source> sources = ReadSources(L"Letter", true);
    for (const Case& c : cases)
    {
        SCOPED_TRACE(Narrow(c.klid));
        LayoutScope layout(c.klid);
        KV::CLessonList list;
        list.SetBasePath(LessonRoot().c_str());
        list.SetCP(c.klid == std::wstring(L"00000419") ? 1251 : 1252);
        std::vector<KV::CLesson*> lessons = SectionLessons(list, kStandard, L"Letter");
        ASSERT_EQ(sources.size(), lessons.size());
        EXPECT_EQ(Narrow(c.firstName), Narrow(lessons[0]->GetName()));
        // Every letter key gives a character on these layouts: one character per key stroke.
        for (size_t i = 0; i < lessons.size(); ++i)
            EXPECT_EQ(sources[i].text.size(), std::wstring(lessons[i]->GetTextW(0)).size())
                << Narrow(sources[i].name);
    }
}

TEST(ShippedLocalLessons, ReadBackAsTheirSourcesInTheLayoutsCodePage)
{
    for (const LocalFolder& local : kLocalFolders)
    {
        for (const wchar_t* section : {L"Syllable", L"Words", L"Text", L"Addition"})
        {
            std::wstring rel = std::wstring(local.folder) + L"\\" + section;
            SCOPED_TRACE(Narrow(rel));
            std::vector<Source> sources = ReadSources(rel, false);
            KV::CLessonList list;
            list.SetBasePath(LessonRoot().c_str());
            list.SetCP(local.codePage);
            std::wstring relative = std::wstring(L"LocalLanguage\\") + local.folder;
            std::vector<KV::CLesson*> lessons = SectionLessons(list, relative.c_str(), section);
            ASSERT_EQ(sources.size(), lessons.size());
            for (size_t i = 0; i < lessons.size(); ++i)
            {
                SCOPED_TRACE(Narrow(sources[i].name));
                EXPECT_EQ(Narrow(sources[i].name), Narrow(lessons[i]->GetName()));
                const wchar_t* text = lessons[i]->GetTextW(0);
                ASSERT_NE(nullptr, text);
                EXPECT_EQ(Narrow(sources[i].text), Narrow(text));
            }
        }
    }
}

TEST(ShippedLocalLessons, SectionsHoldEnoughLessons)
{
    std::wstring en = LessonRoot() + L"\\LocalLanguage\\En\\";
    EXPECT_GE(ListFiles(en + L"Syllable").size(), 15u);
    EXPECT_GE(ListFiles(en + L"Words").size(), 20u);
    EXPECT_GE(ListFiles(en + L"Text").size(), 15u);
    EXPECT_GE(ListFiles(en + L"Addition").size(), 10u);
    for (const wchar_t* klid : {L"00000407", L"00000419"})
    {
        std::wstring local = LessonRoot() + L"\\LocalLanguage\\" + klid + L"\\";
        EXPECT_GE(ListFiles(local + L"Syllable").size(), 6u) << Narrow(klid);
        EXPECT_GE(ListFiles(local + L"Words").size(), 8u) << Narrow(klid);
        EXPECT_GE(ListFiles(local + L"Text").size(), 6u) << Narrow(klid);
    }
}

TEST(ShippedLessons, EveryLessonOfTheCourseLoadsForEachLayout)
{
    for (const LocalFolder& local : kLocalFolders)
    {
        SCOPED_TRACE(Narrow(local.klid));
        LayoutScope layout(local.klid);
        KV::CLessonList list;
        list.SetBasePath(LessonRoot().c_str());
        list.SetCP(local.codePage);
        wchar_t localRel[MAX_PATH] = {};
        KV::CLessonList::GetLocalFolder(local.klid, localRel);
        EXPECT_EQ(std::wstring(L"LocalLanguage\\") + local.folder, localRel);
        int sections = list.LoadCourse(localRel);
        EXPECT_GE(sections, 6);
        unsigned long lessons = 0;
        for (unsigned long id = 0; KV::CLesson* lesson = list.Get(id); ++id)
        {
            if (lesson->GetSection() != 0)
                continue;
            ++lessons;
            SCOPED_TRACE(Narrow(lesson->GetName()));
            EXPECT_GT(lesson->GetLength(), 0u);
            const wchar_t* text = lesson->GetTextW(0);
            ASSERT_NE(nullptr, text);
            EXPECT_NE(L'\0', text[0]);
            EXPECT_EQ(nullptr, wcschr(text, L'\n'));
        }
        EXPECT_GE(lessons, 24u + 10 + 12 + 6 + 8 + 6);
    }
}

TEST(ShippedLessons, NoFileExceedsWhatALessonHolds)
{
    std::vector<std::wstring> folders;
    for (const wchar_t* s : kScanSections)
        folders.push_back(LessonRoot() + L"\\" + kStandard + L"\\" + s);
    for (const LocalFolder& local : kLocalFolders)
        for (const wchar_t* s : {L"Syllable", L"Words", L"Text", L"Addition"})
            folders.push_back(LessonRoot() + L"\\LocalLanguage\\" + local.folder + L"\\" + s);
    for (const std::wstring& folder : folders)
    {
        for (const std::wstring& f : ListFiles(folder, L"*"))
        {
            std::string bytes = fwtest::ReadFileBytes(folder + L"\\" + f);
            EXPECT_GT(bytes.size(), 0u) << Narrow(f);
            EXPECT_LT(bytes.size(), 64000u) << Narrow(f);
            EXPECT_EQ(std::string::npos, bytes.find('\0')) << Narrow(f);
        }
        // Every file of a section folder becomes a lesson, so nothing but lessons lives there.
        EXPECT_EQ(ListFiles(folder, L"*").size(), ListFiles(folder).size()) << Narrow(folder);
    }
}

TEST(ShippedLessons, UserFolderShipsEmpty)
{
    std::wstring user = LessonRoot() + L"\\LocalLanguage\\En\\User";
    DWORD attr = GetFileAttributesW(user.c_str());
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, attr);
    EXPECT_TRUE(attr & FILE_ATTRIBUTE_DIRECTORY);
    KV::CLessonList list;
    list.SetBasePath(LessonRoot().c_str());
    EXPECT_EQ(0, list.LoadRecursive(L"LocalLanguage\\En", L"User"));
    EXPECT_EQ(nullptr, list.Get(0));
}
