#pragma once
// A skinned child window with its own OpenGL context and a perspective projection.
#include "kvinterf/gl/GLC.h"
#include "kvinterf/skin/Skin.h"

namespace KV {

class KVINTERF_API COpenGL : public CSkin
{
public:
    COpenGL();
    ~COpenGL() override;

    using CSkin::Create;
    // A "STATIC" child with a context cleared to black, depth test "less", smooth shading.
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;

    // A timer whose ticks turn the two angles (+0.9 and -0.6) and repaint.
    void StartMove(UINT_PTR id, UINT period);
    void StopMove(UINT_PTR id);

    CGLC& GetGLC() { return m_glc; }
    float GetAngleX() const { return m_fAngleX; }
    float GetAngleY() const { return m_fAngleY; }

    LRESULT OnSize(UINT type, int width, int height) override;
    LRESULT OnTimer(UINT_PTR id) override;
    LRESULT OnLButtonDown(UINT flags, int x, int y) override;
    LRESULT OnPaint() override;
    LRESULT OnEraseBkgnd(HDC dc) override;
    LRESULT OnDestroy() override;

protected:
    CGLC m_glc;
    float m_fAngleX;
    float m_fAngleY;
};

} // namespace KV
