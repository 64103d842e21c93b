#pragma once
// An icon element: a 32 x 32 icon read from a file, drawn by the system's icon control.
#include "kvinterf/skin/Skin.h"

namespace KV {

enum : unsigned long { kSkinTypeIcon = 0x12000000ul };

class KVINTERF_API CIcon : public CSkin
{
public:
    CIcon();
    ~CIcon() override;

    using CSkin::Create;
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;
    // Shows the icon of an existing file; 0 (the shown icon stays) otherwise.
    int Reload(const wchar_t* path);
    // Shows no icon.
    void Unload();
    HICON GetIcon() const { return m_hIcon; }
    LRESULT MessageLoop(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) override;

protected:
    void Show(HICON icon);

    HICON m_hIcon;
};

} // namespace KV
