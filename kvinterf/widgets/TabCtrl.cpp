#include "kvinterf/widgets/TabCtrl.h"

namespace KV {

CTabCtrl::CTabCtrl() : m_hTabParent(nullptr) {}

CTabCtrl::~CTabCtrl()
{
    for (CButton* tab : m_listTab)
        delete tab;
}

HWND CTabCtrl::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    // The tabs lie on the strip: it must not paint over them.
    HWND hwnd = CStatic::Create(instance, parent, style | WS_CLIPSIBLINGS, rect, id);
    if (hwnd)
    {
        m_hTabParent = parent;
        if (!m_nID)
            m_nID = (unsigned short)id;
        m_rcDest = CRect(rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
        m_rcPlace = m_rcDest;
    }
    return hwnd;
}

int CTabCtrl::SetBackImg(const wchar_t* file)
{
    // The strip keeps its own placement: only the picture is taken.
    CDib dib;
    if (!file || !dib.Load(file))
        return 0;
    m_dib = dib;
    m_nPictures = 1;
    m_bLoaded = 1;
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
    return 1;
}

int CTabCtrl::DrawItem(DRAWITEMSTRUCT* item)
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

void CTabCtrl::Draw(HDC dc)
{
    CStatic::Draw(dc);
}

CButton* CTabCtrl::Add(unsigned short id, const wchar_t* caption, const wchar_t* pictureFile, DWORD style)
{
    if (!m_hTabParent)
        return nullptr;
    // Tabs lie on the strip, side by side from its left edge.
    const int x = m_rcDest.left + GetWidht(), y = m_rcDest.top;
    CButton* tab = CButton::Make(m_hTabParent, style, CRect(x, y, 134, 40), 0x711, id, pictureFile);
    if (!tab)
        return nullptr;
    tab->SetAlignY(7);
    tab->SetWindowTextW(caption ? caption : L"");
    tab->SetNotify(this);
    m_listTab.push_back(tab);
    m_rcDest.right = GetWidht();
    MoveSkin();
    return tab;
}

CButton* CTabCtrl::GetCtrl(unsigned short id) const
{
    return CButton::Find(m_listTab, id);
}

void CTabCtrl::SetCheck(unsigned short id)
{
    for (CButton* tab : m_listTab)
        if (tab->GetCheck() && tab->GetCtrlID() != id)
            tab->SetCheck(0);
    if (CButton* tab = GetCtrl(id))
        tab->SetCheck(1);
}

void CTabCtrl::SetCheckByNum(int n)
{
    for (int i = 0; i < Size(); ++i)
        if (m_listTab[i]->GetCheck() && i != n)
            m_listTab[i]->SetCheck(0);
    if (CButton* tab = GetTab(n))
        tab->SetCheck(1);
}

int CTabCtrl::GetCheckNum() const
{
    for (int i = 0; i < Size(); ++i)
        if (m_listTab[i]->GetCheck())
            return i;
    return 0;
}

int CTabCtrl::GetWidht() const
{
    return CButton::RowWidth(m_listTab);
}

int CTabCtrl::GetHeight() const
{
    if (m_listTab.empty())
        return m_dib.IsLoad() ? m_dib.GetSize().cy : 0;
    int height = 0;
    for (const CButton* tab : m_listTab)
        if (tab->DestRect().bottom > height)
            height = tab->DestRect().bottom;
    return height;
}

LRESULT CTabCtrl::OnCommand(WORD code, WORD id, HWND control)
{
    CStatic::OnCommand(code, id, control);
    if (GetCtrl(id))
        SetCheck(id);
    return 0;
}

} // namespace KV
