#include "kvtesting/KeyboardLayerTable.h"
#include "bench.h"
#include "kvfwctrl/kvfwctrl.h"

#include <string>

namespace {

// A hidden top-level window for the controls under measure.
struct Host
{
    KV::CWnd wnd;
    Host()
    {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES | ICC_STANDARD_CLASSES};
        ::InitCommonControlsEx(&icc);
        ::LoadLibraryW(L"RichEd20.dll");
        KV::CWnd::RegisterClassW(::GetModuleHandleW(nullptr), L"FwBenchLessonHost");
        wnd.Create(0, L"FwBenchLessonHost", L"bench", WS_POPUP, 0, 0, 800, 600, nullptr, nullptr,
                   ::GetModuleHandleW(nullptr));
    }
};

double FillMs(KV::CLessonList& list)
{
    Host host;
    KV::CTreeLesson tree;
    tree.Create(nullptr, host.wnd.GetHwnd(), 0, RECT{0, 0, 300, 500}, KV::kIdTreeCourse);
    tree.SetpLessonList(&list);
    return fwbench::MedianMs(9, [&] { tree.FillLesson(KV::CTreeLesson::kSelectByID); });
}

// Every shipped lesson of the English layouts, folder names translated.
fwbench::Registrar courseTree("lesson tree fill, shipped course (En)", 30, [] {
    KV::CTableKeyboardLayer kb(L"00000409");
    KV::SetKeyboardLayer(&kb);
    const std::wstring exe = KV::GetPathToExeW();
    KV::CIniTable table;
    table.Load_UTF16((exe + L"Language\\English.ini").c_str());
    KV::CLessonList course;
    course.SetpLangTable(&table);
    course.SetBasePath((exe + L"Lessons").c_str());
    course.LoadCourse(L"LocalLanguage\\En");
    const double ms = FillMs(course);
    KV::SetKeyboardLayer(nullptr);
    return ms;
});

// A lesson of the user's own, kept in memory only.
KV::CLesson* AddUserLesson(KV::CLessonList& user, const std::wstring& name)
{
    auto* lesson = new KV::CLesson(&user);
    lesson->SetLessonName(name.c_str(), false);
    lesson->SetLessonNameSys(name.c_str());
    lesson->SetParentName(KV::CLessonList::kUser);
    user.Add(lesson);
    return lesson;
}

fwbench::Registrar userTree("lesson tree fill, 250 user lessons", 30, [] {
    KV::CIniTable table;
    KV::CLessonList user;
    user.SetpLangTable(&table);
    for (int i = 0; i < 250; ++i)
        AddUserLesson(user, L"My lesson " + std::to_wstring(i));
    return FillMs(user);
});

// Words of mixed length, as lesson texts are.
std::wstring LessonText(size_t units)
{
    static const wchar_t* words[] = {L"the",     L"quick",    L"brown", L"fox",   L"jumps",
                                     L"over",    L"lazy",     L"dogs,", L"while", L"seven",
                                     L"typists", L"practise", L"Every", L"day."};
    std::wstring text;
    for (size_t i = 0; text.size() < units; ++i)
        text += std::wstring(words[(i * 5) % 14]) + L" ";
    text.resize(units);
    return text;
}

fwbench::Registrar showLesson("lesson view shows a 64,000-character lesson and its report", 100, [] {
    Host host;
    KV::CViewLesson view;
    view.Create(nullptr, host.wnd.GetHwnd(), 0, RECT{0, 0, 500, 500}, 302);
    view.MoveWindow(0, 0, 500, 500);
    KV::CLessonList list;
    KV::CLesson lesson(&list);
    lesson.SetTextW(LessonText(64000).c_str());
    return fwbench::MedianMs(5, [&] { view.SetpLesson(&lesson); });
});

// A click in the user's tree to the editor and the report filled, switching between two
// 64,000-character lessons.
fwbench::Registrar selectLesson("lesson picked in the tree: editor and report of 64,000 chars",
                                100, [] {
    Host host;
    KV::CViewTreeLesson trees;
    KV::CViewLesson view;
    trees.Create(nullptr, host.wnd.GetHwnd(), 0, RECT{0, 0, 300, 500}, 301);
    view.Create(nullptr, host.wnd.GetHwnd(), 0, RECT{300, 0, 800, 500}, 302);
    trees.MoveWindow(0, 0, 300, 500);
    view.MoveWindow(300, 0, 500, 500);
    KV::CIniTable table;
    KV::CLessonList course, user;
    for (KV::CLessonList* list : {&course, &user})
        list->SetpLangTable(&table);
    for (int i = 0; i < 2; ++i)
        AddUserLesson(user, L"Long " + std::to_wstring(i))->SetTextW(LessonText(64000 - i).c_str());
    trees.SetpViewLesson(&view);
    trees.SetpLessonList(&course, &user);
    ::SendMessageW(trees.GetHwnd(), WM_COMMAND, MAKEWPARAM(KV::kIdTabUser, BN_CLICKED), 0);
    trees.FillAll(KV::CTreeLesson::kSelectByID);
    KV::CTreeLesson* tree = trees.GetTree(1);
    long id = 0;
    return fwbench::MedianMs(5, [&] {
        tree->SetCurID(id = 1 - id);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    });
});

// The editor alone, replacing one long text by another: the part of the figures above that the
// platform's rich-edit control spends.
double EditorMs(const std::wstring& text)
{
    Host host;
    KV::CLessonEditor editor;
    editor.Create(nullptr, host.wnd.GetHwnd(), 0, RECT{0, 0, 0, 0}, KV::kIdLessonEditor);
    editor.MoveWindow(0, 0, 500, 460);
    return fwbench::MedianMs(5, [&] { editor.SetText(text.c_str()); });
}

fwbench::Registrar editorText("lesson editor replaces a 64,000-character text", 100,
                              [] { return EditorMs(LessonText(64000)); });

// A drill without punctuation: the platform control lays such a line out far slower.
fwbench::Registrar editorDrill("lesson editor replaces a 64,000-character drill", 100, [] {
    std::wstring drill;
    while (drill.size() < 64000)
        drill += L"fff jjj ";
    return EditorMs(drill);
});

fwbench::Registrar buildReport("lesson report text, 64,000 characters", 20, [] {
    KV::CLessonList list;
    KV::CLesson lesson(&list);
    lesson.SetTextW(LessonText(64000).c_str());
    KV::CLessonProperty report;
    return fwbench::MedianMs(9, [&] { report.BuildReport(&lesson); });
});

} // namespace

