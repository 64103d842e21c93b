#include "kvstruct/kvstruct.h"
#include "common/fwtest.h"

#include <gtest/gtest.h>
#include <string>

using KV::CIniTable;

namespace {

// UTF-16 little-endian bytes of a text.
std::string Utf16(const std::wstring& text)
{
    std::string bytes;
    for (wchar_t c : text)
    {
        bytes += static_cast<char>(c & 0xFF);
        bytes += static_cast<char>((c >> 8) & 0xFF);
    }
    return bytes;
}

CIniTable Parsed(const std::wstring& text)
{
    CIniTable t;
    t.Parse(text.c_str(), text.size(), false);
    return t;
}

std::wstring TempFile(const wchar_t* name)
{
    return fwtest::MakeTempDir(L"ini") + L"\\" + name;
}

} // namespace

TEST(IniLoader, SectionKeysEmptyValueAndTrailingSpaceKey)
{
    std::wstring path = TempFile(L"a.ini");
    fwtest::WriteFileBytes(path, Utf16(L"[Main]\r\nTitle = My lessons\r\nEmpty = \r\nNext = x\r\n"));
    CIniTable t;
    ASSERT_EQ(t.Load_UTF16(path.c_str()), 1);
    ASSERT_EQ(t.GetCount(), 3u);
    EXPECT_STREQ(t.GetName(0), L"[Main]");
    EXPECT_STREQ(t.GetValue(0), L"H");
    EXPECT_STREQ(t.GetName(1), L"Title");
    EXPECT_STREQ(t.GetValue(1), L"My lessons");
    // Space skipping stayed off after the empty value, so the key keeps its space.
    EXPECT_STREQ(t.GetName(2), L"Next ");
    EXPECT_STREQ(t.GetValue(2), L"x");
    EXPECT_STREQ(t.GetW(L"[Main]"), L"H");
    EXPECT_EQ(t.IsKey(L"Empty"), 0);
}

TEST(IniLoader, CharacterAfterEqualsIsSkipped)
{
    CIniTable t = Parsed(L"Key=Value\r\n");
    EXPECT_STREQ(t.GetW(L"Key"), L"alue");
}

TEST(IniLoader, SpacesInKeysDropAfterASection)
{
    CIniTable t = Parsed(L"[S]\r\nA B = c\r\n");
    EXPECT_STREQ(t.GetW(L"AB"), L"c");
}

TEST(IniLoader, SpacesKeptAtTheStartOfTheFile)
{
    CIniTable t = Parsed(L" A = b  \r\n");
    EXPECT_STREQ(t.GetW(L" A "), L"b  ");
}

TEST(IniLoader, LineFeedOnlyFileIsOneLine)
{
    CIniTable t = Parsed(L"A = 1\nB = 2\n");
    // "=" ends the key twice: the first value runs on into the second key.
    ASSERT_EQ(t.GetCount(), 1u);
    EXPECT_STREQ(t.GetName(0), L"1B ");
    EXPECT_STREQ(t.GetValue(0), L"2");
}

TEST(IniLoader, LineWithoutEqualsHasAnEmptyKey)
{
    CIniTable t = Parsed(L"[S]\r\nlonely\r\n");
    ASSERT_EQ(t.GetCount(), 2u);
    EXPECT_STREQ(t.GetName(1), L"");
    EXPECT_STREQ(t.GetValue(1), L"lonely");
}

TEST(IniLoader, LoneClosingBracketIsOrdinary)
{
    CIniTable t = Parsed(L"[S]\r\nK = a]b\r\n");
    EXPECT_STREQ(t.GetW(L"K"), L"a]b");
}

TEST(IniLoader, FirstOccurrenceWins)
{
    CIniTable t = Parsed(L"[A]\r\nK = 1\r\n[B]\r\nK = 2\r\n");
    EXPECT_STREQ(t.GetW(L"K"), L"1");
    EXPECT_EQ(t.IsKey(L"K", L"1"), 1);
    EXPECT_EQ(t.IsKey(L"K", L"2"), 0);
    EXPECT_EQ(t.IsKey(L"k", L"1"), -1); // case-sensitive
    EXPECT_EQ(t.IsSection(L"[B]"), 1);
}

TEST(IniLoader, ByteOrderMarkStaysInTheFirstName)
{
    std::wstring path = TempFile(L"bom.ini");
    fwtest::WriteFileBytes(path, Utf16(L"\xFEFFKey = v\r\n"));
    CIniTable t;
    ASSERT_EQ(t.Load_UTF16(path.c_str()), 1);
    EXPECT_STREQ(t.GetName(0), L"\xFEFFKey "); // before the first "=" spaces are kept
    EXPECT_STREQ(t.GetW(L"Key"), L"");
}

