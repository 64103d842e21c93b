#include "kvinterf/window/MapWnd.h"
#include "kvinterf/window/Dialog.h"
#include <map>

namespace KV {

namespace {

// One thread owns every window, so the maps need no lock.
template <class T>
struct HandleMap
{
    std::map<HWND, T*> objects;
    T* pending = nullptr;

    void Erase(const T* object)
    {
        for (auto it = objects.begin(); it != objects.end();)
            it = (it->second == object) ? objects.erase(it) : std::next(it);
        if (pending == object)
            pending = nullptr;
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

CMapWnd::CMapWnd() {}

CMapWnd::~CMapWnd()
{
    DeleteFromMap(this);
}

CMessageWnd* CMapWnd::FromHandle(HWND hwnd)
{
    auto& map = WndMap();
    auto it = map.objects.find(hwnd);
    if (it != map.objects.end())
        return it->second;
    CMessageWnd* pending = map.pending;
    if (pending && !pending->m_hWnd && hwnd)
    {
        pending->m_hWnd = hwnd;
        map.objects[hwnd] = pending;
        map.pending = nullptr;
        return pending;
    }
    return nullptr;
}

CMessageWnd* CMapWnd::Lookup(HWND hwnd)
{
    auto& objects = WndMap().objects;
    auto it = objects.find(hwnd);
    return it != objects.end() ? it->second : nullptr;
}

void CMapWnd::AddToMap(HWND hwnd, CMessageWnd* object)
{
    if (hwnd && object)
        WndMap().objects[hwnd] = object;
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

CDialog* CMapDlg::FromHandle(HWND hwnd)
{
    auto& map = DlgMap();
    auto it = map.objects.find(hwnd);
    if (it != map.objects.end())
        return it->second;
    CDialog* pending = map.pending;
    if (pending && !pending->GetHwnd() && hwnd)
    {
        pending->AttachHandle(hwnd);
        map.objects[hwnd] = pending;
        map.pending = nullptr;
        return pending;
    }
    return nullptr;
}

void CMapDlg::AddToMap(HWND hwnd, CDialog* object)
{
    if (hwnd && object)
        DlgMap().objects[hwnd] = object;
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

} // namespace KV
