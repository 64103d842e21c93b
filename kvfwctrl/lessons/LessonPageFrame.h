#pragma once
// The frame both lesson views share: a strip of two tabs at the top, below it the panel of the
// active tab with its buttons, and the rest of the view for the tab's pane. The pictures come
// from the skin folder: the strip's background, one five-picture bitmap per tab and button
// (named by its number), and the panels' background.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvinterf/widgets/Panel.h"
#include "kvinterf/widgets/TabCtrl.h"
#include "kvstruct/core/CString.h"
#include <map>

namespace KV {

class KVFWCTRL_API CLessonPageFrame
{
public:
    struct PanelSpec
    {
        unsigned short id;
        unsigned short buttons[3]; // 0 ends the list
    };

    CLessonPageFrame();
    ~CLessonPageFrame();
    CLessonPageFrame(const CLessonPageFrame&) = delete;
    CLessonPageFrame& operator=(const CLessonPageFrame&) = delete;

    // (Re)builds the strip and the panels as children of view from the pictures in folder;
    // pictures that fail to load leave their tab or button out.
    void Build(HWND view, const wchar_t* folder, unsigned short stripId, const unsigned short tabIds[2],
               const PanelSpec panels[2]);
    int IsBuilt() const { return m_pTabs != nullptr; }
    void Clear();

    void SetCaption(int tab, const wchar_t* text);
    // Checks the tab and shows its panel only.
    void ShowTab(int tab);
    // Places strip and panels in a view of that size; returns the area left for the tab's pane.
    RECT Layout(int width, int height, int tab);

    CTabCtrl* GetTabs() const { return m_pTabs; }
    CButton* GetButton(unsigned short id) const { return m_panels.GetCtrl(id); }
    // Enabled states survive a rebuild.
    void EnableButton(unsigned short id, int enable);
    int IsButtonEnabled(unsigned short id) const;

    // Paints an owner-drawn tab or button of the view; 0 when the window is none of them.
    static int DrawItem(DRAWITEMSTRUCT* item);
    // The folder part of a picture file's path (without the last backslash).
    static CString FolderOf(const wchar_t* file);

private:
    CTabCtrl* m_pTabs;
    CPanelList m_panels;
    CString m_sCaption[2];
    std::map<unsigned short, int> m_enabled;
};

} // namespace KV
