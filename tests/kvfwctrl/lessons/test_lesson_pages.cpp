// The lesson tree view and the lesson view in a skinned window: creating, renaming, deleting,
// editing and saving lessons as a user would, with real tree and rich-edit messages.
#include "lesson_pages_util.h"

#include <gtest/gtest.h>
#include <shlwapi.h>
#include <algorithm>

using namespace lessontest;
using skintest::Pump;

namespace {

const std::vector<std::pair<std::wstring, std::string>> kEightLessons = {
    {L"a0", "zero"}, {L"a1", "one"},  {L"a2", "two"}, {L"a3", "three"},
    {L"a4", "four"}, {L"a5", "five"}, {L"a6", "six"}, {L"a7", "seven"}};

std::wstring Normalised(std::wstring text)
{
    for (size_t at; (at = text.find(L"\r\n")) != std::wstring::npos;)
        text.replace(at, 2, L"\n");
    for (auto& c : text)
        if (c == L'\r')
            c = L'\n';
    return text;
}

} // namespace

TEST(LessonTree, NewLessonTakesFirstFreeNameAndOpensItsLabel)
{
    fwtest::MsgRecorder boxes;
    LessonPages t({{L"New", ""}, {L"New(1)", "x"}});
    ASSERT_TRUE(t.Ready());
    t.TreeCommand(KV::kCmdNewLesson);
    EXPECT_TRUE(t.UserFileExists(L"New(2)"));
    EXPECT_EQ(1, t.pages.tree->GetActiveTab());
    EXPECT_EQ(L"New(2)", t.ItemText(1, t.Tree(1)->GetCurID()));
    const std::vector<WORD> sent = t.pages.Sent();
    EXPECT_EQ(1, std::count(sent.begin(), sent.end(), (WORD)KV::kMsgLessonCreated));
    // The label is open for the real name; ending the edit renames the file.
    HWND edit = (HWND)::SendMessageW(t.Tree(1)->GetHwnd(), TVM_GETEDITCONTROL, 0, 0);
    ASSERT_NE(nullptr, edit);
    ::SetWindowTextW(edit, L"Home row");
    ::SendMessageW(t.Tree(1)->GetHwnd(), TVM_ENDEDITLABELNOW, FALSE, 0);
    Pump();
    EXPECT_TRUE(t.UserFileExists(L"Home row"));
    EXPECT_FALSE(t.UserFileExists(L"New(2)"));
    EXPECT_EQ(L"Home row", t.ItemText(1, t.Tree(1)->GetCurID()));
    EXPECT_EQ(0u, boxes.Count());
}

TEST(LessonTree, RenameAndDeleteOnlyForOwnLessons)
{
    LessonPages t({{L"mine", "abc"}});
    ASSERT_TRUE(t.Ready());
    const struct
    {
        int tab;
        long id;
        bool own;
    } cases[] = {{0, 0, false}, {0, 1, false}, {1, 0, true}};
    for (const auto& c : cases)
    {
        if (t.pages.tree->GetActiveTab() != c.tab)
            t.TreeCommand(c.tab ? KV::kIdTabUser : KV::kIdTabCourse);
        t.Tree(c.tab)->SetCurID(c.id);
        Pump();
        EXPECT_EQ(c.own, t.Enabled(KV::kCmdRenameLesson)) << c.tab << "/" << c.id;
        EXPECT_EQ(c.own, t.Enabled(KV::kCmdDeleteLesson)) << c.tab << "/" << c.id;
        HWND edit = (HWND)::SendMessageW(t.Tree(c.tab)->GetHwnd(), TVM_EDITLABELW, 0,
                                         (LPARAM)t.Tree(c.tab)->GetItem((LPARAM)c.id));
        EXPECT_EQ(c.own, edit != nullptr) << c.tab << "/" << c.id;
        ::SendMessageW(t.Tree(c.tab)->GetHwnd(), TVM_ENDEDITLABELNOW, TRUE, 0);
        // A delete of a course lesson or folder does nothing at all.
        t.pages.sent.clear();
        if (!c.own)
            t.TreeCommand(KV::kCmdDeleteLesson);
        EXPECT_TRUE(t.pages.sent.empty());
    }
}

