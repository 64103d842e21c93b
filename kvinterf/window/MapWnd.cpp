#include "kvinterf/window/MapWnd.h"
#include "kvinterf/window/Dialog.h"
#include "kvinterf/window/Wnd.h"
#include <map>

namespace KV {

namespace {

// One thread owns every window, so the maps need no lock. handleOf gives the handle field of
// an object (each map's class has the access to it).
template <class T>
struct HandleMap
{
    std::map<HWND, T*> objects;
    T* pending = nullptr;

    template <class HandleOf>
    T* FromHandle(HWND hwnd, HandleOf handleOf)
    {
        if (T* object = Lookup(hwnd))
            return object;
        if (pending && !handleOf(pending) && hwnd)
        {
            T* object = pending;
            handleOf(object) = hwnd;
            objects[hwnd] = object;
            pending = nullptr;
            return object;
        }
        return nullptr;
    }

    T* Lookup(HWND hwnd) const
    {
        auto it = objects.find(hwnd);
        return it != objects.end() ? it->second : nullptr;
    }

    void Add(HWND hwnd, T* object)
    {
        if (hwnd && object)
            objects[hwnd] = object;
    }

    void Erase(const T* object)
    {
        for (auto it = objects.begin(); it != objects.end();)
            it = (it->second == object) ? objects.erase(it) : std::next(it);
        if (pending == object)
            pending = nullptr;
    }

    template <class HandleOf>
    T* Release(HWND hwnd, HandleOf handleOf)
    {
        T* object = Lookup(hwnd);
        objects.erase(hwnd);
        if (object && handleOf(object) == hwnd)
            handleOf(object) = nullptr;
        return object;
    }

    template <class HandleOf>
    INT_PTR RunModal(T* object, HINSTANCE instance, UINT templateId, HWND parent, DLGPROC proc, bool& modal,
                     HandleOf handleOf)
    {
        // Templates come from the program when it asks with its own module, else from here.
        HINSTANCE module =
            (instance && instance == ::GetModuleHandleW(nullptr)) ? instance : GetInterfInstance();
        pending = object;
        modal = true;
        INT_PTR result = ::DialogBoxParamW(module, MAKEINTRESOURCEW(templateId), parent, proc,
                                           reinterpret_cast<LPARAM>(object));
        modal = false;
        Erase(object);
        handleOf(object) = nullptr;
        return result;
    }
};

HandleMap<CMessageWnd>& WndMap()
{
    static HandleMap<CMessageWnd> map;
    return map;
}

HandleMap<CDialog>& DlgMap()
{
    static HandleMap<CDialog> map;
    return map;
}

} // namespace

HWND& CMapDlg::HandleOf(CDialog* object)
{
    return object->m_hWnd;
}

CMapWnd::CMapWnd() {}

CMapWnd::~CMapWnd()
{
    DeleteFromMap(this);
}

CMessageWnd* CMapWnd::FromHandle(HWND hwnd)
{
    return WndMap().FromHandle(hwnd, &CMapWnd::HandleOf);
}

CMessageWnd* CMapWnd::Lookup(HWND hwnd)
{
    return WndMap().Lookup(hwnd);
}

void CMapWnd::AddToMap(HWND hwnd, CMessageWnd* object)
{
    WndMap().Add(hwnd, object);
}

void CMapWnd::DeleteFromMap(HWND hwnd)
{
    WndMap().objects.erase(hwnd);
}
void CMapWnd::DeleteFromMap(const CMessageWnd* object)
{
    WndMap().Erase(object);
}
void CMapWnd::SetPending(CMessageWnd* object)
{
    WndMap().pending = object;
}
CMessageWnd* CMapWnd::GetPending()
{
    return WndMap().pending;
}
size_t CMapWnd::MapSize()
{
    return WndMap().objects.size();
}
CMessageWnd* CMapWnd::Release(HWND hwnd)
{
    return WndMap().Release(hwnd, &CMapWnd::HandleOf);
}
INT_PTR CMapWnd::RunModal(CMessageWnd* object, HINSTANCE instance, UINT templateId, HWND parent, DLGPROC proc,
                          bool& modal)
{
    return WndMap().RunModal(object, instance, templateId, parent, proc, modal, &CMapWnd::HandleOf);
}

CDialog* CMapDlg::FromHandle(HWND hwnd)
{
    return DlgMap().FromHandle(hwnd, &CMapDlg::HandleOf);
}

void CMapDlg::AddToMap(HWND hwnd, CDialog* object)
{
    DlgMap().Add(hwnd, object);
}

void CMapDlg::DeleteFromMap(HWND hwnd)
{
    DlgMap().objects.erase(hwnd);
}
void CMapDlg::DeleteFromMap(const CDialog* object)
{
    DlgMap().Erase(object);
}
void CMapDlg::SetPending(CDialog* object)
{
    DlgMap().pending = object;
}
CDialog* CMapDlg::GetPending()
{
    return DlgMap().pending;
}
CDialog* CMapDlg::Release(HWND hwnd)
{
    return DlgMap().Release(hwnd, &CMapDlg::HandleOf);
}
INT_PTR CMapDlg::RunModal(CDialog* object, HINSTANCE instance, UINT templateId, HWND parent, DLGPROC proc,
                          bool& modal)
{
    return DlgMap().RunModal(object, instance, templateId, parent, proc, modal, &CMapDlg::HandleOf);
}

} // namespace KV
