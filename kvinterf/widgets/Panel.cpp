#include "kvinterf/widgets/Panel.h"

namespace KV {

CPanel::CPanel() : m_hCtrlParent(nullptr) {}

CPanel::~CPanel()
{
    for (CButton* ctrl : m_listCtrl)
        delete ctrl;
    for (CButton* ctrl : m_listLoose)
        delete ctrl;
}

HWND CPanel::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    // The controls lie on the panel: it must not paint over them.
    HWND hwnd = CStatic::Create(instance, parent, style | WS_CLIPSIBLINGS, rect, id);
    if (!hwnd)
        return nullptr;
    const CRect place(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    SetParam(m_nID ? 0 : (unsigned short)id, place, 0x1013, nullptr, m_nCtrlID);
    m_hCtrlParent = parent;
    return hwnd;
}

CButton* CPanel::Add(unsigned short id, const wchar_t* pictureFile, DWORD buttonStyle, unsigned long kind,
                     int value)
{
    if (!m_hCtrlParent)
        return nullptr;
    if (m_listCtrl.empty() && m_listLoose.empty())
        m_ptCtrls = CPoint(m_rcDest.left, m_rcDest.top);
    CRect place;
    if (kind == 1)
        place = CRect(m_ptCtrls.x + GetLWidht(), m_ptCtrls.y, 1, 1);
    CButton* ctrl = CButton::Make(m_hCtrlParent, buttonStyle, place, kind | 0x2710, id, pictureFile);
    if (!ctrl)
        return nullptr;
    ctrl->SetEnableLangChange(value);
    if (kind)
        m_listCtrl.push_back(ctrl);
    else
        m_listLoose.push_back(ctrl);
    m_rcDest.right = GetLWidht();
    MoveSkin();
    return ctrl;
}

CButton* CPanel::GetCtrl(unsigned short id) const
{
    return CButton::Find(m_listCtrl, id);
}

void CPanel::EnableCtrl(unsigned short id, int enable)
{
    if (CButton* ctrl = GetCtrl(id))
        ctrl->ShowWindow(enable);
}

int CPanel::GetEnableCtrl(unsigned short id) const
{
    CButton* ctrl = GetCtrl(id);
    return (ctrl && ctrl->GetHwnd() && ::IsWindowEnabled(ctrl->GetHwnd())) ? 1 : 0;
}

void CPanel::SetCheck(unsigned short id, int check)
{
    if (CButton* ctrl = GetCtrl(id))
        ctrl->SetCheck(check);
}

unsigned short CPanel::GetLWidht() const
{
    return (unsigned short)CButton::RowWidth(m_listCtrl);
}

int CPanel::GetHeight() const
{
    if (m_listCtrl.empty())
        return m_dib.IsLoad() ? m_dib.GetSize().cy : 0;
    for (const CButton* ctrl : m_listCtrl)
        if (ctrl->DestRect().bottom != 0)
            return ctrl->DestRect().bottom;
    return 0;
}

int CPanel::ShowWindow(int command)
{
    for (CButton* ctrl : m_listCtrl)
        if (ctrl->GetHwnd())
            ::ShowWindow(ctrl->GetHwnd(), command);
    return m_hWnd ? ::ShowWindow(m_hWnd, command) : 0;
}

int CPanel::DrawItem(DRAWITEMSTRUCT* item)
{
    if (!item || !item->hDC || !m_dib.IsLoad())
        return 1;
    const CSize size = m_dib.GetSize();
    // A narrow strip picture is stretched across the whole width, whatever the window's size.
    const RECT pic = {item->rcItem.left, item->rcItem.top,
                      item->rcItem.right > item->rcItem.left + size.cx ? item->rcItem.right
                                                                        : item->rcItem.left + size.cx,
                      item->rcItem.top + size.cy};
    DrawBitmap(item->hDC, pic, 0);
    return 1;
}

void CPanel::MoveSkin(const RECT* rect)
{
    CStatic::MoveSkin(rect);
    const int dx = m_rcDest.left - m_ptCtrls.x, dy = m_rcDest.top - m_ptCtrls.y;
    m_ptCtrls = CPoint(m_rcDest.left, m_rcDest.top);
    if (dx == 0 && dy == 0)
        return;
    for (std::vector<CButton*>* list : {&m_listCtrl, &m_listLoose})
        for (CButton* ctrl : *list)
        {
            CRect& dest = ctrl->DestRect();
            dest.left += dx;
            dest.top += dy;
            ctrl->MoveSkin();
        }
}

void CPanel::Draw(HDC dc)
{
    CStatic::Draw(dc);
}

// ---------------------------------------------------------------------------------------------

CPanelList::CPanelList() : m_bLangChange(0) {}

CPanelList::~CPanelList() {}

void CPanelList::AddPanel(CPanel* panel)
{
    if (panel)
        m_listPanel.push_back(panel);
}

CPanel* CPanelList::Get(int index) const
{
    return (index >= 0 && index < Size()) ? m_listPanel[index] : nullptr;
}

void CPanelList::ShowPanel(int index)
{
    for (int i = 0; i < Size(); ++i)
        if (i != index)
            m_listPanel[i]->ShowWindow(SW_HIDE);
    if (CPanel* panel = Get(index))
        panel->ShowWindow(SW_SHOW);
}

CButton* CPanelList::GetCtrl(unsigned short id) const
{
    for (CPanel* panel : m_listPanel)
        if (CButton* ctrl = panel->GetCtrl(id))
            return ctrl;
    return nullptr;
}

int CPanelList::GetHeight() const
{
    return m_listPanel.empty() ? 0 : m_listPanel[0]->GetHeight();
}

void CPanelList::SetDest(const RECT& rect)
{
    for (CPanel* panel : m_listPanel)
    {
        const RECT dest = {panel->PlaceRect().left, rect.top, rect.right, rect.top + panel->GetHeight()};
        panel->MoveSkin(&dest);
    }
}

void CPanelList::Clear()
{
    for (CPanel* panel : m_listPanel)
        delete panel;
    m_listPanel.clear();
}

} // namespace KV
