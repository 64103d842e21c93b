#pragma once
// A shaped, caption-less window made of skin elements: it owns the elements, reads and writes
// their layout file (".skn"), assembles its region from their shapes, and moves, sizes and
// slides them with the mouse and a timer.
#include "kvinterf/skin/Skin.h"
#include "kvstruct/core/CString.h"
#include <istream>
#include <ostream>
#include <utility>
#include <vector>

namespace KV {

class KVINTERF_API CSkinWnd : public CWnd
{
public:
    CSkinWnd();
    ~CSkinWnd() override;

    virtual int StartMove();
    virtual int StopMove(UINT_PTR timerId);
    virtual void SetTimerParam(int steps, int size, int stepPixels, UINT interval, UINT_PTR timerId);
    // The element class of a type byte (style AND 0xFF000000); nullptr for types without one.
    virtual CSkin* NewSkin(unsigned short controlId, unsigned long type);
    virtual int GetNumPicture(const CSkin* element) const;
    virtual int Serialize(std::ostream& out) const;
    virtual int Serialize(std::istream& in);
    virtual int IsMaximize();
    virtual int CreateSkins(HINSTANCE instance);
    virtual int UpdateSkins(HINSTANCE instance);

    LRESULT OnCreate(CREATESTRUCTW* cs) override;
    LRESULT OnLButtonDown(UINT flags, int x, int y) override;
    LRESULT OnLButtonUp(UINT flags, int x, int y) override;
    LRESULT OnMouseMove(UINT flags, int x, int y) override;
    LRESULT OnSetCursor(HWND hwnd, UINT hitTest, UINT mouseMsg) override;
    LRESULT OnMouseLeave() override;
    LRESULT OnTimer(UINT_PTR id) override;
    LRESULT OnDrawItem(UINT id, DRAWITEMSTRUCT* item) override;
    void Draw(HDC dc) override;

    void SetPath(const wchar_t* root) { m_strPath = root ? root : L""; }
    const wchar_t* GetPath() const { return m_strPath; }
    void SetName(const wchar_t* name) { m_strName = name ? name : L""; }
    const wchar_t* GetName() const { return m_strName; }
    int Size() const { return (int)m_listSkin.size(); }
    CSkin* GetSkin(int index) const { return (index >= 0 && index < Size()) ? m_listSkin[index] : nullptr; }
    int IsPartial() const { return m_bPartial; }

    CSkin* AddSkin(unsigned short pictureNumber, const RECT& placement, unsigned long style,
                   const RECT* limit = nullptr, unsigned short controlId = 0);
    CSkin* AddSkin(CSkin* element);
    CSkin* GetSkinByID(unsigned short controlId, unsigned short child = 0) const;
    int GetNumByID(unsigned short controlId) const;
    CSkin* DeleteSkin(unsigned short controlId);
    void Clear();

    // 1 when read; 0 when the file cannot be opened or its data is damaged (then nothing
    // changes, after a warning for damaged data).
    int Load(const wchar_t* file, int partial = 0);
    int Save(const wchar_t* file) const;
    int RefreshSkins(int reload);
    int UpdatePic();
    void Resize(int dx, int dy, int redraw);

    // Links every neighbour-placed element to its neighbours and places it.
    void SetAssociations();
    void ApplyAssociations();
    // Rebuilds every element's shape without overlaps and gives the window their union.
    void BuildRegion(int redraw);
    // The window region last assembled (owned by this object), or nullptr.
    HRGN GetWndRgn() const { return m_hRgnWnd; }
    // Union of the element rectangles.
    CRect GetUnionRect() const;
    // Index of the element under a client point (see the class description); -1 when empty.
    int HitSkin(POINT pt) const;
    // Elements to slide, ended by -1.
    void SetMoveSkins(int id, ...);
    const std::vector<unsigned short>& GetMoveSkins() const { return m_listMove; }
    int GetStepsLeft() const { return m_nSteps; }
    bool IsDragging() const { return m_bDrag; }
    // Path of an element's picture; false (and "") when it does not fit size units (MAX_PATH
    // without a size).
    bool GetPicturePath(const CSkin* element, wchar_t* path, size_t size) const;
    bool GetPicturePath(const CSkin* element, wchar_t* path) const
    {
        return GetPicturePath(element, path, MAX_PATH);
    }

protected:
    HCURSOR CursorForRole(const CSkin* element) const;
    void FitWindowToElements(int redraw);
    int LoadElementPictures(CSkin* element, const wchar_t* object, const wchar_t* error);

    CString m_strPath;
    CString m_strName;
    std::vector<CSkin*> m_listSkin;
    // Records whose type has no class here: kept so that saving gives the file back unchanged.
    std::vector<std::pair<size_t, CSkin*>> m_listKept;
    HRGN m_hRgnWnd;
    int m_bPartial;

    // Mouse drag.
    bool m_bDrag;
    CPoint m_ptDown;
    CSize m_szEdge;
    unsigned long m_nRole;
    CRect m_rcWndDown;
    CRect m_rcWndLast;

    // Sliding.
    int m_nSteps;
    int m_nSize;
    int m_nStep;
    UINT m_nInterval;
    UINT_PTR m_nTimerID;
    bool m_bTimer;
    std::vector<unsigned short> m_listMove;

    HCURSOR m_hCurArrow;
    HCURSOR m_hCurWE;
    HCURSOR m_hCurNS;
    HCURSOR m_hCurNWSE;
    // The cursor this window set over its own area; valid until the mouse leaves that area.
    HCURSOR m_hCurShown;
    bool m_bTrackLeave;
};

} // namespace KV
