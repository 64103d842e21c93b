#include "kvtesting/KeyboardLayerTable.h"
#include "kvfwctrl/kvfwctrl.h"
#include "common/fwtest.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

using KV::CLesson;
using KV::CLessonList;

namespace {

void Touch(const std::wstring& folder, const wchar_t* name, const char* bytes = "x")
{
    KV::ReviseFolder(folder.c_str());
    fwtest::WriteFileBytes(folder + L"\\" + name, bytes);
}

// Section folders of a course below a fresh root; Syllable is left out.
std::wstring MakeCourse()
{
    std::wstring base = fwtest::MakeTempDir(L"course");
    std::wstring std_ = base + L"\\MultiLanguage\\Standart";
    std::wstring en = base + L"\\LocalLanguage\\En";
    // Created out of order on purpose: the library lists them sorted.
    Touch(std_ + L"\\Letter", L"02030.txt");
    Touch(std_ + L"\\Letter", L"01020021.txt");
    Touch(std_ + L"\\Capital", L"01x.txt");
    Touch(en + L"\\Words", L"b.txt");
    Touch(en + L"\\Words", L"A.txt");
    Touch(std_ + L"\\DigitSymbol", L"01.txt");
    Touch(en + L"\\Text", L"story.txt");
    ::CreateDirectoryW((en + L"\\Addition").c_str(), nullptr);
    return base;
}

std::vector<std::wstring> Names(const CLessonList& list)
{
    std::vector<std::wstring> names;
    for (unsigned long i = 0; i < list.GetCount(); ++i)
        names.push_back(list.Get(i)->GetLessonNameSys());
    return names;
}

} // namespace

TEST(LessonLibrary, CourseInTableOrderWithoutMissingSection)
{
    std::wstring base = MakeCourse();
    CLessonList list;
    list.SetBasePath(base.c_str());
    EXPECT_EQ(list.LoadCourse(L"LocalLanguage\\En"), 6);
    std::vector<std::wstring> expected = {L"Letter", L"01020021", L"02030",   L"Capital",     L"01x",
                                          L"Words",  L"A",        L"b",       L"DigitSymbol", L"01",
                                          L"Text",   L"story",    L"Addition"};
    EXPECT_EQ(Names(list), expected);
    EXPECT_EQ(list.GetSection(0), 1);
    EXPECT_EQ(list.GetSection(1), 0);
    EXPECT_EQ(list.GetSection(3), 1);
    EXPECT_EQ(list.GetSection(12), 2); // Addition
    EXPECT_EQ(list.GetSection(99), 0);
    EXPECT_EQ(list.Get(99), nullptr);
    EXPECT_STREQ(list.Get(1)->GetParentName(), L"Letter");
    EXPECT_STREQ(list.Get(1)->GetRelPath(), L"MultiLanguage\\Standart\\");
    EXPECT_STREQ(list.Get(6)->GetRelPath(), L"LocalLanguage\\En");
    EXPECT_EQ(list.Get(6)->GetType(), 4);
    EXPECT_EQ(list.GetTextW(99), nullptr);
    EXPECT_EQ(list.GetLength(99), 0);
}

TEST(LessonLibrary, MissingSectionFolderAddsNothing)
{
    CLessonList list;
    list.SetBasePath(fwtest::MakeTempDir(L"empty").c_str());
    EXPECT_EQ(list.LoadCurrent(L"LocalLanguage\\En", L"Syllable"), nullptr);
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_EQ(list.LoadCourse(L"LocalLanguage\\En"), 0);
    EXPECT_EQ(list.GetLastID(), 0u);
}

TEST(LessonLibrary, TextThroughTheLibrary)
{
    std::wstring base = MakeCourse();
    fwtest::WriteFileBytes(base + L"\\LocalLanguage\\En\\Text\\story.txt", "Once upon");
    CLessonList list;
    list.SetBasePath(base.c_str());
    list.LoadCourse(L"LocalLanguage\\En");
    EXPECT_STREQ(list.GetTextW(11, 5), L"upon");
    EXPECT_STREQ(list.GetTextA(11), "Once upon");
    EXPECT_EQ(list.GetLength(11), 9);
    wchar_t uni[32] = {0};
    list.GetUniSymbols(10, uni, 32); // a folder entry gives nothing
    EXPECT_STREQ(uni, L"");
    list.GetUniSymbols(11, uni, 32);
    EXPECT_STREQ(uni, L"Once upo");
    fwtest::WriteFileBytes(base + L"\\LocalLanguage\\En\\Text\\story.txt", "Twice");
    EXPECT_STREQ(list.GetTextW(11), L"Once upon");
    list.RemoveText(11);
    EXPECT_STREQ(list.GetTextW(11), L"Twice");
}

