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
};

} // namespace KV
