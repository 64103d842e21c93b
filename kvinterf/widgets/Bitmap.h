#pragma once
// A picture element showing a bitmap file of its own (not one of the skin's), 1:1 on white.
#include "kvinterf/widgets/Static.h"
#include "kvstruct/core/CString.h"

namespace KV {

enum : unsigned long { kSkinTypeBitmap = 0x11000000ul };

class KVINTERF_API CBitmap : public CStatic
{
public:
    CBitmap();
    ~CBitmap() override;

    void SetPath(const wchar_t* path) { m_strPath = path ? path : L""; }
    const wchar_t* GetPath() const { return m_strPath; }
    // Loads the picture of the path set (the skin's picture file only while no path is set).
    int LoadBitmapW(const wchar_t* file, int pictures, int reload) override;
    // Another picture; repaints when it loaded. 0 (the old picture stays) when it did not.
    int Reload(const wchar_t* path);
    int DrawItem(DRAWITEMSTRUCT* item) override;

protected:
    CString m_strPath;
};

} // namespace KV
