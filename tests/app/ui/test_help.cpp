#include "app/ui/Help.h"
#include "common/fwtest.h"

#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

std::vector<std::wstring> g_addresses;
HelpShowResult g_answer = HelpShowResult::Shown;

HelpShowResult RecordViewer(HWND, const wchar_t* address)
{
    g_addresses.push_back(address);
    return g_answer;
}

// Records the viewer's calls while alive.
struct RecordedHelp
{
    explicit RecordedHelp(HelpShowResult answer)
    {
        g_addresses.clear();
        g_answer = answer;
        previous = SetHelpViewer(RecordViewer);
    }
    ~RecordedHelp() { SetHelpViewer(previous); }
    HelpViewer previous;
};

std::wstring FolderWithHelpFile()
{
    std::wstring dir = fwtest::MakeTempDir(L"help") + L"\\";
    fwtest::WriteFileBytes(dir + kHelpFileName, "ITSF");
    return dir;
}

std::vector<const wchar_t*> EveryTopic()
{
    std::vector<const wchar_t*> topics = {kHelpTypingPage, kHelpStatisticsPage, kHelpLessonPage, kHelpWizard};
    topics.insert(topics.end(), std::begin(kHelpOptionsPages), std::end(kHelpOptionsPages));
    return topics;
}

} // namespace

// Every topic reaches the help control as "<folder>Fingerwaltz.chm::/<topic>", without a box.
TEST(Help, EveryTopicOpensItsPageOfTheFileBesideTheProgram)
{
    std::wstring dir = FolderWithHelpFile();
    RecordedHelp recorded(HelpShowResult::Shown);
    fwtest::MsgRecorder boxes;
    for (const wchar_t* topic : EveryTopic())
    {
        EXPECT_TRUE(ShowHelpTopic(nullptr, topic, dir));
        ASSERT_FALSE(g_addresses.empty());
        EXPECT_EQ(g_addresses.back(), dir + L"Fingerwaltz.chm::/" + topic);
    }
    EXPECT_EQ(g_addresses.size(), EveryTopic().size());
    EXPECT_EQ(boxes.Count(), 0u);
}

// Each failure is told to the user in one box that names what is wrong.
TEST(Help, MissingFileOrControlIsToldToTheUser)
{
    struct Case
    {
        bool fileThere;
        HelpShowResult answer;
        size_t viewerCalls;
        const wchar_t* boxMentions;
    };
    const Case cases[] = {
        {false, HelpShowResult::Shown, 0, L"Fingerwaltz.chm"},
        {true, HelpShowResult::ControlMissing, 1, L"hhctrl.ocx"},
        {true, HelpShowResult::Failed, 1, L"manual-current-lesson.html"},
    };
    for (const Case& c : cases)
    {
        std::wstring dir = c.fileThere ? FolderWithHelpFile() : fwtest::MakeTempDir(L"nohelp") + L"\\";
        RecordedHelp recorded(c.answer);
        fwtest::MsgRecorder boxes;
        EXPECT_FALSE(ShowHelpTopic(nullptr, kHelpTypingPage, dir));
        EXPECT_EQ(g_addresses.size(), c.viewerCalls);
        ASSERT_EQ(boxes.Count(), 1u) << c.boxMentions;
        EXPECT_NE(boxes.LastText().find(c.boxMentions), std::wstring::npos) << boxes.LastText();
        EXPECT_EQ(boxes.Boxes().back().caption, L"Fingerwaltz");
    }
}

// The real HTML Help control opens the compiled help file beside the program, and closes it.
TEST(Help, HtmlHelpControlOpensAndClosesTheCompiledFile)
{
    std::wstring dir = fwtest::BinDir() + L"\\";
    if (::GetFileAttributesW((dir + kHelpFileName).c_str()) == INVALID_FILE_ATTRIBUTES)
        GTEST_SKIP() << "no compiled help file (chmcmd missing)";
    fwtest::MsgRecorder boxes;
    ASSERT_TRUE(ShowHelpTopic(nullptr, kHelpStatisticsPage, dir)) << boxes.LastText();
    HWND window = ::FindWindowW(L"HH Parent", nullptr);
    ASSERT_NE(window, nullptr);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(window, &pid);
    EXPECT_EQ(pid, ::GetCurrentProcessId());
    CloseHelpWindows();
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
        ::DispatchMessageW(&msg);
    EXPECT_FALSE(::IsWindow(window));
}
