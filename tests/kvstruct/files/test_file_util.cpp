#include "kvtesting/KeyboardLayerTable.h"
#include "kvstruct/kvstruct.h"
#include "common/fwtest.h"

#include <gtest/gtest.h>
#include <shellapi.h>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> g_opened;

int RecordShellExec(const wchar_t* target)
{
    g_opened.push_back(target);
    return 1;
}

// Records shell addresses instead of starting a browser.
struct ShellExecRecorder
{
    ShellExecRecorder() : previous(KV::SetShellExecHandler(RecordShellExec)) { g_opened.clear(); }
    ~ShellExecRecorder() { KV::SetShellExecHandler(previous); }
    KV::ShellExecHandler previous;
};

std::vector<unsigned int> g_fileOps;

// Counts the operations, then does them without the confirmation box.
int QuietFileOperation(unsigned int function, const wchar_t* from, const wchar_t* to, unsigned short flags,
                       BOOL* aborted)
{
    g_fileOps.push_back(function);
    return KV::SilentFileOperation(function, from, to, flags, aborted);
}

bool Exists(const std::wstring& path)
{
    return ::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

SYSTEMTIME Time(WORD minute, WORD second)
{
    SYSTEMTIME st = {};
    st.wMinute = minute;
    st.wSecond = second;
    return st;
}

} // namespace

TEST(Paths, GetFullPathJoinsAndAddsMissingExtension)
{
    wchar_t dest[MAX_PATH];
    EXPECT_STREQ(KV::GetFullPath(dest, L"C:\\Data", L"Lesson", L".txt"), L"C:\\Data\\Lesson.txt");
    EXPECT_STREQ(KV::GetFullPath(dest, L"C:\\Data", L"Lesson.wrd", L".txt"), L"C:\\Data\\Lesson.wrd");
    EXPECT_STREQ(KV::GetFullPath(dest, L"C:\\Data\\", L"..\\Skin\\a", L".skn"), L"C:\\Skin\\a.skn");
    EXPECT_STREQ(KV::GetFullPath(dest, L"C:\\Data", L"D:\\Other\\x", L".bmp"), L"D:\\Other\\x.bmp");
    EXPECT_STREQ(KV::GetFullPath(dest, L"C:\\Img", 700ul, L".bmp"), L"C:\\Img\\700.bmp");
    EXPECT_STREQ(KV::GetFullPath(dest, L"C:\\Data", L"x", nullptr), L"C:\\Data\\x");
    // Too long for a path buffer: an empty result, never an overrun.
    std::wstring longName(300, L'n');
    EXPECT_STREQ(KV::GetFullPath(dest, L"C:\\Data", longName.c_str(), L".txt"), L"");
}

TEST(Paths, ProgramFolderEndsWithBackslash)
{
    wchar_t w[MAX_PATH];
    ASSERT_EQ(KV::GetPathToExeW(w), 1);
    std::wstring s = w;
    ASSERT_FALSE(s.empty());
    EXPECT_EQ(s.back(), L'\\');
    EXPECT_TRUE(KV::rxPathFileExists((s + L"kvstruct.dll").c_str()));
    char a[MAX_PATH];
    ASSERT_EQ(KV::GetPathToExeA(a), 1);
    EXPECT_EQ(a[strlen(a) - 1], '\\');
}

TEST(Paths, CreateDirectoryMakesParentsAndWarnsOnFailure)
{
    fwtest::MsgRecorder rec;
    std::wstring dir = fwtest::MakeTempDir(L"dir");
    std::wstring deep = dir + L"\\a\\b\\c";
    EXPECT_EQ(KV::CreateDirectoryW(deep.c_str()), 1);
    EXPECT_TRUE(KV::rxPathFileExists(deep.c_str()));
    EXPECT_EQ(KV::CreateDirectoryW(deep.c_str()), 1); // already there
    EXPECT_EQ(KV::ReviseFolder(deep.c_str()), 1);
    EXPECT_EQ(rec.Count(), 0u);
    // A file stands where the folder should be.
    std::wstring file = dir + L"\\file";
    fwtest::WriteFileBytes(file, "x");
    EXPECT_EQ(KV::ReviseFolder((file + L"\\sub").c_str()), 0);
    EXPECT_EQ(rec.Count(), 0u);
    EXPECT_EQ(KV::CreateDirectoryW((file + L"\\sub").c_str()), 0);
    ASSERT_EQ(rec.Count(), 1u);
    EXPECT_EQ(rec.LastText().rfind(L"Create Directory failed. Path " + file + L"\\sub. ", 0), 0u);
}

