// The lesson pages with the shipped course of each layout. With FW_LESSON_SHOT set to a folder,
// the window is shown and the screen under it saved there as lessons-<klid>.bmp.
#include "lesson_pages_util.h"

#include <gtest/gtest.h>
#include <cstdlib>

using namespace lessontest;

namespace {

bool SaveScreen(HWND hwnd, const std::wstring& file)
{
    RECT rc;
    ::GetWindowRect(hwnd, &rc);
    const int w = rc.right - rc.left, h = rc.bottom - rc.top;
    skintest::DibCanvas canvas(w, h);
    HDC screen = ::GetDC(nullptr);
    ::BitBlt(canvas.Dc(), 0, 0, w, h, screen, rc.left, rc.top, SRCCOPY);
    ::ReleaseDC(nullptr, screen);
    return fwtest::WriteFileBytes(file, skintest::Bmp24(w, h, [&](int x, int y) { return canvas.At(x, y); }));
}

} // namespace

TEST(LessonPagesLook, ShippedCourseOfEachLayout)
{
    const struct
    {
        const wchar_t* klid;
        const wchar_t* local;
        const wchar_t* language;
        unsigned int codePage;
        BYTE charset;
        int tab;  // of the lesson view shown in the picture
        bool own; // the user's lessons shown instead of the course
    } layouts[] = {
        {L"00000409", L"LocalLanguage\\En", L"English", 1252, ANSI_CHARSET, 0, false},
        {L"00000407", L"LocalLanguage\\00000407", L"German", 1252, ANSI_CHARSET, 1, false},
        {L"00000419", L"LocalLanguage\\00000419", L"Russian", 1251, RUSSIAN_CHARSET, 0, true},
    };
    const char* shot = std::getenv("FW_LESSON_SHOT");
    for (const auto& l : layouts)
    {
        TableKeyboard kb(l.klid);
        LessonPages t({{L"My first lesson", "asdf jkl;"}, {L"Numbers", "1 2 3 4 5"}},
                      fwtest::BinDir() + L"\\Lessons", l.language, l.local, l.codePage);
        ASSERT_TRUE(t.Ready()) << l.klid;
        LOGFONTW font = {};
        font.lfCharSet = l.charset;
        wcscpy(font.lfFaceName, L"Arial");
        t.pages.tree->SetFont(&font);
        t.pages.view->SetFont(&font);
        // Folders in the language of the layout, the first lesson's name from its scan codes.
        EXPECT_EQ(std::wstring(t.pages.table.GetW(L"Letter")), t.ItemText(0, 0)) << l.klid;
        EXPECT_EQ(std::wstring(t.pages.course.Get(1)->GetName()), t.ItemText(0, 1)) << l.klid;
        EXPECT_GT(t.pages.course.GetCount(), 60u) << l.klid;
        // Every item carries the icon of its kind: the library's own icons are in the list.
        HIMAGELIST images =
            (HIMAGELIST)::SendMessageW(t.Tree(0)->GetHwnd(), TVM_GETIMAGELIST, TVSIL_NORMAL, 0);
        EXPECT_EQ(4, ::ImageList_GetImageCount(images));
        // The third lesson of the first folder becomes the active one, the one after it is shown.
        t.Tree(0)->SetCurID(3);
        t.TreeCommand(KV::kCmdActivateLesson);
        t.Tree(0)->SetCurID(4);
        skintest::Pump();
        EXPECT_EQ(std::wstring(t.pages.course.GetTextW(4)), t.EditorText()) << l.klid;
        if (l.tab)
            t.ViewCommand(KV::kIdTabProperty);
        if (l.own)
            t.SelectUser(0);
        if (shot && *shot)
        {
            ::ShowWindow(t.pages.GetHwnd(), SW_SHOWNORMAL);
            t.pages.tree->SetFocus();
            ::UpdateWindow(t.pages.GetHwnd());
            skintest::Pump(600);
            const std::string folder(shot);
            EXPECT_TRUE(SaveScreen(t.pages.GetHwnd(), std::wstring(folder.begin(), folder.end()) +
                                                          L"\\lessons-" + l.klid + L".bmp"));
            ::ShowWindow(t.pages.GetHwnd(), SW_HIDE);
        }
    }
}
