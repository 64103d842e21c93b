#include "kvtesting/KeyboardLayerTable.h"
#include "kvfwctrl/kvfwctrl.h"
#include "common/fwtest.h"

#include <gtest/gtest.h>
#include <string>

using KV::CLesson;
using KV::CLessonList;
using KV::CTableKeyboardLayer;

namespace {

// Installs a table keyboard for one test and always puts the system one back.
struct TableKeyboard
{
    explicit TableKeyboard(const wchar_t* klid) : kb(klid) { KV::SetKeyboardLayer(&kb); }
    ~TableKeyboard() { KV::SetKeyboardLayer(nullptr); }
    CTableKeyboardLayer kb;
};

int AbortingFileOperation(unsigned int, const wchar_t*, const wchar_t*, unsigned short, BOOL* aborted)
{
    *aborted = TRUE;
    return 0;
}

// A library rooted in a fresh folder, with one section folder ready for lessons.
struct Library
{
    Library()
    {
        base = fwtest::MakeTempDir(L"lib");
        list.SetBasePath(base.c_str());
    }
    std::wstring Section(const wchar_t* relative, const wchar_t* section)
    {
        std::wstring dir = base + L"\\" + relative + L"\\" + section;
        KV::ReviseFolder(dir.c_str());
        return dir;
    }
    CLesson* Lesson(const wchar_t* relative, const wchar_t* section, const wchar_t* name)
    {
        CLesson* l = new CLesson(&list);
        l->SetRelPath(relative);
        l->SetParentName(section);
        l->SetLessonNameSys(name);
        l->SetLessonName(name, false);
        list.Add(l);
        return l;
    }
    std::wstring base;
    CLessonList list;
};

const wchar_t* kStd = L"MultiLanguage\\Standart\\";

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

} // namespace

TEST(LessonFile, LineBreaksBecomeOneSpace)
{
    Library lib;
    std::wstring dir = lib.Section(L"LocalLanguage\\En", L"Words");
    fwtest::WriteFileBytes(dir + L"\\w.txt", "one\r\ntwo\r\n");
    CLesson* l = lib.Lesson(L"LocalLanguage\\En", L"Words", L"w");
    EXPECT_STREQ(l->GetTextW(), L"one two");
    EXPECT_STREQ(l->GetTextA(), "one two");
    EXPECT_EQ(l->GetLength(), 7);
    EXPECT_STREQ(l->GetTextW(4), L"two");
    EXPECT_STREQ(l->GetTextW(100), L""); // offsets past the end stay inside the text
    EXPECT_STREQ(l->GetTextA(100), "");
}

TEST(LessonFile, OnlyTheFirst63999BytesAreUsed)
{
    Library lib;
    std::wstring dir = lib.Section(L"LocalLanguage\\En", L"Text");
    fwtest::WriteFileBytes(dir + L"\\big.txt", std::string(70000, 'q'));
    CLesson* l = lib.Lesson(L"LocalLanguage\\En", L"Text", L"big");
    EXPECT_EQ(l->GetLength(), 63999);
    EXPECT_EQ(strlen(l->GetTextA()), 63999u);
}

TEST(LessonFile, EmptyMissingAndBinaryFiles)
{
    fwtest::MsgRecorder rec;
    Library lib;
    std::wstring dir = lib.Section(L"LocalLanguage\\En", L"Text");
    fwtest::WriteFileBytes(dir + L"\\empty.txt", "");
    fwtest::WriteFileBytes(dir + L"\\bin.txt", std::string("ab\0\xff\x01\r\ncd", 9));
    CLesson* empty = lib.Lesson(L"LocalLanguage\\En", L"Text", L"empty");
    EXPECT_EQ(empty->GetLength(), 0);
    EXPECT_STREQ(empty->GetTextW(), L"");
    CLesson* bin = lib.Lesson(L"LocalLanguage\\En", L"Text", L"bin");
    EXPECT_STREQ(bin->GetTextW(), L"ab"); // the text ends at the first zero byte
    EXPECT_EQ(rec.Count(), 0u);

    CLesson* missing = lib.Lesson(L"LocalLanguage\\En", L"Text", L"missing");
    EXPECT_EQ(missing->GetLength(), 0);
    ASSERT_EQ(rec.Count(), 1u);
    EXPECT_EQ(rec.LastText(), L"Could not open file " + dir + L"\\missing.txt. Error: 2");
    EXPECT_EQ(missing->Load((dir + L"\\missing.txt").c_str()), 0);
}