TEST(Paths, OpenFileWarnings)
{
    fwtest::MsgRecorder rec;
    std::wstring dir = fwtest::MakeTempDir(L"open");
    std::wstring missing = dir + L"\\missing.txt";
    EXPECT_EQ(KV::OpenFileRead(missing.c_str()), INVALID_HANDLE_VALUE);
    ASSERT_EQ(rec.Count(), 1u);
    EXPECT_EQ(rec.LastText(), L"Could not open file " + missing + L". Error: 2");
    std::wstring bad = dir + L"\\no\\file.txt";
    EXPECT_EQ(KV::OpenFileWrite(bad.c_str()), INVALID_HANDLE_VALUE);
    EXPECT_EQ(rec.LastText(), L"Could not write to file " + bad + L". Error: 3");

    HANDLE h = KV::OpenFileWrite((dir + L"\\w.txt").c_str());
    ASSERT_NE(h, INVALID_HANDLE_VALUE);
    EXPECT_EQ(KV::WriteDiv(h), 1);
    ::CloseHandle(h);
    EXPECT_EQ(fwtest::ReadFileBytes(dir + L"\\w.txt"), "\r\n");
}

TEST(FileOperations, GoThroughTheReplaceableLayer)
{
    KV::FileOperationHandler previous = KV::SetFileOperationHandler(QuietFileOperation);
    g_fileOps.clear();
    std::wstring dir = fwtest::MakeTempDir(L"fo");
    fwtest::WriteFileBytes(dir + L"\\a.txt", "a");
    EXPECT_EQ(KV::FileOperation(FO_COPY, (dir + L"\\a.txt").c_str(), (dir + L"\\b.txt").c_str()), 1);
    EXPECT_EQ(KV::FileOperation(FO_RENAME, (dir + L"\\b.txt").c_str(), (dir + L"\\c.txt").c_str()), 1);
    EXPECT_EQ(fwtest::ReadFileBytes(dir + L"\\c.txt"), "a");
    EXPECT_EQ(KV::FileOperation(FO_DELETE, (dir + L"\\c.txt").c_str(), nullptr), 1);
    EXPECT_FALSE(Exists(dir + L"\\c.txt"));
    EXPECT_EQ(g_fileOps.size(), 3u);
    // Over-long paths never reach the shell.
    std::wstring longPath = dir + L"\\" + std::wstring(300, L'x');
    EXPECT_EQ(KV::FileOperation(FO_DELETE, longPath.c_str(), nullptr), 0);
    EXPECT_EQ(g_fileOps.size(), 3u);
    KV::SetFileOperationHandler(previous);
}

TEST(TextHelpers, RemoveCrLfMakesOneLine)
{
    wchar_t out[32];
    EXPECT_STREQ(KV::Remove_CR_LF_W(L"a\r\nb\r\n", out), L"a b");
    EXPECT_STREQ(KV::Remove_CR_LF_W(L"\r\nx", out), L"x");
    EXPECT_STREQ(KV::Remove_CR_LF_W(L"a \nb", out), L"a b");
    EXPECT_STREQ(KV::Remove_CR_LF_W(L"a\n\n\nb", out), L"a b");
    EXPECT_STREQ(KV::Remove_CR_LF_W(L"", out), L"");
    char a[32];
    EXPECT_STREQ(KV::Remove_CR_LF_A("a\r\nb\r\n", a), "a b");
    EXPECT_STREQ(KV::Remove_CR_LF_A("\r\nx", a), "x");
    EXPECT_STREQ(KV::Remove_CR_LF_A("a \nb", a), "a b");
}