TEST(LessonTree, RefusedNamesKeepTheLabelAndSayWhy)
{
    LessonPages t({{L"mine", "abc"}, {L"other", "x"}});
    ASSERT_TRUE(t.Ready());
    const std::wstring tooLong(300, L'n');
    const struct
    {
        std::wstring name;
        const wchar_t* key; // nullptr: accepted
    } cases[] = {
        {L"a:b", L"LessonNameChars"},       {L"what?", L"LessonNameChars"},  {L"CON", L"LessonNameReserved"},
        {L"lpt1.x", L"LessonNameReserved"}, {L"OTHER", L"LessonNameExists"}, {tooLong, L"LessonNameLong"},
        {L"  ", L"LessonNameEmpty"},        {L"Renamed", nullptr},
    };
    for (const auto& c : cases)
    {
        fwtest::MsgRecorder boxes;
        t.SelectUser(0);
        const std::wstring before = t.ItemText(1, 0);
        HWND edit = t.Tree(1)->EditLabel(t.Tree(1)->GetItem((LPARAM)0));
        ASSERT_NE(nullptr, edit);
        ::SetWindowTextW(edit, c.name.c_str());
        ::SendMessageW(t.Tree(1)->GetHwnd(), TVM_ENDEDITLABELNOW, FALSE, 0);
        Pump();
        if (c.key)
        {
            EXPECT_EQ(before, t.ItemText(1, 0)) << c.name;
            ASSERT_EQ(1u, boxes.Count()) << c.name;
            EXPECT_EQ(L"Fingerwaltz", boxes.Boxes()[0].caption);
            EXPECT_EQ(0u, boxes.LastText().find(t.pages.table.GetW(c.key))) << c.name;
            EXPECT_TRUE(t.UserFileExists(before));
        }
        else
        {
            EXPECT_EQ(c.name, t.ItemText(1, 0));
            EXPECT_EQ(0u, boxes.Count());
        }
    }
}

TEST(LessonTree, DeletingTheActiveLessonActivatesThePreviousOne)
{
    LessonPages t(kEightLessons);
    ASSERT_TRUE(t.Ready());
    t.SelectUser(5);
    t.TreeCommand(KV::kCmdActivateLesson);
    EXPECT_EQ(5, t.pages.tree->GetActiveID());
    t.pages.sent.clear();
    t.TreeCommand(KV::kCmdDeleteLesson);
    EXPECT_FALSE(t.UserFileExists(L"a5"));
    const std::vector<WORD> sent = t.pages.Sent();
    ASSERT_GE(sent.size(), 2u);
    EXPECT_EQ(KV::kMsgLessonDeleted, sent[0]);
    EXPECT_EQ(std::count(sent.begin(), sent.end(), (WORD)KV::kMsgActiveLessonChanged), 1);
    // After the reload the list holds seven lessons; a4 is active and selected.
    EXPECT_EQ(7u, t.pages.user.GetCount());
    EXPECT_EQ(4, t.Tree(1)->GetActiveID());
    EXPECT_EQ(4, t.Tree(1)->GetCurID());
    EXPECT_EQ(L"a4", t.ItemText(1, 4));
    EXPECT_EQ(KV::CTreeLesson::kImageActive, t.Image(1, 4));
    EXPECT_EQ(KV::CTreeLesson::kImageLesson, t.Image(1, 5));
    EXPECT_EQ(L"four", t.EditorText());
}

TEST(LessonTree, ActivatingOnOneTabDropsTheOtherTabsMark)
{
    LessonPages t({{L"mine", "abc"}});
    ASSERT_TRUE(t.Ready());
    t.Tree(0)->SetCurID(1);
    t.TreeCommand(KV::kCmdActivateLesson);
    EXPECT_EQ(1, t.Tree(0)->GetActiveID());
    t.SelectUser(0);
    t.TreeCommand(KV::kCmdActivateLesson);
    EXPECT_EQ(0, t.Tree(1)->GetActiveID());
    EXPECT_EQ(-1, t.Tree(0)->GetActiveID());
    EXPECT_EQ(KV::CTreeLesson::kImageLesson, t.Image(0, 1));
    // A folder cannot be activated.
    t.pages.sent.clear();
    t.TreeCommand(KV::kIdTabCourse);
    t.Tree(0)->SetCurID(0);
    t.TreeCommand(KV::kCmdActivateLesson);
    EXPECT_EQ(-1, t.Tree(0)->GetActiveID());
    EXPECT_EQ(0, std::count(t.pages.sent.begin(), t.pages.sent.end(),
                            std::make_pair((WORD)KV::kMsgActiveLessonChanged, (LPARAM)0)));
}

