#pragma once
// The two lesson views inside a skinned window that stands in for the main window: it creates
// them as its elements 301 and 302, records the commands they send and, like the program,
// reloads the user's library when a lesson was created or deleted.
#include "kvinterf/widgets/control_test_util.h"
#include "kvtesting/KeyboardLayerTable.h"
#include "kvfwctrl/kvfwctrl.h"

#include <string>
#include <utility>
#include <vector>

namespace lessontest {

// Five pictures of one button (focus mark, normal, pressed, mouse over, hidden).
inline std::string FivePictures(int w, int h, uint32_t base)
{
    const uint32_t shades[5] = {0xFF00FF, base, base - 0x202020, base + 0x101010, 0xB4B4B4};
    return skintest::Bmp24(5 * w, h, [=](int x, int y) -> uint32_t {
        const int local = x % w;
        const bool frame = local == 0 || local == w - 1 || y == 0 || y == h - 1;
        return frame ? 0x506070 : shades[x / w];
    });
}

// Lesson-like text of words of mixed length, cut to size bytes. (The platform's rich edit under
// Wine takes minutes over a long run of one short word repeated.)
inline std::string Words(size_t size)
{
    static const char* words[] = {"the",   "quick", "brown", "fox",     "jumps",    "over",  "lazy",
                                  "dogs,", "while", "seven", "typists", "practise", "Every", "day."};
    std::string text;
    for (size_t i = 0; text.size() < size; ++i)
        text += std::string(words[(i * 7) % 14]) + " ";
    text.resize(size);
    return text;
}

struct TableKeyboard
{
    explicit TableKeyboard(const wchar_t* klid) : kb(klid) { KV::SetKeyboardLayer(&kb); }
    ~TableKeyboard() { KV::SetKeyboardLayer(nullptr); }
    KV::CTableKeyboardLayer kb;
};

class Pages : public KV::CSkinWnd
{
public:
    KV::CLessonList course, user;
    KV::CIniTable table;
    std::wstring local = L"LocalLanguage\\En";
    std::vector<std::pair<WORD, LPARAM>> sent;
    KV::CViewTreeLesson* tree = nullptr;
    KV::CViewLesson* view = nullptr;

    KV::CSkin* NewSkin(unsigned short id, unsigned long type) override
    {
        if (id == 301)
            return tree = new KV::CViewTreeLesson;
        if (id == 302)
            return view = new KV::CViewLesson;
        return KV::CSkinWnd::NewSkin(id, type);
    }
    LRESULT MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg == WM_COMMAND && LOWORD(wParam) >= 3000 && LOWORD(wParam) < 3100)
        {
            sent.push_back({LOWORD(wParam), lParam});
            if (LOWORD(wParam) == KV::kMsgLessonCreated || LOWORD(wParam) == KV::kMsgLessonDeleted)
                ReloadUser();
            return 0;
        }
        return KV::CSkinWnd::MessageLoop(hwnd, msg, wParam, lParam);
    }
    void ReloadUser()
    {
        tree->ClearTrees();
        user.Clear();
        user.LoadRecursive(local.c_str(), KV::CLessonList::kUser);
        tree->FillAll(KV::CTreeLesson::kSelectByName);
    }
    std::vector<WORD> Sent() const
    {
        std::vector<WORD> ids;
        for (const auto& s : sent)
            ids.push_back(s.first);
        return ids;
    }
};

// A lesson root with a small course and the user's lessons, both views in a 700 x 450 window.
struct LessonPages
{
    skintest::SkinFolder skin{L"Lessons"};
    Pages pages;
    std::wstring root, userDir;