TEST(LessonLibrary, ScanCodeNamesFollowTheLayout)
{
    KV::CTableKeyboardLayer kb(L"00000409");
    KV::SetKeyboardLayer(&kb);
    std::wstring base = MakeCourse();
    CLessonList list;
    list.SetBasePath(base.c_str());
    list.LoadCourse(L"LocalLanguage\\En");
    EXPECT_STREQ(list.Get(1)->GetName(), L"d f");
    kb.SetActiveLayout(L"00000419");
    list.SetUpdateFlag();
    list.Get(1)->SetLessonName(L"01020021", false);
    EXPECT_STREQ(list.Get(1)->GetName(), L"в а");
    KV::SetKeyboardLayer(nullptr);
}

TEST(LessonNavigation, CourseLibrary)
{
    std::wstring base = MakeCourse();
    CLessonList list;
    list.SetBasePath(base.c_str());
    list.LoadCourse(L"LocalLanguage\\En");
    // 0 [Letter] 1 2 | 3 [Capital] 4 | 5 [Words] 6 7 | 8 [Digit] 9 | 10 [Text] 11 | 12 [Addition]
    EXPECT_EQ(list.GetNextID(1), 2u);
    EXPECT_EQ(list.GetNextID(2), 4u);   // the folder entry is skipped
    EXPECT_EQ(list.GetNextID(11), 11u); // the last lesson stays
    EXPECT_EQ(list.GetPrevID(1), 1u);   // position 0 is a folder entry
    EXPECT_EQ(list.GetPrevID(4), 2u);
    EXPECT_EQ(list.GetPrevID(500), 11u);
    EXPECT_EQ(list.GetLastID(), 11u);
    EXPECT_EQ(list.GetNextID(0xFFFFFFFFul), 0xFFFFFFFFul);
}

TEST(LessonNavigation, UserLibraryStartsWithALesson)
{
    std::wstring base = fwtest::MakeTempDir(L"user");
    std::wstring user = base + L"\\LocalLanguage\\En\\User";
    Touch(user, L"mine.txt");
    Touch(user, L"alpha.txt");
    Touch(user, L"notes.doc");
    CLessonList list;
    list.SetBasePath(base.c_str());
    list.SetPathUser(L"LocalLanguage\\En");
    EXPECT_EQ(list.LoadRecursive(L"LocalLanguage\\En", L"User"), 0);
    std::vector<std::wstring> expected = {L"alpha", L"mine"};
    EXPECT_EQ(Names(list), expected);
    EXPECT_EQ(list.GetPrevID(1), 0u);
    EXPECT_EQ(list.GetNextID(0), 1u);
    EXPECT_EQ(list.GetLastID(), 1u);
    EXPECT_EQ(list.Get(0)->GetType(), 7);
    wchar_t path[MAX_PATH];
    EXPECT_EQ(std::wstring(list.GetPathUser(path)), user);

    CLessonList one;
    one.SetBasePath(base.c_str());
    Touch(base + L"\\solo\\User", L"x.txt");
    one.LoadRecursive(L"solo", L"User");
    EXPECT_EQ(one.GetCount(), 1u);
    EXPECT_EQ(one.GetNextID(0), 0u);
    EXPECT_EQ(one.GetPrevID(0), 0u);
    EXPECT_EQ(one.GetLastID(), 0u); // position 0 is never the last lesson
}

TEST(LessonLibrary, InnerTxtFoldersAreEntered)
{
    std::wstring base = fwtest::MakeTempDir(L"user");
    std::wstring user = base + L"\\LocalLanguage\\En\\User";
    Touch(user + L"\\Set.txt", L"inner.txt", "inside");
    Touch(user, L"top.txt");
    CLessonList list;
    list.SetBasePath(base.c_str());
    EXPECT_EQ(list.LoadRecursive(L"LocalLanguage\\En", L"User"), 0); // the inner call found only files
    std::vector<std::wstring> expected = {L"Set.txt", L"inner", L"top"};
    EXPECT_EQ(Names(list), expected);
    EXPECT_EQ(list.GetSection(0), 1);
    EXPECT_STREQ(list.GetTextW(1), L"inside");
}

TEST(LessonLibrary, LocalFolderFromTheLayout)
{
    wchar_t buf[64];
    EXPECT_STREQ(CLessonList::GetLocalFolder(L"00000409", buf), L"LocalLanguage\\En");
    EXPECT_STREQ(CLessonList::GetLocalFolder(L"00000809", buf), L"LocalLanguage\\En");
    EXPECT_STREQ(CLessonList::GetLocalFolder(L"00040409", buf), L"LocalLanguage\\En");
    EXPECT_STREQ(CLessonList::GetLocalFolder(L"00000407", buf), L"LocalLanguage\\00000407");
    EXPECT_STREQ(CLessonList::GetLocalFolder(L"00000419", buf), L"LocalLanguage\\00000419");
}