TEST(LessonEditor, TextTypedOverSeveralLinesIsSavedAndShownAsOneLine)
{
    LessonPages t({{L"mine", "old"}});
    ASSERT_TRUE(t.Ready());
    t.SelectUser(0);
    EXPECT_EQ(L"old", t.EditorText());
    EXPECT_FALSE(t.Enabled(KV::kCmdSaveLesson));
    t.Type(L"first line\r\nsecond\r\nthird");
    EXPECT_TRUE(t.Enabled(KV::kCmdSaveLesson));
    EXPECT_TRUE(t.pages.view->GetWasEdit());
    t.pages.sent.clear();
    t.ViewCommand(KV::kCmdSaveLesson);
    EXPECT_EQ("first line second third", t.UserFile(L"mine"));
    EXPECT_EQ(L"first line second third", t.EditorText());
    EXPECT_FALSE(t.Enabled(KV::kCmdSaveLesson));
    EXPECT_EQ(std::vector<WORD>{KV::kMsgLessonSaved}, t.pages.Sent());
}

TEST(LessonEditor, UnsavedEditsAreOfferedBeforeTheyWouldBeLeft)
{
    const struct
    {
        const char* leave;
        int answer;
    } cases[] = {{"selection", IDYES},  {"selection", IDNO},  {"tree tab", IDYES}, {"tree tab", IDNO},
                 {"report tab", IDYES}, {"report tab", IDNO}, {"hidden", IDYES},   {"hidden", IDNO}};
    for (const auto& c : cases)
    {
        LessonPages t({{L"a", "alpha"}, {L"b", "beta"}});
        ASSERT_TRUE(t.Ready());
        t.SelectUser(0);
        t.Type(L"edited");
        fwtest::MsgRecorder boxes(c.answer);
        const std::string leave = c.leave;
        if (leave == "selection")
            t.Tree(1)->SetCurID(1);
        else if (leave == "tree tab")
            t.TreeCommand(KV::kIdTabCourse);
        else if (leave == "report tab")
            t.ViewCommand(KV::kIdTabProperty);
        else
            t.pages.view->ShowWindow(SW_HIDE);
        Pump();
        ASSERT_EQ(1u, boxes.Count()) << leave;
        EXPECT_EQ((unsigned)(MB_YESNO | MB_ICONEXCLAMATION), boxes.Boxes()[0].type);
        EXPECT_EQ(std::wstring(t.pages.table.GetW(L"LessonSaveAsk")), boxes.LastText());
        EXPECT_EQ(c.answer == IDYES ? "edited" : "alpha", t.UserFile(L"a")) << leave;
        EXPECT_FALSE(t.pages.view->GetWasEdit()) << leave;
    }
}

TEST(LessonEditor, AWantedSaveThatFailsKeepsTheEdits)
{
    LessonPages t({{L"a", "alpha"}, {L"b", "beta"}});
    ASSERT_TRUE(t.Ready());
    t.SelectUser(0);
    t.Type(L"precious");
    // The lesson's file cannot be written: a folder of that name stands where it would go.
    ::DeleteFileW((t.userDir + L"\\a.txt").c_str());
    ::CreateDirectoryW((t.userDir + L"\\a.txt").c_str(), nullptr);
    fwtest::MsgRecorder boxes(IDYES);
    t.Tree(1)->SetCurID(1);
    Pump();
    EXPECT_GE(boxes.Count(), 2u); // the question, then why the save failed
    EXPECT_EQ(0, t.Tree(1)->GetCurID());
    EXPECT_EQ(L"precious", t.EditorText());
    EXPECT_TRUE(t.Enabled(KV::kCmdSaveLesson));
}