TEST(LessonFile, LoadWithEmptyFolderOrNameTouchesNothing)
{
    fwtest::MsgRecorder rec;
    CLesson l;
    EXPECT_EQ(l.Load(L"", L"x"), 0);
    EXPECT_EQ(l.Load(L"C:\\x", L""), 0);
    EXPECT_EQ(l.Load(nullptr, nullptr), 0);
    EXPECT_EQ(rec.Count(), 0u);
}

TEST(LessonFile, NamesWithDotsKeepThem)
{
    Library lib;
    std::wstring dir = lib.Section(L"LocalLanguage\\En", L"Text");
    fwtest::WriteFileBytes(dir + L"\\Mr. Smith.txt", "hello");
    fwtest::WriteFileBytes(dir + L"\\Mr.txt", "wrong");
    CLesson* l = lib.Lesson(L"LocalLanguage\\En", L"Text", L"Mr. Smith");
    EXPECT_STREQ(l->GetTextW(), L"hello");
}

TEST(LessonTypes, FromTheParentName)
{
    CLesson l;
    EXPECT_EQ(l.GetType(), 0);
    const wchar_t* names[] = {L"Letter",      L"Syllable", L"Capital", L"Words",
                              L"DigitSymbol", L"Text",     L"User",    L"Addition"};
    for (unsigned short i = 0; i < 8; ++i)
    {
        CLesson t;
        t.SetParentName(names[i]);
        EXPECT_EQ(t.GetType(), i + 1);
    }
    CLesson folder;
    folder.SetLessonName(L"Letter", true);
    EXPECT_EQ(folder.GetSection(), 1);
    EXPECT_EQ(folder.GetType(), 0);
    l.SetParentName(L"Words");
    l.SetParentName(L"");
    EXPECT_STREQ(l.GetParentName(), L"Words");
}

TEST(LessonBasePath, NeedsLibraryRelativePathAndParent)
{
    wchar_t buf[MAX_PATH] = L"untouched";
    CLesson lone;
    lone.SetRelPath(L"a");
    lone.SetParentName(L"b");
    EXPECT_STREQ(lone.GetBasePath(buf), L"");
    EXPECT_STREQ(buf, L"untouched");
    CLessonList list;
    list.SetBasePath(L"C:\\Lessons");
    CLesson l(&list);
    l.SetRelPath(kStd);
    EXPECT_STREQ(l.GetBasePath(buf), L"");
    l.SetParentName(L"Letter");
    EXPECT_STREQ(l.GetBasePath(buf), L"C:\\Lessons\\MultiLanguage\\Standart\\Letter");
}

TEST(LessonSave, WordsLessonIsItsBytes)
{
    Library lib;
    std::wstring dir = lib.Section(L"LocalLanguage\\En", L"Words");
    CLesson* l = lib.Lesson(L"LocalLanguage\\En", L"Words", L"abc");
    l->SetTextW(L"abc");
    ASSERT_EQ(l->Save(), 1);
    EXPECT_EQ(fwtest::ReadFileBytes(dir + L"\\abc.txt"), "abc");
    EXPECT_FALSE(Exists(dir + L"\\abc.txt.tmp"));
}

