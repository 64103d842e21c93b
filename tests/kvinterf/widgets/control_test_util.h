#pragma once
// A skinned window holding the platform-control elements under test, each with a plain picture.
#include "../skin_test_util.h"
#include <richedit.h>

namespace skintest {

inline void LoadControlLibraries()
{
    static bool done = false;
    if (done)
        return;
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_TREEVIEW_CLASSES | ICC_BAR_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&icc);
    // The program loads the rich-edit library at start; a test does it itself.
    ::LoadLibraryW(L"RichEd20.dll");
    done = true;
}

// Records the messages that the elements send on to their parent.
class RecordingParent : public KV::CSkinWnd
{
public:
    std::vector<UINT> forwarded;
    std::vector<WORD> commands;
    LRESULT forwardResult = 0;
    LRESULT MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override
    {
        if (msg >= 0x10000)
        {
            forwarded.push_back(msg);
            return forwardResult;
        }
        if (msg == WM_COMMAND)
            commands.push_back(HIWORD(wParam));
        return KV::CSkinWnd::MessageLoop(hwnd, msg, wParam, lParam);
    }
    size_t Count(UINT code) const
    {
        size_t n = 0;
        for (UINT m : forwarded)
            n += m == code ? 1 : 0;
        return n;
    }
};

// One element of the given type at (x, y, w, h), picture 40 (white).
template <typename T>
T* AddControl(KV::CSkinWnd& wnd, unsigned long type, int x, int y, int w, int h, unsigned short id = 40)
{
    RECT place = {x, y, w, h};
    return dynamic_cast<T*>(wnd.AddSkin(40, place, type | 0x11, nullptr, id));
}

struct ControlWindow
{
    SkinFolder folder;
    RecordingParent wnd;
    explicit ControlWindow()
    {
        LoadControlLibraries();
        folder.WritePicture(40, SolidBmp(8, 8, 0xFFFFFF));
        wnd.SetPath(folder.root.c_str());
        wnd.SetName(folder.name.c_str());
    }
    bool Create(int w = 400, int h = 300) { return CreateTestWindow(wnd, 0, 0, w, h) != nullptr; }
};

} // namespace skintest