TEST(TextHelpers, FormatToTime)
{
    wchar_t out[32];
    EXPECT_EQ(KV::FormatToTimeW(out, Time(5, 7), 1, L"", L""), 5);
    EXPECT_STREQ(out, L"05:07");
    KV::FormatToTimeW(out, Time(0, 5), 1, nullptr, nullptr);
    EXPECT_STREQ(out, L"00:05");
    KV::FormatToTimeW(out, Time(5, 7), 2, L"m", L"s");
    EXPECT_STREQ(out, L"5m 7s");
    EXPECT_EQ(KV::FormatToTimeW(out, Time(5, 7), 7, L"m", L"s"), 0);
    EXPECT_STREQ(out, L"");
    // Long units are cut to the buffer.
    wchar_t small[8];
    EXPECT_EQ(KV::FormatToTimeW(small, Time(5, 7), 2, L"minutes", L"seconds", 8), 7);
    EXPECT_STREQ(small, L"5minute");
    char a[32];
    EXPECT_EQ(KV::FormatToTimeA(a, Time(12, 34), 1, "", ""), 5);
    EXPECT_STREQ(a, "12:34");
}

TEST(TextHelpers, RecordTimeAppendsFourDigits)
{
    wchar_t out[16] = L"x";
    KV::GetCurRecordTime(out);
    ASSERT_EQ(wcslen(out), 5u);
    for (int i = 1; i < 5; ++i)
        EXPECT_TRUE(iswdigit(out[i]));
    for (int i = 0; i < 20; ++i)
    {
        wchar_t r[16];
        KV::GetRand(r, 9);
        long v = wcstol(r, nullptr, 10);
        EXPECT_GE(v, 1);
        EXPECT_LE(v, 9);
    }
}

TEST(FolderScan, LoadSortsNamesAndCutsExtension)
{
    std::wstring dir = fwtest::MakeTempDir(L"scan");
    for (const wchar_t* n : {L"b.ini", L"English.ini", L"a.ini", L"C.ini", L"note.txt"})
        fwtest::WriteFileBytes(dir + L"\\" + n, "x");
    KV::CFileOperation f;
    EXPECT_EQ(f.Load(dir.c_str(), L".ini", 0), 4u);
    ASSERT_EQ(f.GetCount(), 4u);
    EXPECT_STREQ(f.GetName(0), L"a");
    EXPECT_STREQ(f.GetName(1), L"b");
    EXPECT_STREQ(f.GetName(2), L"C");
    EXPECT_STREQ(f.GetName(3), L"English");
    EXPECT_EQ(std::wstring(f.GetPath(3)), dir + L"\\English.ini");
    EXPECT_STREQ(f.GetName(4), L"");
    EXPECT_EQ(f.Find(L"English"), 3);

    // Calls accumulate; keepExtension keeps the whole name.
    f.Load(dir.c_str(), L".txt", 1);
    EXPECT_EQ(f.GetCount(), 5u);
    EXPECT_STREQ(f.GetName(4), L"note.txt");
    KV::CFileOperation copy(f);
    EXPECT_STREQ(copy.GetName(4), L"note.txt");
    f.Clear();
    EXPECT_EQ(f.GetCount(), 0u);
    EXPECT_EQ(copy.GetCount(), 5u);
}

TEST(FolderScan, MatchingSubFoldersAreScanned)
{
    std::wstring dir = fwtest::MakeTempDir(L"scan");
    ::CreateDirectoryW((dir + L"\\sub.skn").c_str(), nullptr);
    fwtest::WriteFileBytes(dir + L"\\sub.skn\\inner.skn", "x");
    fwtest::WriteFileBytes(dir + L"\\top.skn", "x");
    KV::CFileOperation f;
    f.Load(dir.c_str(), L".skn", 1);
    ASSERT_EQ(f.GetCount(), 2u);
    EXPECT_STREQ(f.GetName(0), L"inner"); // inner folders never keep the extension
    EXPECT_STREQ(f.GetName(1), L"top.skn");
}