TEST(LessonSave, LetterLessonIsScanCodes)
{
    TableKeyboard us(L"00000409");
    Library lib;
    std::wstring dir = lib.Section(kStd, L"Letter");
    CLesson* l = lib.Lesson(kStd, L"Letter", L"01abc");
    l->SetTextW(L"abc");
    ASSERT_EQ(l->Save(), 1);
    EXPECT_EQ(fwtest::ReadFileBytes(dir + L"\\01abc.txt"), "01e03002e");
    // Read back through the same layout it gives the characters again.
    l->RemoveText();
    EXPECT_STREQ(l->GetTextW(), L"abc");
}

TEST(LessonSave, LetterLessonWithTheSystemLayout)
{
    wchar_t klid[KL_NAMELENGTH] = {0};
    KV::GetKeyboardLayer()->GetActiveLayoutName(klid);
    if (std::wstring(klid) != L"00000409")
        GTEST_SKIP() << "host layout is not United States";
    Library lib;
    std::wstring dir = lib.Section(kStd, L"Letter");
    CLesson* l = lib.Lesson(kStd, L"Letter", L"01abc");
    l->SetTextW(L"abc");
    ASSERT_EQ(l->Save(), 1);
    EXPECT_EQ(fwtest::ReadFileBytes(dir + L"\\01abc.txt"), "01e03002e");
    fwtest::WriteFileBytes(dir + L"\\01abc.txt", "02002111e");
    l->RemoveText();
    EXPECT_STREQ(l->GetTextW(), L"dfA");
}

TEST(LessonSave, ScanCodesDoNotDependOnTheCodePage)
{
    TableKeyboard ru(L"00000419");
    Library lib; // code page 1252 has no Cyrillic letters
    std::wstring dir = lib.Section(kStd, L"Letter");
    CLesson* l = lib.Lesson(kStd, L"Letter", L"01ru");
    l->SetTextW(L"фыв");
    ASSERT_EQ(l->Save(), 1);
    EXPECT_EQ(fwtest::ReadFileBytes(dir + L"\\01ru.txt"), "01e01f020");
    l->RemoveText();
    EXPECT_STREQ(l->GetTextW(), L"фыв");
}

TEST(LessonSave, CapitalRoundTripWithShift)
{
    TableKeyboard de(L"00000407");
    Library lib;
    std::wstring dir = lib.Section(kStd, L"Capital");
    CLesson* l = lib.Lesson(kStd, L"Capital", L"01x");
    l->SetTextW(L"Zy Ü!");
    ASSERT_EQ(l->Save(), 1);
    EXPECT_EQ(fwtest::ReadFileBytes(dir + L"\\01x.txt"), "11502c03911a102");
    l->RemoveText();
    EXPECT_STREQ(l->GetTextW(), L"Zy Ü!");
}

TEST(LessonSave, UnconvertedScanCodesGoBackUnchanged)
{
    TableKeyboard us(L"00000409");
    Library lib;
    std::wstring dir = lib.Section(kStd, L"Letter");
    fwtest::WriteFileBytes(dir + L"\\01.txt", "0zz01e");
    CLesson* l = lib.Lesson(kStd, L"Letter", L"01");
    EXPECT_STREQ(l->GetTextW(), L"0zz01e"); // not scan codes: kept as loaded
    ASSERT_EQ(l->Save(), 1);
    EXPECT_EQ(fwtest::ReadFileBytes(dir + L"\\01.txt"), "0zz01e");
}

TEST(LessonSave, NeverOutsideTheLessonFolder)
{
    fwtest::MsgRecorder rec;
    Library lib;
    lib.Section(L"LocalLanguage\\En", L"Words");
    CLesson* l = lib.Lesson(L"LocalLanguage\\En", L"Words", L"..\\..\\escaped");
    l->SetTextW(L"abc");
    EXPECT_EQ(l->Save(), 0);
    EXPECT_FALSE(Exists(lib.base + L"\\LocalLanguage\\escaped.txt"));
    EXPECT_EQ(l->Delete((lib.base + L"\\LocalLanguage\\En\\Words").c_str()), 0);
    EXPECT_EQ(rec.Count(), 0u);
}