TEST(LessonEditor, ALongLessonKeepsTheEditorAsItWas)
{
    const std::string text = Words(30000);
    LessonPages t({{L"long", text}, {L"short", "abc"}});
    ASSERT_TRUE(t.Ready());
    LOGFONTW font = {};
    wcscpy(font.lfFaceName, L"Courier New");
    t.pages.view->SetFont(&font);
    t.SelectUser(1);
    KV::CLessonEditor& editor = t.pages.view->GetEditor();
    // A long text is shown by a fresh control: everything the user and the view see stays.
    auto shape = [&] {
        RECT r = {};
        ::GetWindowRect(t.Editor(), &r);
        ::MapWindowPoints(HWND_DESKTOP, t.pages.view->GetHwnd(), reinterpret_cast<POINT*>(&r), 2);
        return std::vector<LONG_PTR>{r.left, r.top, r.right, r.bottom, ::GetDlgCtrlID(t.Editor()),
                                     ::IsWindowVisible(t.Editor()), ::IsWindowEnabled(t.Editor()),
                                     ::GetWindowLongW(t.Editor(), GWL_STYLE) & WS_VSCROLL};
    };
    const std::vector<LONG_PTR> before = shape();
    fwtest::MsgRecorder boxes(IDNO);
    for (const long id : {0L, 1L, 0L})
    {
        ::SetFocus(t.Editor());
        t.SelectUser(id);
        EXPECT_EQ(id == 0 ? std::wstring(text.begin(), text.end()) : L"abc", t.EditorText()) << id;
        EXPECT_EQ(id == 0, editor.IsLongText()) << id;
        EXPECT_EQ(1, ::SendMessageW(t.Editor(), EM_GETLINECOUNT, 0, 0)) << id; // a long text does not wrap
        EXPECT_EQ(before, shape()) << id;
        EXPECT_EQ(t.Editor(), ::GetFocus()) << id;
        CHARFORMAT2W format = {};
        format.cbSize = sizeof(format);
        ::SendMessageW(t.Editor(), EM_GETCHARFORMAT, SCF_DEFAULT, (LPARAM)&format);
        EXPECT_STREQ(L"Courier New", format.szFaceName) << id;
        t.Type(L"edited"); // changes still reach the view
        EXPECT_TRUE(t.Enabled(KV::kCmdSaveLesson)) << id;
    }
    EXPECT_EQ(2u, boxes.Count()); // each left edit was offered for saving, and declined
    EXPECT_EQ(text, t.UserFile(L"long"));
}

TEST(LessonView, InsertTextFromAFile)
{
    const std::string big = Words(70000);
    std::wstring bigShown(big.begin(), big.begin() + 63999);
    const struct
    {
        const char* name;
        std::string bytes;  // of the file; "-" for no file in a missing folder
        const wchar_t* key; // the message shown, nullptr for none
        std::wstring editor;
        bool saveEnabled;
    } cases[] = {
        {"missing folder", "-", nullptr, L"old", false},
        {"empty", "", L"LessonFileEmpty", L"old", false},
        {"binary", std::string("MZ\x90\0\x03\0\0\0", 8), L"LessonFileBinary", L"old", false},
        {"too long", big, L"LessonFileCut", bigShown, true},
        {"text", "line one\r\nline two", nullptr, L"line one line two", true},
    };
    static std::wstring chosen;
    auto browser = [](HWND, const wchar_t*, wchar_t* path, const wchar_t* kind) -> int {
        EXPECT_STREQ(L"txt", kind);
        wcscpy(path, chosen.c_str());
        return 1;
    };
    KV::CViewLesson::FileBrowser old = KV::CViewLesson::SetFileBrowser(browser);
    for (const auto& c : cases)
    {
        LessonPages t({{L"mine", "old"}});
        ASSERT_TRUE(t.Ready());
        t.SelectUser(0);
        const std::wstring dir = fwtest::MakeTempDir(L"insert");
        chosen = c.bytes == "-" ? dir + L"\\gone\\file.txt" : dir + L"\\file.txt";
        if (c.bytes != "-")
            fwtest::WriteFileBytes(chosen, c.bytes);
        fwtest::MsgRecorder boxes;
        t.ViewCommand(KV::kCmdInsertLesson);
        EXPECT_EQ(c.editor, t.EditorText()) << c.name;
        EXPECT_EQ(c.saveEnabled, t.Enabled(KV::kCmdSaveLesson)) << c.name;
        EXPECT_EQ("old", t.UserFile(L"mine")) << c.name; // nothing is stored before Save
        if (c.bytes == "-")
            EXPECT_EQ(L"Bad Path Name: " + chosen, boxes.LastText());
        else if (c.key)
            EXPECT_EQ(0u, boxes.LastText().find(t.pages.table.GetW(c.key))) << c.name;
        else
            EXPECT_EQ(0u, boxes.Count()) << c.name;
    }
    KV::CViewLesson::SetFileBrowser(old);
}