TEST(FolderScan, MoreThan250FilesKeepsTheFirst250)
{
    std::wstring dir = fwtest::MakeTempDir(L"scan");
    for (int i = 0; i < 300; ++i)
    {
        wchar_t n[32];
        swprintf(n, 32, L"\\f%03d.ini", i);
        fwtest::WriteFileBytes(dir + n, "");
    }
    KV::CFileOperation f;
    EXPECT_EQ(f.Load(dir.c_str(), L".ini", 0), 250u);
    EXPECT_STREQ(f.GetName(249), L"f249");
    EXPECT_EQ(f.Load(dir.c_str(), L".ini", 0), 0u);
    EXPECT_EQ(f.GetCount(), 250u);
    EXPECT_EQ(f.Load(L"", L".ini", 0), 0u);
    EXPECT_EQ(f.Load((dir + L"\\none").c_str(), L".ini", 0), 0u);
}

TEST(FolderScan, CompareFileNamesIsCaseInsensitiveOrdinal)
{
    EXPECT_LT(KV::CompareFileNames(L"a", L"B"), 0);
    EXPECT_EQ(KV::CompareFileNames(L"abc", L"ABC"), 0);
    EXPECT_LT(KV::CompareFileNames(L"01", L"0a"), 0);
    EXPECT_LT(KV::CompareFileNames(L"Z", L"_"), 0); // upper-cased: 'Z' 0x5A before '_' 0x5F
}

TEST(LogFontForm, DefaultFontAndRoundTrip)
{
    KV::CLogFont f;
    EXPECT_STREQ(f.GetName(), L"Courier New");
    EXPECT_EQ(f.GetSize(), -14);
    EXPECT_EQ(f.GetLOGFONT().lfWeight, 700);
    EXPECT_EQ(f.GetCharSet(), 1);
    EXPECT_EQ(f.GetLOGFONT().lfQuality, 2);

    std::ostringstream out;
    EXPECT_EQ(f.Serialize(out), 1);
    EXPECT_EQ(out.str().size(), 30u + 2u + 2u * 11u);
    EXPECT_EQ(fwtest::Hex(out.str().substr(0, 30)),
              "01 00 f2 ff ff ff 00 00 00 00 00 00 00 00 00 00 00 00 bc 02 00 00 00 00 00 01 00 00 02 00");

    KV::CLogFont g;
    g.SetName(L"Arial");
    g.GetLOGFONT().lfHeight = 20;
    std::istringstream in(out.str());
    EXPECT_EQ(g.Serialize(in), 1);
    EXPECT_EQ(g.Is(f.GetLOGFONT()), 1);
}

TEST(LogFontForm, VersionZeroAndShortRecordChangeNothing)
{
    KV::CLogFont f;
    f.SetName(L"Arial");
    std::istringstream zero(std::string("\0\0\x01\x02", 4));
    EXPECT_EQ(f.Serialize(zero), 0);
    EXPECT_STREQ(f.GetName(), L"Arial");

    KV::CLogFont def;
    std::ostringstream out;
    def.Serialize(out);
    std::istringstream cut(out.str().substr(0, 20));
    EXPECT_EQ(f.Serialize(cut), 0);
    EXPECT_STREQ(f.GetName(), L"Arial");
}

TEST(LogFontForm, LongFaceNameIsCut)
{
    KV::CLogFont f;
    f.SetName(std::wstring(40, L'F').c_str());
    EXPECT_EQ(wcslen(f.GetName()), 31u);
    LOGFONTW lf = f.GetLOGFONT();
    lf.lfItalic = 1; // not compared
    EXPECT_EQ(f.Is(lf), 1);
    lf.lfWeight = 400;
    EXPECT_EQ(f.Is(lf), 0);
}

TEST(WebPages, BugsWithNothingToSay)
{
    ShellExecRecorder shell;
    KV::SendBugs(L"https://x.example/c", L"", L"");
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0], L"https://x.example/c?&errors=1");
}

TEST(WebPages, ValuesArePercentEncoded)
{
    ShellExecRecorder shell;
    KV::SendFeedBack(L"p", L"a&b #1 é", L"1.2", L"Ann", L"a@b.c");
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0], L"p?&feedback=1&name=Ann&mail=a%40b.c&ver=1.2&text=a%26b%20%231%20%C3%A9");
    KV::SendFeedBack(L"p", L"", L"", L"", L"m");
    EXPECT_EQ(g_opened[1], L"p?&feedback=1&mail=m");
}