TEST(IniLoader, OnlyTheFirst64000BytesAreRead)
{
    // 31,995 characters of value then a CR: the CR lies beyond the cut.
    std::wstring text = L"[S]\r\nK = " + std::wstring(31995, L'v') + L"\r\nLate = 1\r\n";
    std::wstring path = TempFile(L"big.ini");
    fwtest::WriteFileBytes(path, Utf16(text));
    CIniTable t;
    ASSERT_EQ(t.Load_UTF16(path.c_str()), 1);
    EXPECT_EQ(t.IsKey(L"Late"), 0);
    EXPECT_EQ(wcslen(t.GetW(L"K")), 32000u - 9u);

    std::string ansi = "[S]\r\nK = " + std::string(70000, 'v') + "\r\nLate = 1\r\n";
    fwtest::WriteFileBytes(path, ansi);
    ASSERT_EQ(t.Load_ANSII(path.c_str()), 1);
    EXPECT_EQ(t.IsKey(L"Late"), 0);
    EXPECT_EQ(wcslen(t.GetW(L"K")), 259u); // ANSI keys and values hold 259 characters
}

TEST(IniLoader, AnsiFileUsesTheCodePage)
{
    std::wstring path = TempFile(L"a.ini");
    fwtest::WriteFileBytes(path, "[PathToLesson]\r\nLessonPath = C:\\Le\xe7ons\r\n");
    CIniTable t;
    ASSERT_EQ(t.Load_ANSII(path.c_str()), 1);
    wchar_t expected[32] = {0};
    ::MultiByteToWideChar(CP_ACP, 0, "C:\\Le\xe7ons", -1, expected, 32);
    EXPECT_STREQ(t.GetW(L"LessonPath"), expected);
}

TEST(IniLoader, MissingFileWarnsAndKeepsTheTable)
{
    fwtest::MsgRecorder rec;
    CIniTable t;
    t.CreateKey(L"A", L"1");
    std::wstring path = TempFile(L"none.ini");
    EXPECT_EQ(t.Load_UTF16(path.c_str()), 0);
    EXPECT_STREQ(t.GetW(L"A"), L"1");
    ASSERT_EQ(rec.Count(), 1u);
    EXPECT_EQ(rec.LastText(), L"Could not open file " + path + L". Error: 2");
    EXPECT_EQ(rec.Boxes()[0].caption, L"Fingerwaltz");
    EXPECT_EQ(rec.Boxes()[0].type, static_cast<unsigned>(MB_OK | MB_ICONEXCLAMATION));
}

TEST(IniLoader, WrongEncodingAndDamagedFilesDoNotCrash)
{
    std::wstring path = TempFile(L"bad.ini");
    CIniTable t;
    // A UTF-16 file read as ANSI stops at the first zero byte.
    fwtest::WriteFileBytes(path, Utf16(L"[S]\r\nKey = v\r\n"));
    EXPECT_EQ(t.Load_ANSII(path.c_str()), 1);
    // An ANSI file read as UTF-16 gives odd characters, no crash.
    fwtest::WriteFileBytes(path, "[S]\r\nKey = value\r\n");
    EXPECT_EQ(t.Load_UTF16(path.c_str()), 1);
    // Cut in the middle of a line, after "=", inside a section name, an odd byte.
    for (const char* s : {"K = va", "K =", "[Sec", "K = v\r\nX", "\x01\x02\xff"})
    {
        fwtest::WriteFileBytes(path, s);
        EXPECT_EQ(t.Load_ANSII(path.c_str()), 1) << s;
        EXPECT_EQ(t.Load_UTF16(path.c_str()), 1) << s;
    }
    fwtest::WriteFileBytes(path, "K = va");
    t.Load_ANSII(path.c_str());
    EXPECT_STREQ(t.GetW(L"K "), L"va");
    fwtest::WriteFileBytes(path, "");
    EXPECT_EQ(t.Load_ANSII(path.c_str()), 1);
    EXPECT_EQ(t.GetCount(), 0u);
}

TEST(IniTableAccess, MissingKeyGivesEmptyTextNeverNull)
{
    CIniTable t;
    ASSERT_NE(t.GetW(L"nothing"), nullptr);
    EXPECT_STREQ(t.GetW(L"nothing"), L"");
    EXPECT_STREQ(t.GetW(nullptr), L"");
    EXPECT_EQ(t._GetW(L"nothing"), L"");
    EXPECT_EQ(t.IsKey(L"nothing", L"x"), -1);
}