TEST(LessonLibrary, ThousandsOfFiles)
{
    std::wstring base = fwtest::MakeTempDir(L"many");
    std::wstring dir = base + L"\\LocalLanguage\\En\\Words";
    KV::ReviseFolder(dir.c_str());
    for (int i = 1099; i >= 0; --i)
    {
        wchar_t n[32];
        swprintf(n, 32, L"\\w%04d.txt", i);
        HANDLE h = ::CreateFileW((dir + n).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ::CloseHandle(h);
    }
    CLessonList list;
    list.SetBasePath(base.c_str());
    ASSERT_NE(list.LoadCurrent(L"LocalLanguage\\En", L"Words"), nullptr);
    ASSERT_EQ(list.GetCount(), 1101u);
    EXPECT_STREQ(list.Get(1)->GetLessonNameSys(), L"w0000");
    EXPECT_STREQ(list.Get(1100)->GetLessonNameSys(), L"w1099");
    EXPECT_EQ(list.GetLastID(), 1100u);
    list.Clear();
    EXPECT_EQ(list.GetCount(), 0u);
    EXPECT_STREQ(list.GetBasePath(), base.c_str()); // paths stay
}

TEST(LessonLibrary, NewLessonStaysInTheUserFolder)
{
    fwtest::MsgRecorder rec;
    std::wstring base = fwtest::MakeTempDir(L"new");
    CLessonList list;
    list.SetBasePath(base.c_str());
    EXPECT_EQ(list.NewLesson(L"a.txt"), 0); // no user path yet
    list.SetPathUser(L"LocalLanguage\\00000407");
    EXPECT_EQ(list.NewLesson(L"a.txt"), 1);
    std::wstring user = base + L"\\LocalLanguage\\00000407\\User";
    EXPECT_EQ(fwtest::ReadFileBytes(user + L"\\a.txt"), "");
    fwtest::WriteFileBytes(user + L"\\a.txt", "keep me");
    EXPECT_EQ(list.NewLesson(L"a.txt"), 1);
    EXPECT_EQ(fwtest::ReadFileBytes(user + L"\\a.txt"), "keep me");
    EXPECT_EQ(list.NewLesson(L"..\\..\\evil.txt"), 0);
    EXPECT_EQ(list.NewLesson(L"C:\\evil.txt"), 0);
    EXPECT_EQ(::GetFileAttributesW((base + L"\\LocalLanguage\\evil.txt").c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(rec.Count(), 0u);
}

TEST(LessonLibrary, SettingsKeptAndDefaults)
{
    CLessonList list;
    EXPECT_EQ(list.GetCP(), 1252u);
    EXPECT_EQ(list.GetpLangTable(), nullptr);
    wchar_t buf[MAX_PATH] = L"x";
    EXPECT_STREQ(list.GetPathUser(buf), L"");
    KV::CIniTable table;
    list.SetpLangTable(&table);
    list.SetCP(1251);
    EXPECT_EQ(list.GetpLangTable(), &table);
    EXPECT_EQ(list.GetCP(), 1251u);
}

TEST(LessonLibrary, CodePageOfTheLibraryIsUsed)
{
    std::wstring base = fwtest::MakeTempDir(L"cp");
    Touch(base + L"\\LocalLanguage\\00000419\\Words", L"ru.txt", "\xe4\xe0");
    CLessonList list;
    list.SetBasePath(base.c_str());
    list.SetCP(1251);
    list.LoadCurrent(L"LocalLanguage\\00000419", L"Words");
    EXPECT_STREQ(list.GetTextW(1), L"да");
}

TEST(LessonLibrary, ShippedCourseLoadsOnEveryTableLayout)
{
    std::wstring base = fwtest::BinDir() + L"\\Lessons";
    if (!KV::rxPathFileExists(base.c_str()))
        GTEST_SKIP() << "no lessons beside the program";
    for (const wchar_t* klid : {L"00000409", L"00000407", L"00000419"})
    {
        KV::CTableKeyboardLayer kb(klid);
        KV::SetKeyboardLayer(&kb);
        CLessonList list;
        list.SetBasePath(base.c_str());
        wchar_t local[64];
        list.LoadCourse(CLessonList::GetLocalFolder(L"00000409", local));
        ASSERT_GT(list.GetCount(), 0u);
        for (unsigned long i = 0; i < list.GetCount(); ++i)
        {
            CLesson* l = list.Get(i);
            if (l->GetSection() != 0 || (l->GetType() != 1 && l->GetType() != 3 && l->GetType() != 5))
                continue;
            // A scan-code lesson that converted is a third of its file's length.
            std::wstring name = l->GetName();
            EXPECT_GT(l->GetLength(), 0) << std::string(name.begin(), name.end());
            wchar_t path[MAX_PATH];
            std::string file = fwtest::ReadFileBytes(std::wstring(l->GetBasePath(path)) + L"\\" +
                                                     l->GetLessonNameSys() + L".txt");
            size_t triples = 0;
            for (char c : file)
                triples += (c != '\r' && c != '\n' && c != ' ') ? 1 : 0;
            EXPECT_LE(l->GetLength(), triples / 3) << std::string(name.begin(), name.end());
        }
        KV::SetKeyboardLayer(nullptr);
    }
}