    // userLessons: file name (without ".txt") and its bytes.
    explicit LessonPages(const std::vector<std::pair<std::wstring, std::string>>& userLessons,
                         const std::wstring& courseRoot = L"", const wchar_t* language = L"English",
                         const wchar_t* localFolder = L"LocalLanguage\\En", unsigned int codePage = 1252)
    {
        pages.local = localFolder;
        skintest::LoadControlLibraries();
        WritePictures();
        root = fwtest::MakeTempDir(L"lessons");
        userDir = root + L"\\" + pages.local + L"\\User";
        KV::ReviseFolder(userDir.c_str());
        for (const auto& lesson : userLessons)
            fwtest::WriteFileBytes(userDir + L"\\" + lesson.first + L".txt", lesson.second);
        if (courseRoot.empty())
        {
            const std::wstring words = root + L"\\" + pages.local + L"\\Words";
            KV::ReviseFolder(words.c_str());
            fwtest::WriteFileBytes(words + L"\\01.txt", "the quick fox");
            fwtest::WriteFileBytes(words + L"\\02.txt", "lazy dog");
        }
        pages.table.Load_UTF16((fwtest::BinDir() + L"\\Language\\" + language + L".ini").c_str());
        for (KV::CLessonList* list : {&pages.course, &pages.user})
        {
            list->SetpLangTable(&pages.table);
            list->SetPathUser(pages.local.c_str());
            list->SetCP(codePage);
        }
        pages.course.SetBasePath(courseRoot.empty() ? root.c_str() : courseRoot.c_str());
        pages.user.SetBasePath(root.c_str());
        pages.course.LoadCourse(pages.local.c_str());
        pages.user.LoadRecursive(pages.local.c_str(), KV::CLessonList::kUser);

        pages.SetPath(skin.root.c_str());
        pages.SetName(skin.name.c_str());
        // Stretched as in a main window's skin: the elements' shapes are their rectangles.
        pages.AddSkin(301, RECT{0, 0, 300, 0}, 0x02000031, nullptr, 301);
        pages.AddSkin(302, RECT{300, 0, 0, 0}, 0x02000033, nullptr, 302);
        if (!skintest::CreateTestWindow(pages, 0, 0, 700, 450) || !pages.tree || !pages.view)
            return;
        pages.tree->SetpViewLesson(pages.view);
        pages.tree->SetpLangTable(&pages.table);
        pages.view->SetpLangTable(&pages.table);
        pages.tree->SetpLessonList(&pages.course, &pages.user);
        pages.tree->FillAll(KV::CTreeLesson::kSelectByID);
    }
    bool Ready() const { return pages.tree && pages.view && pages.tree->GetTree(1); }

    void WritePictures()
    {
        skin.WritePicture(301, skintest::SolidBmp(8, 8, 0xE8ECF2));
        skin.WritePicture(302, skintest::SolidBmp(8, 8, 0xE8ECF2));
        skin.WritePicture(2411, skintest::SolidBmp(1200, 40, 0xC8D4E4));
        skin.WritePicture(700, skintest::SolidBmp(1200, 30, 0xDCE4EE));
        for (unsigned id : {2023u, 2024u, 2033u, 2034u})
            skin.WritePicture(id, FivePictures(134, 40, 0xA0B8D8));
        for (unsigned id : {750u, 751u, 752u, 800u, 801u})
            skin.WritePicture(id, FivePictures(30, 30, 0x90C090 + (id % 7) * 0x000808));
    }

    KV::CTreeLesson* Tree(int tab) const { return pages.tree->GetTree(tab); }
    HWND Editor() const { return pages.view->GetEditor().GetHwnd(); }
    void Command(HWND target, WORD id) const
    {
        ::SendMessageW(target, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), 0);
        skintest::Pump();
    }
    void TreeCommand(WORD id) const { Command(pages.tree->GetHwnd(), id); }
    void ViewCommand(WORD id) const { Command(pages.view->GetHwnd(), id); }
    // Shows the user's tab with the lesson of that ID selected.
    void SelectUser(long id)
    {
        if (pages.tree->GetActiveTab() != 1)
            TreeCommand(KV::kIdTabUser);
        Tree(1)->SetCurID(id);
        skintest::Pump();
    }
    // Types text over the editor's whole text, as a user would.
    void Type(const wchar_t* text) const
    {
        ::SendMessageW(Editor(), EM_SETSEL, 0, -1);
        ::SendMessageW(Editor(), EM_REPLACESEL, TRUE, (LPARAM)text);
        skintest::Pump();
    }
    std::wstring EditorText() const
    {
        std::wstring text(70000, L'\0');
        text.resize((size_t)pages.view->GetEditor().GetText(&text[0], (int)text.size()));
        return text;
    }
    std::string UserFile(const std::wstring& name) const
    {
        return fwtest::ReadFileBytes(userDir + L"\\" + name + L".txt");
    }
    bool UserFileExists(const std::wstring& name) const
    {
        return KV::rxPathFileExists((userDir + L"\\" + name + L".txt").c_str()) != 0;
    }
    std::wstring ItemText(int tab, long id) const
    {
        wchar_t text[KV::CTree::kTextSize];
        return Tree(tab)->GetItemText(Tree(tab)->GetItem((LPARAM)id), text);
    }
    int Image(int tab, long id) const
    {
        TVITEMW tv = {};
        tv.mask = TVIF_HANDLE | TVIF_IMAGE;
        tv.hItem = Tree(tab)->GetItem((LPARAM)id);
        ::SendMessageW(Tree(tab)->GetHwnd(), TVM_GETITEMW, 0, (LPARAM)&tv);
        return tv.iImage;
    }
    bool Enabled(unsigned short button) const
    {
        KV::CButton* b =
            pages.tree->GetButton(button) ? pages.tree->GetButton(button) : pages.view->GetButton(button);
        return b && ::IsWindowEnabled(b->GetHwnd());
    }
};

} // namespace lessontest