TEST(WebPages, LongTextIsCutToTheAddressLimit)
{
    ShellExecRecorder shell;
    std::wstring text(5000, L'\x00e9'); // six characters each once encoded
    KV::SendBugs(L"p", L"1", text.c_str());
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_LE(g_opened[0].size(), 4095u);
    EXPECT_EQ(g_opened[0].substr(g_opened[0].size() - 6), L"%C3%A9"); // no half character
}

TEST(WebPages, StatisticsCarryACheckCode)
{
    ShellExecRecorder shell;
    KV::SendStatistics(L"p", L"3", L"Ann Lee", L"42", L"210", L"97", L"65", L"180");
    ASSERT_EQ(g_opened.size(), 1u);
    const std::wstring& a = g_opened[0];
    ASSERT_EQ(a.rfind(L"p?&r=", 0), 0u);
    size_t end = a.find(L"&n=");
    ASSERT_NE(end, std::wstring::npos);
    std::wstring code = a.substr(5, end - 5);
    // 1, random digit, mmss, rating, length(4), accuracy(3), wpm(4), seconds(4).
    ASSERT_EQ(code.size(), 1u + 1u + 4u + 1u + 4u + 3u + 4u + 4u);
    wchar_t expectTail[] = L"3018009700420065";
    KV::ConvertNum(expectTail);
    EXPECT_EQ(code.substr(6), expectTail);
    wchar_t one[] = L"1";
    KV::ConvertNum(one);
    EXPECT_EQ(code[0], one[0]);
    EXPECT_EQ(a.substr(end), L"&n=Ann%20Lee&w=42&a=97&l=180&t=65");

    KV::SendStatistics(L"p", L"3", L"", L"", L"", L"", L"", L"");
    EXPECT_EQ(g_opened[1], L"p?");
}

TEST(WebPages, DigitPermutationIsOneToOne)
{
    wchar_t digits[] = L"0123456789x";
    KV::ConvertNum(digits);
    std::wstring s(digits, 10);
    for (wchar_t d = L'0'; d <= L'9'; ++d)
        EXPECT_NE(s.find(d), std::wstring::npos);
    EXPECT_EQ(digits[10], L'x');
}

TEST(SystemInfo, LayoutNamesFromTheRegistry)
{
    wchar_t name[MAX_PATH] = L"untouched";
    LONG status = -1;
    EXPECT_EQ(KV::GetNameLayout(L"00000407", name, &status), 0);
    EXPECT_STREQ(name, L"German");
    EXPECT_EQ(status, ERROR_SUCCESS);
    EXPECT_EQ(KV::GetNameLayout(L"0000ABCD", name, status), 0);
    EXPECT_STREQ(name, L"Chinese");
    EXPECT_NE(status, ERROR_SUCCESS);
}

TEST(SystemInfo, DescribesVersionAndLayouts)
{
    KV::CTableKeyboardLayer kb(L"00000419");
    KV::SetKeyboardLayer(&kb);
    wchar_t info[2048];
    KV::GetSysInfo(info);
    KV::SetKeyboardLayer(nullptr);
    std::wstring s = info;
    EXPECT_EQ(s.rfind(L" System Version: ", 0), 0u);
    EXPECT_NE(s.find(L" \n Current Layout: Russian 00000419 \n All Layouts:  4090409;  4070407;  4190419; "),
              std::wstring::npos)
        << std::string(s.begin(), s.end());
    wchar_t small[10];
    KV::GetSysInfo(small, 10);
    EXPECT_EQ(wcslen(small), 9u);
}

TEST(SystemInfo, PressKeyOnlyWhenTheStateDiffers)
{
    KV::CTableKeyboardLayer kb;
    KV::SetKeyboardLayer(&kb);
    kb.SetCapsLock(true);
    KV::PressKey(0, 1);
    EXPECT_TRUE(kb.SentKeys().empty());
    KV::PressKey(0, 0);
    ASSERT_EQ(kb.SentKeys().size(), 2u);
    EXPECT_EQ(kb.SentKeys()[0].wVk, VK_CAPITAL);
    EXPECT_EQ(kb.SentKeys()[0].wScan, 0x45);
    EXPECT_EQ(kb.SentKeys()[0].dwFlags, static_cast<DWORD>(KEYEVENTF_EXTENDEDKEY));
    EXPECT_EQ(kb.SentKeys()[1].dwFlags, static_cast<DWORD>(KEYEVENTF_EXTENDEDKEY | KEYEVENTF_KEYUP));
    EXPECT_EQ(kb.GetKeyState(VK_CAPITAL) & 1, 0);
    KV::PressKey(0, 0);
    EXPECT_EQ(kb.SentKeys().size(), 2u);
    KV::SetKeyboardLayer(nullptr);
}

