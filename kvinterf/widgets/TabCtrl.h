#pragma once
// A strip of skin buttons used as tabs: exactly one of them is checked at a time.
#include "kvinterf/widgets/Button.h"
#include "kvinterf/widgets/Static.h"
#include <vector>

namespace KV {

class KVINTERF_API CTabCtrl : public CStatic
{
public:
    CTabCtrl();
    ~CTabCtrl() override;

    using CStatic::Create;
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    // The strip's background (one picture); 0 when it cannot be loaded.
    int SetBackImg(const wchar_t* file);
    void Draw(HDC dc) override;
    int DrawItem(DRAWITEMSTRUCT* item) override;

    // A tab button of five pictures, or nullptr (no window yet, or the pictures did not load).
    CButton* Add(unsigned short id, const wchar_t* caption, const wchar_t* pictureFile, DWORD style);
    CButton* AddTab(unsigned short id, const wchar_t* pictureFile, const wchar_t* caption)
    {
        return Add(id, caption, pictureFile, 2);
    }
    CButton* GetCtrl(unsigned short id) const;
    int Size() const { return (int)m_listTab.size(); }
    CButton* GetTab(int n) const { return (n >= 0 && n < Size()) ? m_listTab[n] : nullptr; }
    void SetCheck(unsigned short id);
    void SetCheckByNum(int n);
    int GetCheckNum() const;
    int GetWidht() const;
    int GetHeight() const;

    LRESULT OnCommand(WORD code, WORD id, HWND control) override;
    CSkin* GetChildSkin(unsigned short id) override { return GetCtrl(id); }

protected:
    std::vector<CButton*> m_listTab;
    HWND m_hTabParent;
};

} // namespace KV