TEST(LessonSave, MissingFolderWarnsAndFails)
{
    fwtest::MsgRecorder rec;
    Library lib;
    CLesson* l = lib.Lesson(L"LocalLanguage\\En", L"Words", L"x");
    l->SetTextW(L"abc");
    EXPECT_EQ(l->Save(), 0);
    ASSERT_EQ(rec.Count(), 1u);
    EXPECT_EQ(rec.LastText().rfind(
                  L"Could not write to file " + lib.base + L"\\LocalLanguage\\En\\Words\\x.txt. ", 0),
              0u);
    CLesson lone;
    EXPECT_EQ(lone.Save(), 0);
}

TEST(LessonScanCodes, SameFileOnThreeLayouts)
{
    Library lib;
    std::wstring dir = lib.Section(kStd, L"Letter");
    fwtest::WriteFileBytes(dir + L"\\01.txt", "01e02c01511e");
    CLesson* l = lib.Lesson(kStd, L"Letter", L"01");
    {
        TableKeyboard us(L"00000409");
        EXPECT_STREQ(l->GetTextW(), L"azyA");
    }
    {
        TableKeyboard ru(L"00000419");
        l->SetUpdateFlag();
        l->RemoveText();
        EXPECT_STREQ(l->GetTextW(), L"фянФ");
        EXPECT_EQ(l->GetLength(), 4);
    }
    {
        TableKeyboard de(L"00000407");
        l->RemoveText();
        EXPECT_STREQ(l->GetTextW(), L"ayzA");
        EXPECT_STREQ(l->GetTextA(), "ayzA");
    }
}

TEST(LessonScanCodes, LengthCountsCharactersNotTriples)
{
    TableKeyboard us(L"00000409");
    Library lib;
    std::wstring dir = lib.Section(kStd, L"DigitSymbol");
    fwtest::WriteFileBytes(dir + L"\\01.txt", "002\r\n103");
    CLesson* l = lib.Lesson(kStd, L"DigitSymbol", L"01");
    EXPECT_EQ(l->GetLength(), 2); // not the 7 characters of "002 103"
    EXPECT_STREQ(l->GetTextW(), L"1@");
}

TEST(LessonScanCodes, DeadKeyDoesNotSwallowTheNextCharacter)
{
    TableKeyboard de(L"00000407");
    Library lib;
    std::wstring dir = lib.Section(kStd, L"DigitSymbol");
    fwtest::WriteFileBytes(dir + L"\\01.txt", "029012");
    CLesson* l = lib.Lesson(kStd, L"DigitSymbol", L"01");
    EXPECT_STREQ(l->GetTextW(), L"^e");
    EXPECT_EQ(de.kb.GetPendingDeadKey(), 0);
}

TEST(LessonScanCodes, BadTriplesKeepTheRawText)
{
    TableKeyboard us(L"00000409");
    for (const char* raw : {"0zz01e", "01e0", "01e0x1", "hello"})
    {
        std::wstring text(raw, raw + strlen(raw));
        std::wstring before = text;
        EXPECT_FALSE(CLesson::ConvertScanCode(text)) << raw;
        EXPECT_EQ(text, before);
    }
    std::wstring unknown = L"0ff01e"; // a scan code no key has is left out
    EXPECT_TRUE(CLesson::ConvertScanCode(unknown));
    EXPECT_EQ(unknown, L"a");
    std::wstring blankTail = L"01e  ";
    EXPECT_TRUE(CLesson::ConvertScanCode(blankTail));
    EXPECT_EQ(blankTail, L"a");
}

TEST(LessonScanCodes, CapsLockIsIgnored)
{
    TableKeyboard us(L"00000409");
    us.kb.SetCapsLock(true);
    std::wstring t = L"01e11e";
    ASSERT_TRUE(CLesson::ConvertScanCode(t));
    EXPECT_EQ(t, L"aA");
}

TEST(LessonScanCodes, CharacterNotOnTheKeyboard)
{
    TableKeyboard us(L"00000409");
    std::wstring t = L"aф";
    ASSERT_TRUE(CLesson::ConvertVirtCode(t));
    EXPECT_EQ(t, L"01e100");
}

