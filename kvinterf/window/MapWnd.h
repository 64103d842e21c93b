#pragma once
// The process-wide maps from window handles to their objects. An object that is about to
// create its window waits as the pending object and is bound by the window's first message.
#include "kvinterf/window/MessageWnd.h"

namespace KV {

class CDialog;

class KVINTERF_API CMapWnd : public CMessageWnd
{
public:
    CMapWnd();
    ~CMapWnd() override;

    // The object of hwnd; binds the pending object on the first message of a new window.
    static CMessageWnd* FromHandle(HWND hwnd);
    // The object of hwnd without binding anything.
    static CMessageWnd* Lookup(HWND hwnd);
    static void AddToMap(HWND hwnd, CMessageWnd* object);
    static void DeleteFromMap(HWND hwnd);
    static void DeleteFromMap(const CMessageWnd* object);
    static void SetPending(CMessageWnd* object);
    static CMessageWnd* GetPending();
    static size_t MapSize();
    // The last message of hwnd: out of the map, and its object no longer holds the handle.
    // Returns that object, or null.
    static CMessageWnd* Release(HWND hwnd);
    // Runs the dialog template modally for object, which is bound at the box's first message
    // and is out of the map afterwards; modal is true while the box runs. The box's result.
    static INT_PTR RunModal(CMessageWnd* object, HINSTANCE instance, UINT templateId, HWND parent,
                            DLGPROC proc, bool& modal);

private:
    static HWND& HandleOf(CMessageWnd* object) { return object->m_hWnd; }
};

// The same map for dialog boxes run by CDialog.
class KVINTERF_API CMapDlg
{
public:
    static CDialog* FromHandle(HWND hwnd);
    static void AddToMap(HWND hwnd, CDialog* object);
    static void DeleteFromMap(HWND hwnd);
    static void DeleteFromMap(const CDialog* object);
    static void SetPending(CDialog* object);
    static CDialog* GetPending();
    static CDialog* Release(HWND hwnd);
    static INT_PTR RunModal(CDialog* object, HINSTANCE instance, UINT templateId, HWND parent, DLGPROC proc,
                            bool& modal);

private:
    static HWND& HandleOf(CDialog* object);
};

} // namespace KV
