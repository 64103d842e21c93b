#pragma once
// A strip of skin buttons and check boxes under a view's tabs, and the list of a view's panels
// of which only the active tab's one is shown.
#include "kvinterf/widgets/Button.h"
#include "kvinterf/widgets/Static.h"
#include <vector>

namespace KV {

class KVINTERF_API CPanel : public CStatic
{
public:
    CPanel();
    ~CPanel() override;

    using CStatic::Create;
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    // kind 1 places the controls side by side from the panel's left edge; other kinds at 0, 0.
    CButton* Add(unsigned short id, const wchar_t* pictureFile, DWORD buttonStyle, unsigned long kind,
                 int value);
    CButton* AddButton(unsigned short id, const wchar_t* pictureFile, int value, unsigned long kind)
    {
        return Add(id, pictureFile, 0, kind, value);
    }
    CButton* AddCheckBox(unsigned short id, const wchar_t* pictureFile, int value, unsigned long kind)
    {
        return Add(id, pictureFile, 2, kind, value);
    }
    CButton* GetCtrl(unsigned short id) const;
    void EnableCtrl(unsigned short id, int enable);
    int GetEnableCtrl(unsigned short id) const;
    void SetCheck(unsigned short id, int check);
    unsigned short GetLWidht() const;
    int GetHeight() const;
    int Size() const { return (int)m_listCtrl.size(); }
    // Shows or hides the controls' windows, then the panel.
    int ShowWindow(int command) override;
    void Draw(HDC dc) override;
    int DrawItem(DRAWITEMSTRUCT* item) override;
    CSkin* GetChildSkin(unsigned short id) override { return GetCtrl(id); }
    // The controls travel with the panel.
    void MoveSkin(const RECT* rect = nullptr) override;

protected:
    std::vector<CButton*> m_listCtrl;
    std::vector<CButton*> m_listLoose; // kind-0 controls: not listed, but freed with the panel
    HWND m_hCtrlParent;
    CPoint m_ptCtrls; // the panel position the controls were placed against
};

class KVINTERF_API CPanelList
{
public:
    CPanelList();
    virtual ~CPanelList();

    CPanelList(const CPanelList&) = delete;
    CPanelList& operator=(const CPanelList&) = delete;

    void AddPanel(CPanel* panel);
    CPanel* Get(int index) const;
    int Size() const { return (int)m_listPanel.size(); }
    void ShowPanel(int index);
    CButton* GetCtrl(unsigned short id) const;
    int GetHeight() const;
    void SetDest(const RECT& rect);
    void Clear();
    void SetEnableLangChange(int flag) { m_bLangChange = flag; }
    int GetEnableLangChange() const { return m_bLangChange; }

protected:
    std::vector<CPanel*> m_listPanel;
    int m_bLangChange;
};

} // namespace KV