TEST(LessonNames, ScanCodeFileNameIsShownAsCharacters)
{
    TableKeyboard us(L"00000409");
    CLessonList list;
    CLesson l(&list);
    l.SetParentName(L"Letter");
    l.SetLessonName(L"01020021", false);
    EXPECT_STREQ(l.GetName(), L"d f");
    EXPECT_STREQ(l.GetName(), L"d f"); // converted once
    l.SetLessonName(L"01020021", false);
    l.SetUpdateFlag();
    us.kb.SetActiveLayout(L"00000419");
    EXPECT_STREQ(l.GetName(), L"в а");

    CLesson words(&list);
    words.SetParentName(L"Words");
    words.SetLessonName(L"01020021", false);
    EXPECT_STREQ(words.GetName(), L"01020021");
    CLesson odd(&list);
    odd.SetParentName(L"Letter");
    odd.SetLessonName(L"01xyz", false);
    EXPECT_STREQ(odd.GetName(), L"01xyz");
}

TEST(LessonText, SetTextMakesOneLineInBothForms)
{
    CLessonList list;
    CLesson l(&list);
    l.SetParentName(L"Words");
    l.SetTextW(L"a\r\nb\xe9");
    EXPECT_STREQ(l.GetTextW(), L"a b\xe9");
    EXPECT_STREQ(l.GetTextA(), "a b\xe9");
    l.SetTextA("x\r\ny\xe9");
    EXPECT_STREQ(l.GetTextW(), L"x y\xe9");
    wchar_t count[16];
    EXPECT_EQ(l.GetNumSymbol(L'x', count), 1u);
    EXPECT_STREQ(count, L"1");
    wchar_t uni[16] = L"y";
    l.SetTextW(L"hello world");
    l.GetUniSymbols(uni);
    EXPECT_STREQ(uni, L"yhelo wrd");
    wchar_t small[4] = {0};
    l.GetUniSymbols(small, 4);
    EXPECT_STREQ(small, L"hel");
}

TEST(LessonFiles, RenameAndDeleteThroughTheFileLayer)
{
    KV::FileOperationHandler previous = KV::SetFileOperationHandler(KV::SilentFileOperation);
    Library lib;
    std::wstring dir = lib.Section(L"LocalLanguage\\En", L"User");
    fwtest::WriteFileBytes(dir + L"\\mine.txt", "text");
    fwtest::WriteFileBytes(dir + L"\\other.txt", "other");
    CLesson* l = lib.Lesson(L"LocalLanguage\\En", L"User", L"mine");
    EXPECT_EQ(l->Rename(dir.c_str(), L"other"), 0); // never over another lesson
    EXPECT_EQ(l->Rename(dir.c_str(), L"..\\..\\escape"), 0);
    EXPECT_EQ(l->Rename(dir.c_str(), L""), 0);
    EXPECT_TRUE(Exists(dir + L"\\mine.txt"));
    ASSERT_EQ(l->Rename(dir.c_str(), L"renamed"), 1);
    EXPECT_STREQ(l->GetName(), L"renamed");
    EXPECT_STREQ(l->GetLessonNameSys(), L"renamed");
    EXPECT_EQ(fwtest::ReadFileBytes(dir + L"\\renamed.txt"), "text");
    EXPECT_EQ(fwtest::ReadFileBytes(dir + L"\\other.txt"), "other");

    EXPECT_EQ(l->Delete(dir.c_str()), 1);
    EXPECT_FALSE(Exists(dir + L"\\renamed.txt"));

    KV::SetFileOperationHandler(AbortingFileOperation);
    CLesson* o = lib.Lesson(L"LocalLanguage\\En", L"User", L"other");
    EXPECT_EQ(o->Delete(dir.c_str()), 0);
    EXPECT_TRUE(Exists(dir + L"\\other.txt"));
    KV::SetFileOperationHandler(previous);
}
