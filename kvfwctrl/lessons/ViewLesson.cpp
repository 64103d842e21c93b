#include "kvfwctrl/lessons/ViewLesson.h"
#include "kvfwctrl/lessons/Lesson.h"
#include "kvfwctrl/lessons/LessonTexts.h"
#include "kvfwctrl/lessons/LessonViewIds.h"
#include "kvfwctrl/lessons/ViewTreeLesson.h"
#include "kvinterf/widgets/DlgCtrl.h"
#include "kvinterf/window/Dialog.h"
#include "kvstruct/files/Paths.h"
#include <shlwapi.h>
#include <cstring>
#include <string>
#include <vector>

namespace KV {

namespace {

const unsigned short kTabIds[2] = {kIdTabText, kIdTabProperty};
const CLessonPageFrame::PanelSpec kPanels[2] = {
    {kIdPanelText, {kCmdInsertLesson, kCmdSaveLesson, 0}},
    {kIdPanelProperty, {0, 0, 0}},
};

CViewLesson::FileBrowser g_browser = &FileBrowseDlg;

// A file whose folder exists; nothing is created on the way.
bool PassesFolderCheck(const wchar_t* path)
{
    if (!path || !path[0] || std::wcslen(path) >= MAX_PATH)
        return false;
    wchar_t folder[MAX_PATH];
    std::wcscpy(folder, path);
    if (!::PathRemoveFileSpecW(folder) || !folder[0] || !::PathIsDirectoryW(folder))
        return false;
    return ::PathFileExistsW(path) && !::PathIsDirectoryW(path);
}

// The start of a file and its size; false when it cannot be read.
bool PeekFile(const wchar_t* path, std::string& head, unsigned long long& size)
{
    HANDLE file = ::CreateFileW(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return false;
    LARGE_INTEGER length = {};
    ::GetFileSizeEx(file, &length);
    size = (unsigned long long)length.QuadPart;
    head.assign(CLesson::kMaxTextBytes, '\0');
    DWORD got = 0;
    const BOOL ok = ::ReadFile(file, &head[0], (DWORD)head.size(), &got, nullptr);
    ::CloseHandle(file);
    head.resize(ok ? got : 0);
    return ok != FALSE;
}

} // namespace

CViewLesson::FileBrowser CViewLesson::SetFileBrowser(FileBrowser browser)
{
    FileBrowser old = g_browser;
    g_browser = browser ? browser : &FileBrowseDlg;
    return old;
}

CViewLesson::CViewLesson() : m_pViewTree(nullptr), m_pTable(nullptr), m_nTab(0), m_bEdited(0)
{
    SetpLangTable(nullptr);
}

CViewLesson::~CViewLesson()
{
    // The children go while every part of the view still exists to hear from them.
    DestroyWindow();
}

HWND CViewLesson::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    HWND hwnd = CStatic::Create(instance, parent, style | WS_CLIPCHILDREN, rect, id);
    if (!hwnd || m_editor.GetHwnd())
        return hwnd;
    m_editor.Create(instance, hwnd, 0, RECT{0, 0, 0, 0}, kIdLessonEditor);
    m_property.Create(instance, hwnd, 0, RECT{0, 0, 0, 0}, kIdLessonProperty);
    EmptyText();
    SetActiveTab(m_nTab);
    return hwnd;
}

int CViewLesson::LoadBitmapW(const wchar_t* file, int pictures, int reload)
{
    const int result = CStatic::LoadBitmapW(file, pictures, reload);
    if (result && m_hWnd && (reload || !m_frame.IsBuilt()))
    {
        m_frame.Build(m_hWnd, CLessonPageFrame::FolderOf(file), kIdLessonTabs, kTabIds, kPanels);
        SetActiveTab(m_nTab);
    }
    return result;
}

void CViewLesson::SetpLangTable(const CIniTable* table)
{
    m_pTable = table;
    m_frame.SetCaption(0, LessonText(table, L"TabLessonText", L"Text"));
    m_frame.SetCaption(1, LessonText(table, L"TabLessonReport", L"Characters"));
    m_editor.SetDlgConfirm(
        LessonText(table, L"LessonSaveAsk", L"The lesson text has been changed. Do you want to save it?"));
    m_property.SetCaptionTable(
        LessonText(table, L"PropCharacter", L"Character"), LessonText(table, L"PropCount", L"Count"),
        LessonText(table, L"PropShare", L"Share"), LessonText(table, L"PropTotal", L"Total"));
    m_property.SetCutNote(LessonText(table, L"LessonReportCut",
                                     L"The lesson has more characters than this report can list; the rest "
                                     L"were left out."));
}

void CViewLesson::SetpLesson(CLesson* lesson)
{
    if (!lesson)
    {
        EmptyText();
        return;
    }
    m_editor.SetpLesson(lesson);
    m_property.SetpLesson(lesson);
    m_editor.EnableWindow(1);
    m_property.EnableWindow(1);
    m_editor.SetText(lesson->GetTextW(0));
    m_property.UpdateProperty();
    SetEdited(0);
    m_frame.EnableButton(kCmdInsertLesson, 1);
}

void CViewLesson::SetText(const wchar_t* text)
{
    m_editor.SetText(text);
    m_property.UpdateProperty();
}

void CViewLesson::EmptyText()
{
    m_editor.SetpLesson(nullptr);
    m_property.SetpLesson(nullptr);
    m_editor.SetText(L"");
    m_property.SetText(L"");
    m_editor.EnableWindow(0);
    m_property.EnableWindow(0);
    SetEdited(0);
    m_frame.EnableButton(kCmdInsertLesson, 0);
}

void CViewLesson::SetFont(const LOGFONTW* font)
{
    if (!font)
        return;
    LOGFONTW editor = {};
    editor.lfHeight = -20;
    editor.lfWeight = FW_NORMAL;
    editor.lfCharSet = font->lfCharSet;
    wcsncpy(editor.lfFaceName, font->lfFaceName, LF_FACESIZE - 1);
    m_editor.SetFont(&editor);
}

void CViewLesson::SetEdited(int edited)
{
    m_bEdited = edited ? 1 : 0;
    m_frame.EnableButton(kCmdSaveLesson, m_bEdited);
}

int CViewLesson::SaveLesson()
{
    if (!m_editor.SaveLesson())
        return 0;
    SetEdited(0);
    m_property.UpdateProperty();
    SendToParent(kMsgLessonSaved);
    return 1;
}

int CViewLesson::OfferSave()
{
    CLesson* lesson = m_editor.GetpLesson();
    if (!m_bEdited || !lesson)
        return 1;
    int failed = 0;
    if (m_editor.TrySaveLesson(&failed))
    {
        SetEdited(0);
        m_property.UpdateProperty();
        SendToParent(kMsgLessonSaved);
        return 1;
    }
    if (failed)
        return 0;
    // No: the editor shows the lesson as it is stored.
    m_editor.SetText(lesson->GetTextW(0));
    SetEdited(0);
    return 1;
}

void CViewLesson::ShowMessage(const wchar_t* key, const wchar_t* english, const wchar_t* path) const
{
    std::wstring text = LessonText(m_pTable, key, english);
    text += std::wstring(L"\n\n") + (path ? path : L"");
    ShowConfirm(m_hWnd ? ::GetParent(m_hWnd) : nullptr, text.c_str(), 0);
}

void CViewLesson::OnInsertLesson()
{
    CLesson* lesson = m_editor.GetpLesson();
    if (!lesson)
        return;
    wchar_t folder[MAX_PATH] = {0};
    lesson->GetBasePath(folder);
    std::vector<wchar_t> path(kBrowsePathSize, L'\0');
    if (g_browser(m_hWnd ? ::GetParent(m_hWnd) : nullptr, folder, path.data(), L"txt"))
        InsertLessonFile(path.data());
}

int CViewLesson::InsertLessonFile(const wchar_t* path)
{
    if (!m_editor.GetpLesson())
        return 0;
    if (!PassesFolderCheck(path))
    {
        const std::wstring text = std::wstring(L"Bad Path Name: ") + (path ? path : L"");
        ShowConfirm(m_hWnd ? ::GetParent(m_hWnd) : nullptr, text.c_str(), 0);
        return 0;
    }
    std::string head;
    unsigned long long size = 0;
    if (!PeekFile(path, head, size))
        return m_editor.LoadLesson(path); // the lesson's own read reports why
    if (size == 0)
    {
        ShowMessage(L"LessonFileEmpty", L"The file is empty; the lesson text was left as it was.", path);
        return 0;
    }
    if (std::memchr(head.data(), 0, head.size()))
    {
        ShowMessage(L"LessonFileBinary",
                    L"This file does not hold plain text (it may be a program, a picture or a text saved "
                    L"as Unicode); the lesson text was left as it was.",
                    path);
        return 0;
    }
    if (!m_editor.LoadLesson(path))
        return 0;
    SetEdited(1);
    if (size > CLesson::kMaxTextBytes)
        ShowMessage(L"LessonFileCut",
                    L"The file is longer than a lesson can be (63,999 characters); only its beginning "
                    L"was inserted.",
                    path);
    return 1;
}

void CViewLesson::SetActiveTab(int tab)
{
    if (tab < 0 || tab >= 2)
        tab = 0;
    m_nTab = tab;
    m_frame.ShowTab(tab);
    if (m_editor.GetHwnd())
        ::ShowWindow(m_editor.GetHwnd(), tab == 0 ? SW_SHOW : SW_HIDE);
    if (m_property.GetHwnd())
        ::ShowWindow(m_property.GetHwnd(), tab == 1 ? SW_SHOW : SW_HIDE);
    Layout();
}

void CViewLesson::OnChangedTab(int tab)
{
    if (tab == 1 && !OfferSave())
    {
        m_frame.ShowTab(m_nTab);
        return;
    }
    SetActiveTab(tab);
    if (tab == 1)
        m_property.UpdateProperty();
    SendToParent(kMsgLessonTabChanged);
}

void CViewLesson::OnSwitchFocus()
{
    if (m_pViewTree)
        m_pViewTree->SetFocus();
}

HWND CViewLesson::SetFocus()
{
    CRichEdit& pane = m_nTab == 0 ? static_cast<CRichEdit&>(m_editor) : m_property;
    return pane.GetHwnd() ? ::SetFocus(pane.GetHwnd()) : CStatic::SetFocus();
}

int CViewLesson::ShowWindow(int show)
{
    if (!show && m_hWnd && (::GetWindowLongW(m_hWnd, GWL_STYLE) & WS_VISIBLE))
        OfferSave(); // a failed save keeps the edits in the hidden editor
    return CStatic::ShowWindow(show);
}

void CViewLesson::SendToParent(WORD command, LPARAM lParam)
{
    HWND parent = m_hWnd ? ::GetParent(m_hWnd) : nullptr;
    if (parent)
        ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(command, 0), lParam);
}

LRESULT CViewLesson::OnCommand(WORD code, WORD id, HWND)
{
    switch (id)
    {
    case kCmdSaveLesson:
        SaveLesson();
        break;
    case kCmdInsertLesson:
        OnInsertLesson();
        break;
    case kIdTabText:
        OnChangedTab(0);
        break;
    case kIdTabProperty:
        OnChangedTab(1);
        break;
    case kCmdFocusLessonTree:
        OnSwitchFocus();
        break;
    case kIdLessonEditor:
        if (code == EN_CHANGE && m_editor.GetpLesson() && ::IsWindowEnabled(m_editor.GetHwnd()))
            SetEdited(1);
        break;
    default:
        break;
    }
    return 0;
}

void CViewLesson::Layout()
{
    if (!m_hWnd)
        return;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    const RECT pane = m_frame.Layout(client.right, client.bottom, m_nTab);
    m_editor.MoveSkin(&pane);
    m_property.MoveSkin(&pane);
}

LRESULT CViewLesson::OnSize(UINT, int, int)
{
    Layout();
    return 0;
}

LRESULT CViewLesson::OnDrawItem(UINT, DRAWITEMSTRUCT* item)
{
    return CLessonPageFrame::DrawItem(item);
}

} // namespace KV
