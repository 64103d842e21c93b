// The settings file beside the program (created, completed, rebuilt from damage), the lesson
// folders of a keyboard layout, and the document's save for the typing session.
#include "app/doc/AppSettings.h"
#include "app/doc/LessonFolders.h"
#include "app/doc/WaltzDoc.h"
#include "common/fwtest.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

bool IsFolder(const std::wstring& path)
{
    const DWORD a = ::GetFileAttributesW(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

TEST(AppSettings, CreatedCompletedOrRebuilt)
{
    struct Case
    {
        const char* name;
        const char* file; // null: no settings file
        const wchar_t* wizard;
        const wchar_t* user;
        const wchar_t* userPath; // null: the default folder
    };
    const Case cases[] = {
        {"first start", nullptr, L"1", L"first", nullptr},
        {"empty file", "", L"1", L"first", nullptr},
        {"binary file", "", L"1", L"first", nullptr},
        {"without lesson path",
         "[Wizard]\r\nShowWizard = 0\r\n\r\n[CurrentUser]\r\nUser = abc\r\n\r\n[PathToUserData]\r\nUserPath "
         "= "
         "C:\\Users\\x\r\n",
         L"0", L"abc", L"C:\\Users\\x"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.name);
        const std::wstring dir = fwtest::MakeTempDir(L"ini") + L"\\";
        const std::wstring ini = dir + L"fingerwaltz.ini";
        const bool binary = std::string(c.name) == "binary file";
        if (c.file)
            fwtest::WriteFileBytes(ini,
                                   binary ? std::string("\x00\x01\xFF[Wizard]\x00", 8) : std::string(c.file));
        CAppSettings settings(dir);
        settings.SetFirstUser(L"first");
        EXPECT_EQ(c.wizard, settings.GetValue(L"ShowWizard"));
        EXPECT_EQ(c.user, settings.GetUser());
        EXPECT_EQ(c.userPath ? std::wstring(c.userPath) : dir + L"User", settings.GetUserPath());
        EXPECT_EQ(dir + L"Lessons", settings.GetLessonPath());
        EXPECT_EQ(binary, !fwtest::ReadFileBytes(ini + L".damaged").empty());
        if (!c.file)
        {
            EXPECT_TRUE(IsFolder(dir + L"User"));
            EXPECT_TRUE(IsFolder(dir + L"Lessons"));
        }
        // Four sections, in their order, each once.
        const std::string text = fwtest::ReadFileBytes(ini);
        size_t last = 0;
        for (const char* section : {"[Wizard]", "[CurrentUser]", "[PathToUserData]", "[PathToLesson]"})
        {
            const size_t at = text.find(section);
            ASSERT_NE(std::string::npos, at) << section;
            EXPECT_GE(at, last) << section;
            EXPECT_EQ(std::string::npos, text.find(section, at + 1)) << section;
            last = at;
        }
        // The wizard runs once.
        ASSERT_EQ(1, settings.SetValue(L"ShowWizard", L"0"));
        EXPECT_FALSE(settings.IsWizardDue());
        EXPECT_TRUE(settings.HasValue(L"ShowWizard", L"0"));
        EXPECT_EQ(0, settings.SetValue(L"NoSuchKey", L"1"));
    }
}

TEST(LessonFolders, LayoutChoosesAndCreatesItsFolder)
{
    struct Case
    {
        const wchar_t* klid;
        const wchar_t* local;
    };
    const Case cases[] = {
        {L"00000409", L"LocalLanguage\\En"},
        {L"00000809", L"LocalLanguage\\En"},
        {L"00000407", L"LocalLanguage\\00000407"},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(std::string(c.klid, c.klid + 8));
        // A lesson root without any lesson.
        const std::wstring root = fwtest::MakeTempDir(L"les");
        CWaltzDoc doc;
        EXPECT_EQ(c.local, BuildLessonLibraries(doc, nullptr, root, c.klid));
        EXPECT_TRUE(IsFolder(root + L"\\" + c.local + L"\\User"));
        EXPECT_EQ(nullptr, doc.GetCurLesson());
        EXPECT_EQ(0, doc.GetCurLetter());
    }
    // The shipped lessons: the English course for the United Kingdom layout.
    CWaltzDoc doc;
    BuildLessonLibraries(doc, nullptr, fwtest::BinDir() + L"\\Lessons", L"00000809");
    EXPECT_GT(doc.GetLessonList(0).GetCount(), 10u);
    EXPECT_NE(0, doc.GetCurLetter());
}

TEST(DocumentSave, FailureToldOnceAndRetried)
{
    fwtest::MsgRecorder rec;
    CWaltzDoc doc;
    EXPECT_EQ(0, doc.SaveUser()); // no saver yet
    int answer = 0, calls = 0;
    doc.SetSaver([&] { return ++calls, answer; });
    EXPECT_EQ(0, doc.SaveUser());
    EXPECT_EQ(0, doc.SaveUser());
    answer = 1;
    EXPECT_EQ(1, doc.SaveUser());
    EXPECT_EQ(3, calls);
    EXPECT_EQ(1u, rec.Count());
}
