#pragma once
// One element of a skinned window: a rectangle placed by anchoring rules, painted from a
// numbered bitmap of the skin folder, adding its shape to the window's region.
#include "kvinterf/window/Wnd.h"
#include "kvstruct/core/Geometry.h"
#include "kvstruct/image/Dib.h"
#include <istream>
#include <ostream>

namespace KV {

// Parts of an element's style word.
enum : unsigned long {
    kSkinAnchorH = 0x0000000Ful,
    kSkinAnchorV = 0x000000F0ul,
    kSkinRole = 0x00000F00ul,
    kSkinSizeSrc = 0x0000F000ul,
    kSkinType = 0xFF000000ul,

    kSkinLeft = 0x1,
    kSkinRight = 0x2,
    kSkinStretchH = 0x3,
    kSkinBetweenH = 0x5,
    kSkinFixedW = 0x6,
    kSkinTop = 0x10,
    kSkinBottom = 0x20,
    kSkinStretchV = 0x30,
    kSkinBetweenV = 0x50,
    kSkinFixedH = 0x60,
    kSkinRoleMove = 0x100,
    kSkinRoleSizeW = 0x200,
    kSkinRoleSizeH = 0x300,
    kSkinRoleSizeWH = 0x400,
    kSkinRoleKeep1 = 0x500,
    kSkinRoleKeep2 = 0x600,
    kSkinSizeFromBitmap = 0x2000,

    kSkinTypePicture = 0x01000000ul,
    kSkinTypeStatic = 0x02000000ul,
    kSkinTypeButton = 0x03000000ul,
    kSkinTypeProgress = 0x04000000ul,
    kSkinTypeOpenGL = 0x0B000000ul,
    kSkinTypeText = 0x13000000ul,
    kSkinTypeTitle = 0x17000000ul,

    kSkinDefaultStyle = 0x01111411ul,
};

// Size of one element record in a layout file.
constexpr long long kSkinRecordBytes = 2 + 2 + 8 + 8 + 4;

class KVINTERF_API CSkin : public CWnd
{
public:
    CSkin();
    ~CSkin() override;

    using CWnd::Create;
    // Creates the element's child window; a plain picture area has none (nullptr).
    virtual HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id);

    // A picture number of 0 keeps the old one; a null limit keeps the old limit.
    void SetParam(unsigned short pictureNumber, const RECT& placement, unsigned long style,
                  const RECT* limit = nullptr, unsigned short controlId = 0);
    unsigned short GetID() const { return m_nID; }
    void SetID(unsigned short id) { m_nID = id; }
    // The picture number as decimal text, cut to size units; without a size at most 6.
    wchar_t* GetName(wchar_t* buffer, size_t size) const;
    wchar_t* GetName(wchar_t* buffer) const { return GetName(buffer, 6); }
    // Parses decimal text into the picture number; 0 when it is not a number below 65536.
    int SetName(const wchar_t* text);
    unsigned short GetCtrlID() const { return m_nCtrlID ? m_nCtrlID : m_nID; }
    void SetCtrlID(unsigned short id) { m_nCtrlID = id; }
    unsigned long GetStyle(unsigned long mask = 0xFFFFFFFFul) const { return m_nStyle & mask; }
    void SetStyleWord(unsigned long style) { m_nStyle = style; }
    // Resolved placement: left = x, top = y, right = width, bottom = height.
    const CRect& DestRect() const { return m_rcDest; }
    CRect& DestRect() { return m_rcDest; }
    // The placement as stored (a, b, c, d).
    const CRect& PlaceRect() const { return m_rcPlace; }
    const CRect& MinMaxRect() const { return m_rcLimit; }
    // The element's shape after overlaps were excluded, in its own coordinates.
    HRGN DestRgn() const { return m_hRgn; }
    // The shape before exclusion.
    HRGN BaseRgn() const { return m_hRgnBase; }
    // (x, y, x + width, y + height) in the parent's client coordinates.
    CRect GetRect() const;
    const CDib& GetDib() const { return m_dib; }
    int GetPictures() const { return m_nPictures; }
    bool IsStretched() const;

    // The record of a layout file. Reading: 0 (after the warning) for a bad version word or
    // a truncated record, else 1.
    int Serialize(std::ostream& out) const;
    int Serialize(std::istream& in);
    // Copies placement, limit, style and IDs (not pictures or windows) from another element.
    void CopyParam(const CSkin& other);

    virtual int LoadBitmapW(const wchar_t* file, int pictures, int reload);
    int UpdatePic(const wchar_t* file) { return LoadBitmapW(file, m_nPictures ? m_nPictures : 1, 1); }
    // Paints picture index stretched over rect; 0 when there is no picture.
    int DrawBitmap(HDC dc, const RECT& rect, int index) const;
    // Paints for an owner-draw request; 1 when painted.
    virtual int DrawItem(DRAWITEMSTRUCT* item);
    // An element of this one's own (the controls of a panel); none by default.
    virtual CSkin* GetChildSkin(unsigned short id);

    void SetAssociation(CSkin* left, CSkin* top, CSkin* right, CSkin* bottom);
    CSkin* GetAssociation(int side) const { return (side >= 0 && side < 4) ? m_pLink[side] : nullptr; }
    void ClearAssociation();
    // Forgets element wherever this one links to it.
    void DropLink(const CSkin* element);
    // Places the element between its neighbours; returns the directions set (1, 0x10).
    int MoveByAssociation(int apply);
    virtual void Resize(const CSize& delta, CRect* rect, int notify);
    // Moves the child window to the resolved placement (rect, when given, becomes it).
    virtual void MoveSkin(const RECT* rect = nullptr);
    // Removes rect (parent's client coordinates) from the element's shape.
    int ExcludeRgn(const RECT& rect);
    // The shape back to the unexcluded one.
    void ResetRgn();
    // Resolves the placement of a picture area against the parent's client rectangle.
    void ResolvePictureArea(const RECT& client);
    // The shape becomes the rectangle (0, 0, width, height).
    void SetRectRgn();
    // Takes ownership of region as the element's own shape.
    void SetBaseRgn(HRGN region);

protected:
    // Paints the whole element through DrawItem, as an owner-draw request of ctlType would.
    void DrawThroughItem(HDC dc, UINT ctlType);
    // Narrows dc's clipping to region placed at (x, y).
    static void ClipToRegion(HDC dc, HRGN region, int x, int y);
    // Messages by which a system control paints itself.
    static bool IsPaintMessage(UINT msg)
    {
        return msg == WM_PAINT || msg == WM_PRINTCLIENT || msg == WM_ERASEBKGND;
    }
    // Resolves the anchors of a windowed element against its parent (after a bitmap loaded).
    void ResolvePlacement(const RECT& client);
    // Loads the pictures; with place the window then takes its resolved placement.
    int LoadPictures(const wchar_t* file, int pictures, int reload, bool place);
    // Whether the element was given a placement (by the skin or in code), not just created.
    bool HasPlacement() const { return m_bPlaced; }

    unsigned short m_nID;
    unsigned short m_nCtrlID;
    CRect m_rcPlace;
    CRect m_rcDest;
    CRect m_rcLimit;
    unsigned long m_nStyle;
    HRGN m_hRgnBase;
    HRGN m_hRgn;
    CDib m_dib;
    int m_nPictures;
    CSkin* m_pLink[4]; // left, top, right, bottom; not owned
    bool m_bPlaced;
};

} // namespace KV
