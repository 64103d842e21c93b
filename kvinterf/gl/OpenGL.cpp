#include "kvinterf/gl/OpenGL.h"

#include <GL/gl.h>
#include <GL/glu.h>

namespace KV {

COpenGL::COpenGL() : m_fAngleX(0.0f), m_fAngleY(0.0f) {}

COpenGL::~COpenGL()
{
    if (m_glc.IsCreated())
        m_glc.Destroy(m_hWnd);
}

HWND COpenGL::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    if (m_hWnd || !parent)
        return nullptr;
    HWND hwnd = ::CreateWindowExW(0, L"STATIC", L"", style | WS_CHILD, rect.left, rect.top,
                                  rect.right - rect.left, rect.bottom - rect.top, parent,
                                  reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)), instance, nullptr);
    if (!hwnd)
        return nullptr;
    SetHandle(parent, hwnd);
    m_glc.Create(hwnd);
    if (m_glc.IsCreated())
    {
        glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
        glClearDepth(1.0);
        glDepthFunc(GL_LESS);
        glEnable(GL_DEPTH_TEST);
        glShadeModel(GL_SMOOTH);
        RECT client;
        ::GetClientRect(hwnd, &client);
        OnSize(SIZE_RESTORED, client.right, client.bottom);
    }
    return hwnd;
}

void COpenGL::StartMove(UINT_PTR id, UINT period)
{
    if (m_hWnd)
        ::SetTimer(m_hWnd, id, period, nullptr);
}

void COpenGL::StopMove(UINT_PTR id)
{
    if (m_hWnd)
        ::KillTimer(m_hWnd, id);
}

LRESULT COpenGL::OnSize(UINT /*type*/, int width, int height)
{
    if (!m_glc.IsCreated())
        return 0;
    m_glc.MakeCurrentDC();
    if (height <= 0)
        height = 1;
    glViewport(0, 0, width, height);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(45.0, static_cast<double>(width) / height, 0.1, 100.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    return 0;
}

LRESULT COpenGL::OnTimer(UINT_PTR /*id*/)
{
    m_fAngleX += 0.9f;
    m_fAngleY -= 0.6f;
    Invalidate(FALSE);
    return 0;
}

LRESULT COpenGL::OnLButtonDown(UINT flags, int x, int y)
{
    HWND parent = ::GetParent(m_hWnd);
    if (!parent)
        return 0;
    POINT pt = {x, y};
    ::MapWindowPoints(m_hWnd, parent, &pt, 1);
    ::SendMessageW(parent, WM_LBUTTONDOWN, flags, MAKELPARAM(pt.x, pt.y));
    return 0;
}

LRESULT COpenGL::OnPaint()
{
    // The owner draws through the context; the window itself only validates.
    PAINTSTRUCT ps;
    ::BeginPaint(m_hWnd, &ps);
    ::EndPaint(m_hWnd, &ps);
    return 0;
}

LRESULT COpenGL::OnEraseBkgnd(HDC /*dc*/)
{
    return 1;
}

LRESULT COpenGL::OnDestroy()
{
    m_glc.Destroy(m_hWnd);
    return CSkin::OnDestroy();
}

} // namespace KV
