#include "kvinterf/widgets/SelectBox.h"

namespace KV {

CSelectBox::CSelectBox() {}

CSelectBox::~CSelectBox() {}

HWND CSelectBox::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT&, UINT id)
{
    HWND hwnd = CreateControl(0, L"COMBOBOX", style | 0x50210003, 0, 0, 0, 0, parent, id, instance);
    if (!hwnd)
        return nullptr;
    UseDefaultFont(kDefaultHeight, 1);
    return hwnd;
}

int CSelectBox::AddString(const wchar_t* text)
{
    return m_hWnd ? (int)::SendMessageW(m_hWnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text ? text : L""))
                  : CB_ERR;
}

void CSelectBox::ResetContent()
{
    if (m_hWnd)
        ::SendMessageW(m_hWnd, CB_RESETCONTENT, 0, 0);
}

int CSelectBox::GetCurSel() const
{
    return m_hWnd ? (int)::SendMessageW(m_hWnd, CB_GETCURSEL, 0, 0) : CB_ERR;
}

int CSelectBox::SetCurSel(int index)
{
    return m_hWnd ? (int)::SendMessageW(m_hWnd, CB_SETCURSEL, (WPARAM)index, 0) : CB_ERR;
}

int CSelectBox::SelectString(const wchar_t* text)
{
    if (!m_hWnd || !text)
        return CB_ERR;
    return (int)::SendMessageW(m_hWnd, CB_SELECTSTRING, (WPARAM)-1, reinterpret_cast<LPARAM>(text));
}

int CSelectBox::SetFont(int height, int weight)
{
    return ReplaceFont(MakeArial(height, weight), 1);
}

LRESULT CSelectBox::OnNotify(int id, NMHDR* header)
{
    return ForwardNotify(id, header);
}

} // namespace KV
