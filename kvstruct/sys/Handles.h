#pragma once
// Owners of system handles and GDI objects: each closes or deletes what it holds when it goes
// out of scope, so no path of a function can forget it. Header-only; nothing is exported.
#include <windows.h>

namespace KV {

// Holds one handle of type T; Traits gives the empty value and the closing call.
template <typename T, typename Traits>
class CUniqueHandle
{
public:
    CUniqueHandle() : m_h(Traits::Empty()) {}
    explicit CUniqueHandle(T h) : m_h(h) {}
    CUniqueHandle(const CUniqueHandle&) = delete;
    CUniqueHandle& operator=(const CUniqueHandle&) = delete;
    CUniqueHandle(CUniqueHandle&& other) noexcept : m_h(other.Release()) {}
    CUniqueHandle& operator=(CUniqueHandle&& other) noexcept
    {
        Reset(other.Release());
        return *this;
    }
    ~CUniqueHandle() { Reset(); }

    T Get() const { return m_h; }
    operator T() const { return m_h; }
    bool IsValid() const { return m_h != Traits::Empty(); }
    // Closes what is held and takes h.
    void Reset(T h = Traits::Empty())
    {
        if (m_h != Traits::Empty() && m_h != h)
            Traits::Close(m_h);
        m_h = h;
    }
    // Gives the handle up without closing it.
    T Release()
    {
        T h = m_h;
        m_h = Traits::Empty();
        return h;
    }
    // For calls that return a handle through a pointer: closes what is held first.
    T* Put()
    {
        Reset();
        return &m_h;
    }

private:
    T m_h;
};

struct FileHandleTraits
{
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::CloseHandle(h); }
};
struct FindHandleTraits
{
    static HANDLE Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(HANDLE h) { ::FindClose(h); }
};
struct RegKeyTraits
{
    static HKEY Empty() { return nullptr; }
    static void Close(HKEY h) { ::RegCloseKey(h); }
};
template <typename T>
struct GdiObjectTraits
{
    static T Empty() { return nullptr; }
    static void Close(T h) { ::DeleteObject(h); }
};
struct MemoryDCTraits
{
    static HDC Empty() { return nullptr; }
    static void Close(HDC h) { ::DeleteDC(h); }
};

// A file opened with CreateFile (INVALID_HANDLE_VALUE when none).
typedef CUniqueHandle<HANDLE, FileHandleTraits> CFileHandle;
// A FindFirstFile search.
typedef CUniqueHandle<HANDLE, FindHandleTraits> CFindHandle;
typedef CUniqueHandle<HKEY, RegKeyTraits> CRegKey;
// GDI objects deleted with DeleteObject.
template <typename T>
using CGdiObject = CUniqueHandle<T, GdiObjectTraits<T>>;
typedef CGdiObject<HBITMAP> CBitmapHandle;
typedef CGdiObject<HRGN> CRegionHandle;
typedef CGdiObject<HFONT> CFontHandle;
typedef CGdiObject<HBRUSH> CBrushHandle;
// A device context made with CreateCompatibleDC / CreateDC.
typedef CUniqueHandle<HDC, MemoryDCTraits> CMemoryDC;

// A window's (or the screen's, for a null window) device context from GetDC.
class CWindowDC
{
public:
    explicit CWindowDC(HWND window) : m_hWnd(window), m_hDC(::GetDC(window)) {}
    CWindowDC(const CWindowDC&) = delete;
    CWindowDC& operator=(const CWindowDC&) = delete;
    ~CWindowDC()
    {
        if (m_hDC)
            ::ReleaseDC(m_hWnd, m_hDC);
    }
    HDC Get() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// Selects a GDI object into a device context and selects the previous one back at the end.
class CSelectObject
{
public:
    CSelectObject(HDC dc, HGDIOBJ object)
        : m_hDC(dc), m_hOld(dc && object ? ::SelectObject(dc, object) : nullptr)
    {}
    CSelectObject(const CSelectObject&) = delete;
    CSelectObject& operator=(const CSelectObject&) = delete;
    ~CSelectObject()
    {
        if (m_hOld)
            ::SelectObject(m_hDC, m_hOld);
    }

private:
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

} // namespace KV