TEST(SystemInfo, VersionOfAFileWithoutVersionIsEmpty)
{
    wchar_t v[32] = L"x";
    EXPECT_EQ(KV::GetAppVer(L"Z:\\no\\such\\file.exe", v), 0);
    EXPECT_STREQ(v, L"");
}

TEST(ErrorReport, TextsAndExit)
{
    fwtest::MsgRecorder rec(IDNO);
    fwtest::ExitCalls().clear();
    KV::CMsgError e(L"CMainWnd::Create()", L"RegisterClass()", 5, 7, nullptr);
    ASSERT_EQ(rec.Count(), 1u);
    const fwtest::MsgRecord& box = rec.Boxes()[0];
    EXPECT_EQ(box.caption, L"Fingerwaltz");
    EXPECT_EQ(box.type, static_cast<unsigned>(MB_YESNO | MB_ICONERROR));
    EXPECT_EQ(
        box.text.rfind(
            L" Object: CMainWnd::Create()\n Error: RegisterClass()\n Param: 5:7\n\n System Version: ", 0),
        0u);
    const std::wstring question = L"\n\nDo you want to sent this message to development team?";
    EXPECT_EQ(box.text.substr(box.text.size() - question.size()), question);
    EXPECT_EQ(std::wstring(e.GetReport()) + question, box.text);
    ASSERT_EQ(fwtest::ExitCalls().size(), 1u);
    EXPECT_EQ(fwtest::ExitCalls()[0], 0u);
}

TEST(ErrorReport, NoParamLineWhenEmptyAndYesSendsTheReport)
{
    ShellExecRecorder shell;
    fwtest::MsgRecorder rec(IDYES);
    fwtest::ExitCalls().clear();
    KV::CMsgError e(L"CWaltzApp::LoadLib()", L"::LoadLibrary(RichEd20)");
    EXPECT_EQ(std::wstring(e.GetReport()).find(L"Param"), std::wstring::npos);
    ASSERT_EQ(g_opened.size(), 1u);
    EXPECT_EQ(g_opened[0].rfind(std::wstring(KV::GetContactPage()) + L"?&errors=1", 0), 0u);
    EXPECT_NE(g_opened[0].find(L"&text=%20Object%3A%20CWaltzApp%3A%3ALoadLib%28%29"), std::wstring::npos);
    EXPECT_EQ(fwtest::ExitCalls().size(), 1u);

    KV::CMsgError n(L"CMainWnd::NewSkin()", L"pSkin", -3, nullptr);
    EXPECT_STREQ(n.GetParam(), L"-3");
}

TEST(ErrorReport, LongTextsAreCut)
{
    fwtest::MsgRecorder rec(IDNO);
    std::wstring big(5000, L'o');
    KV::CMsgError e(big.c_str(), big.c_str(), big.c_str(), nullptr);
    EXPECT_EQ(wcslen(e.GetObjectText()), 255u);
    EXPECT_EQ(wcslen(e.GetParam()), 255u);
    EXPECT_LE(wcslen(e.GetReport()), 2047u);
    EXPECT_LE(wcslen(e.GetMessage()), 2047u);
    EXPECT_NE(std::wstring(e.GetMessage()).find(L"development team?"), std::wstring::npos);
}

TEST(CursorGuard, RestoresThePreviousCursor)
{
    HCURSOR arrow = ::LoadCursorW(nullptr, IDC_ARROW);
    ::SetCursor(arrow);
    {
        KV::CCursorWait wait;
        EXPECT_EQ(wait.GetPrevious(), arrow);
        EXPECT_EQ(::GetCursor(), ::LoadCursorW(nullptr, IDC_WAIT));
    }
    EXPECT_EQ(::GetCursor(), arrow);
}
