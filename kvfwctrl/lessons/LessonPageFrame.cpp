#include "kvfwctrl/lessons/LessonPageFrame.h"
#include "kvfwctrl/lessons/LessonViewIds.h"
#include "kvinterf/window/Wnd.h"
#include "kvstruct/files/Paths.h"
#include <shlwapi.h>
#include <string>

namespace KV {

CLessonPageFrame::CLessonPageFrame() : m_pTabs(nullptr) {}

CLessonPageFrame::~CLessonPageFrame()
{
    Clear();
}

void CLessonPageFrame::Clear()
{
    m_panels.Clear();
    delete m_pTabs;
    m_pTabs = nullptr;
}

void CLessonPageFrame::Build(HWND view, const wchar_t* folder, unsigned short stripId,
                             const unsigned short tabIds[2], const PanelSpec panels[2])
{
    Clear();
    if (!view)
        return;
    auto picture = [folder](unsigned short number) {
        wchar_t path[MAX_PATH] = {0};
        GetFullPath(path, folder, (unsigned long)number, L".bmp");
        return std::wstring(path);
    };
    m_pTabs = new CTabCtrl;
    if (!m_pTabs->Create(nullptr, view, 0, RECT{0, 0, 1, 1}, stripId))
    {
        Clear();
        return;
    }
    m_pTabs->SetBackImg(picture(kPicLessonTabStrip).c_str());
    for (int tab = 0; tab < 2; ++tab)
        m_pTabs->AddTab(tabIds[tab], picture(tabIds[tab]).c_str(), m_sCaption[tab]);
    for (int n = 0; n < 2; ++n)
    {
        auto* panel = new CPanel;
        m_panels.AddPanel(panel);
        if (!panel->Create(nullptr, view, 0, RECT{0, 0, 1, 1}, panels[n].id))
            continue;
        panel->LoadBitmapW(picture(kPicLessonPanel).c_str(), 1, 0);
        for (unsigned short id : panels[n].buttons)
            if (id)
                panel->AddButton(id, picture(id).c_str(), 0, 1);
    }
    for (const auto& state : m_enabled)
        if (CButton* button = GetButton(state.first))
            button->ShowWindow(state.second);
}

void CLessonPageFrame::SetCaption(int tab, const wchar_t* text)
{
    if (tab < 0 || tab > 1)
        return;
    m_sCaption[tab] = text ? text : L"";
    if (CButton* button = m_pTabs ? m_pTabs->GetTab(tab) : nullptr)
    {
        button->SetWindowTextW(m_sCaption[tab]);
        button->Invalidate();
    }
}

void CLessonPageFrame::ShowTab(int tab)
{
    if (m_pTabs)
        m_pTabs->SetCheckByNum(tab);
    m_panels.ShowPanel(tab);
}

RECT CLessonPageFrame::Layout(int width, int height, int tab)
{
    int top = 0;
    if (m_pTabs)
    {
        top = m_pTabs->GetHeight();
        // The strip's background reaches across the view, behind and beside its tabs.
        const RECT strip = {0, 0, width, top};
        m_pTabs->MoveSkin(&strip);
        const RECT panels = {0, top, width, top};
        m_panels.SetDest(panels);
        if (CPanel* panel = m_panels.Get(tab))
            top += panel->GetHeight();
    }
    if (top > height)
        top = height;
    return RECT{0, top, width, height};
}

void CLessonPageFrame::EnableButton(unsigned short id, int enable)
{
    m_enabled[id] = enable ? 1 : 0;
    if (CButton* button = GetButton(id))
        button->ShowWindow(enable ? 1 : 0);
}

int CLessonPageFrame::IsButtonEnabled(unsigned short id) const
{
    auto it = m_enabled.find(id);
    return it == m_enabled.end() ? 1 : it->second;
}

int CLessonPageFrame::DrawItem(DRAWITEMSTRUCT* item)
{
    CSkin* element = item ? dynamic_cast<CSkin*>(CWnd::GetpWnd(item->hwndItem)) : nullptr;
    return element ? element->DrawItem(item) : 0;
}

CString CLessonPageFrame::FolderOf(const wchar_t* file)
{
    wchar_t folder[MAX_PATH] = {0};
    if (file && wcslen(file) < MAX_PATH)
    {
        wcscpy(folder, file);
        ::PathRemoveFileSpecW(folder);
    }
    return CString(folder);
}

} // namespace KV