TEST(LessonProperty, ReportOfAKnownLessonToTheCharacter)
{
    LessonPages t({{L"mine", "aaab b"}});
    ASSERT_TRUE(t.Ready());
    t.SelectUser(0);
    t.ViewCommand(KV::kIdTabProperty);
    const std::wstring d48(48, L'-'), d46 = std::wstring(46, L'-') + L"\n";
    const std::wstring total = L"\tTotal\t|\t6\t|\t100%\n";
    const std::wstring expected = d48 + L"\n   Character\t|\tCount\t|\tShare\n" + d46 + total + d46 +
                                  L"\ta\t|\t3\t|\t50.0%\n" + L"\tb\t|\t2\t|\t33.3%\n" +
                                  L"\tSP\t|\t1\t|\t16.7%\n" + d46 + total + d48;
    KV::CLessonProperty& report = t.pages.view->GetProperty();
    std::wstring text(4096, L'\0');
    text.resize((size_t)report.GetText(&text[0], (int)text.size()));
    EXPECT_EQ(expected, Normalised(text));
    // Captions bold in dark blue, the rows plain and black.
    const struct
    {
        long at;
        bool caption;
    } fonts[] = {{2, true}, {(long)expected.find(L"\ta\t") + 1, false}, {(long)expected.size() - 3, true}};
    for (const auto& f : fonts)
    {
        report.SetSelect(f.at, f.at + 1);
        CHARFORMAT2W cf = {};
        cf.cbSize = sizeof(cf);
        ::SendMessageW(report.GetHwnd(), EM_GETCHARFORMAT, SCF_SELECTION, (LPARAM)&cf);
        EXPECT_EQ(f.caption, (cf.dwEffects & CFE_BOLD) != 0) << f.at;
        EXPECT_EQ(f.caption ? 0x732D2Du : 0u, cf.crTextColor) << f.at;
        EXPECT_EQ(f.caption ? 180 : 200, cf.yHeight) << f.at;
    }
}

TEST(LessonProperty, OversizedReportsAreCutWithANote)
{
    KV::CLessonList list;
    KV::CLesson lesson(&list);
    std::wstring many;
    for (wchar_t c = 0x4E00; c < 0x4E00 + 600; ++c)
        many += c;
    KV::CLessonProperty report;
    report.SetCutNote(L"(cut)");
    const struct
    {
        std::wstring text;
        size_t symbolCaption, totalCaption; // long captions leave little room for rows
        size_t rows;
    } cases[] = {{many, 5, 5, 511}, {L"abcdefghij", 20000, 21800, 7}, {L"abc", 5, 5, 3}};
    for (const auto& c : cases)
    {
        lesson.SetTextW(c.text.c_str());
        const std::wstring symbol(c.symbolCaption, L'S'), total(c.totalCaption, L'T');
        report.SetCaptionTable(symbol.c_str(), L"n", L"%", total.c_str());
        size_t head = 0, tail = 0;
        const std::wstring text = report.BuildReport(&lesson, &head, &tail);
        EXPECT_LT(text.size(), (size_t)KV::CLessonProperty::kMaxReport);
        EXPECT_EQ(c.rows, (size_t)std::count(text.begin() + head, text.begin() + tail, L'\n')) << c.rows;
        const bool cut = c.rows != c.text.size();
        EXPECT_EQ(cut, text.size() >= 6 && text.compare(text.size() - 6, 6, L"\n(cut)") == 0) << c.rows;
    }
}