TEST(IniTableAccess, SetReplacesOnlyExistingKeys)
{
    CIniTable t;
    t.CreateSection(L"[Wizard]");
    t.CreateKey(L"ShowWizard", L"1");
    EXPECT_EQ(t.Set(L"ShowWizard", L"0"), 1);
    EXPECT_STREQ(t.GetW(L"ShowWizard"), L"0");
    EXPECT_EQ(t.Set(L"Other", L"0"), 0);
    EXPECT_EQ(t.IsKey(L"Other"), 0);
    EXPECT_EQ(t.Set(L"ShowWizard", static_cast<const wchar_t*>(nullptr)), 0);
    EXPECT_EQ(t.Set(L"ShowWizard", std::wstring(L"1")), 1);
    t.CreateKey(L"ShowWizard", std::wstring(L"late"));
    EXPECT_STREQ(t.GetW(L"ShowWizard"), L"1");
    CIniTable copy(t);
    EXPECT_EQ(copy.GetCount(), 3u);
    CIniTable assigned;
    assigned = t;
    EXPECT_STREQ(assigned.GetW(L"[Wizard]"), L"H");
}

TEST(IniWriter, SectionsAreSeparatedByAnEmptyLineAndNoFinalBreak)
{
    CIniTable t;
    t.CreateSection(L"[Wizard]");
    t.CreateKey(L"Show", L"1");
    t.CreateSection(L"[User]");
    t.CreateKey(L"Name", L"A");
    std::wstring path = TempFile(L"out.ini");
    ASSERT_EQ(t.Save_ANSII(path.c_str()), 1);
    EXPECT_EQ(fwtest::ReadFileBytes(path), "[Wizard]\r\nShow = 1\r\n\r\n[User]\r\nName = A");
}

TEST(IniWriter, KeyFirstAndLongValuesCut)
{
    CIniTable t;
    t.CreateKey(L"A", std::wstring(300, L'x'));
    t.CreateSection(L"[S]");
    EXPECT_EQ(t.FormatANSII(), "A = " + std::string(260, 'x') + "\r\n\r\n[S]");
    CIniTable empty;
    EXPECT_EQ(empty.FormatANSII(), "");
}

TEST(IniWriter, RoundTripThroughTheLoader)
{
    CIniTable t;
    t.CreateSection(L"[Wizard]");
    t.CreateKey(L"ShowWizard", L"1");
    t.CreateSection(L"[PathToLesson]");
    t.CreateKey(L"LessonPath", L"C:\\Program Files\\F W\\Lessons");
    std::wstring path = TempFile(L"rt.ini");
    ASSERT_EQ(t.Save_ANSII(path.c_str()), 1);
    CIniTable back;
    ASSERT_EQ(back.Load_ANSII(path.c_str()), 1);
    EXPECT_EQ(back.GetCount(), 4u);
    EXPECT_STREQ(back.GetW(L"LessonPath"), L"C:\\Program Files\\F W\\Lessons");
    EXPECT_STREQ(back.GetW(L"ShowWizard"), L"1");
    EXPECT_TRUE(back.IsSectionEntry(2));
}

TEST(IniWriter, FailedSaveWarnsAndKeepsTheOldFile)
{
    fwtest::MsgRecorder rec;
    CIniTable t;
    t.CreateKey(L"A", L"1");
    std::wstring path = TempFile(L"none") + L"\\missing\\x.ini";
    EXPECT_EQ(t.Save_ANSII(path.c_str()), 0);
    ASSERT_EQ(rec.Count(), 1u);
    EXPECT_EQ(rec.LastText().rfind(L"Could not write to file " + path + L". ", 0), 0u);

    // The target is a folder: the replacement fails, the folder's content stays.
    std::wstring dir = fwtest::MakeTempDir(L"ini");
    std::wstring target = dir + L"\\cfg.ini";
    ::CreateDirectoryW(target.c_str(), nullptr);
    fwtest::WriteFileBytes(target + L"\\keep", "keep");
    EXPECT_EQ(t.Save_ANSII(target.c_str()), 0);
    EXPECT_EQ(fwtest::ReadFileBytes(target + L"\\keep"), "keep");
    EXPECT_EQ(::GetFileAttributesW((target + L".tmp").c_str()), INVALID_FILE_ATTRIBUTES);
}