TEST(LessonView, DamagedAndVanishingLessonFilesLoseNothing)
{
    fwtest::MsgRecorder boxes;
    const std::string huge = Words(70000);
    LessonPages t(
        {{L"binary", std::string("ab\0cd", 5)}, {L"empty", ""}, {L"huge", huge}, {L"plain", "text"}});
    ASSERT_TRUE(t.Ready());
    const struct
    {
        long id;
        std::wstring shown;
    } cases[] = {{0, L"ab"}, {1, L""}, {2, std::wstring(huge.begin(), huge.begin() + 63999)}, {3, L"text"}};
    for (const auto& c : cases)
    {
        t.SelectUser(c.id);
        EXPECT_EQ(c.shown, t.EditorText()) << c.id;
    }
    // Deleted behind the program's back while shown: the edit is saved into a new file.
    ::DeleteFileW((t.userDir + L"\\plain.txt").c_str());
    t.Type(L"rescued");
    t.ViewCommand(KV::kCmdSaveLesson);
    EXPECT_EQ("rescued", t.UserFile(L"plain"));
    EXPECT_EQ(0u, boxes.Count());
}

TEST(LessonView, AReadOnlyLessonIsNotOverwrittenAndTheEditsStay)
{
    LessonPages t({{L"mine", "abc"}});
    ASSERT_TRUE(t.Ready());
    const std::wstring file = t.userDir + L"\\mine.txt";
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY);
    ::SetFileAttributesW(t.userDir.c_str(), FILE_ATTRIBUTE_READONLY);
    t.SelectUser(0);
    t.Type(L"edited");
    fwtest::MsgRecorder boxes;
    t.pages.sent.clear();
    t.ViewCommand(KV::kCmdSaveLesson);
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_EQ(0u, boxes.LastText().find(L"Could not write to file " + file)) << boxes.LastText();
    EXPECT_EQ("abc", t.UserFile(L"mine"));
    EXPECT_EQ(L"edited", t.EditorText());
    EXPECT_TRUE(t.Enabled(KV::kCmdSaveLesson));
    EXPECT_TRUE(t.pages.sent.empty()); // no "saved" to the main window
    ::SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_NORMAL);
    ::SetFileAttributesW(t.userDir.c_str(), FILE_ATTRIBUTE_DIRECTORY);
}

TEST(LessonTree, AUserFolderThatCannotBeWrittenGetsAMessage)
{
    LessonPages t({{L"mine", "abc"}});
    ASSERT_TRUE(t.Ready());
    t.SelectUser(0);
    // The user folder is gone and a file of its name stands in the way.
    KV::CLessonList& user = t.pages.user;
    user.SetPathUser(L"LocalLanguage\\Blocked");
    KV::ReviseFolder((t.root + L"\\LocalLanguage\\Blocked").c_str());
    fwtest::WriteFileBytes(t.root + L"\\LocalLanguage\\Blocked\\User", "not a folder");
    fwtest::MsgRecorder boxes;
    t.pages.sent.clear();
    t.TreeCommand(KV::kCmdNewLesson);
    EXPECT_EQ(1u, boxes.Count());
    EXPECT_TRUE(t.pages.sent.empty() || t.pages.Sent() == std::vector<WORD>{KV::kMsgTreeTabChanged});
    EXPECT_EQ(1u, user.GetCount());
    EXPECT_EQ(L"abc", t.EditorText());
}

TEST(LessonTree, CreateUserFolderMakesTheCurrentLayoutsFolder)
{
    LessonPages t({});
    ASSERT_TRUE(t.Ready());
    t.pages.user.SetPathUser(L"LocalLanguage\\00000407");
    const std::wstring folder = t.root + L"\\LocalLanguage\\00000407\\User";
    EXPECT_FALSE(KV::rxPathFileExists(folder.c_str()));
    EXPECT_EQ(1, t.pages.tree->CreateUserFolder());
    EXPECT_TRUE(::PathIsDirectoryW(folder.c_str()));
}
