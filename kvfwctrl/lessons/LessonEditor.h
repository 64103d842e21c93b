#pragma once
// The two panes of the lesson view: the editable lesson text and the report of the lesson's
// characters with their counts and shares.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvinterf/widgets/RichEdit.h"
#include "kvstruct/core/CString.h"
#include <string>

namespace KV {

class CLesson;

class KVFWCTRL_API CLessonEditor : public CRichEdit
{
public:
    // Units read from the editor and kept by a lesson. A text longer than kLongText is shown
    // by a fresh control as one line, with both scroll bars always there (see SetText).
    enum { kMaxText = 64000, kLongText = 4000 };

    CLessonEditor();
    ~CLessonEditor() override;

    using CRichEdit::Create;
    // A multi-line editor with a vertical scroll bar that reports changes to its parent.
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;

    // Replaces the whole text without change notifications, then turns them on.
    int SetText(const wchar_t* text);
    // Whether the control is set up for a long text: one line that does not wrap, both scroll
    // bars always there (disabled while the text fits).
    bool IsLongText() const { return m_bLong; }

    void SetpLesson(CLesson* lesson) { m_pLesson = lesson; }
    CLesson* GetpLesson() const { return m_pLesson; }
    void SetDlgConfirm(const wchar_t* text) { m_sConfirm = text ? text : L""; }
    const wchar_t* GetDlgConfirm() const { return m_sConfirm; }

    // The editor's text becomes the lesson's (one line) and is written to its file; the editor
    // then shows the lesson's text. 0 without a lesson or when the file could not be written.
    int SaveLesson();
    // Asks with the confirmation text (yes or no); 1 when the answer was yes and the lesson was
    // saved. failed, when given, tells whether a wanted save failed.
    int TrySaveLesson(int* failed = nullptr);
    // Shows the text of a lesson file; the lesson itself changes only when it is saved.
    // 0 without a lesson or when the file cannot be read.
    int LoadLesson(const wchar_t* path);

private:
    // A fresh control in place of the current one: same place, state, font and focus.
    void Rebuild(bool longText);

    CLesson* m_pLesson;
    CString m_sConfirm;
    bool m_bLong;
};

class KVFWCTRL_API CLessonProperty : public CRichEdit
{
public:
    // Distinct characters listed at most, and the length of the report with its terminator.
    enum { kMaxSymbols = 511, kMaxReport = 64000 };
    // Text colour of the captions, 0x00BBGGRR.
    enum : COLORREF { kCaptionColour = 0x00732D2D };

    CLessonProperty();
    ~CLessonProperty() override;

    using CRichEdit::Create;
    // A read-only report with a vertical scroll bar.
    HWND Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id) override;

    void SetpLesson(CLesson* lesson) { m_pLesson = lesson; }
    CLesson* GetpLesson() const { return m_pLesson; }
    // Captions of the symbol, count and share columns and of the total row.
    void SetCaptionTable(const wchar_t* symbol, const wchar_t* count, const wchar_t* share,
                         const wchar_t* total);
    // The last line of a report that had to leave characters out.
    void SetCutNote(const wchar_t* text) { m_sCutNote = text ? text : L""; }

    // Writes the report of the lesson (only while the window is enabled).
    void UpdateProperty();

    // The report text of a lesson; headEnd and tailStart, when given, receive where the rows
    // of the characters begin and end. Never longer than kMaxReport - 1 units.
    std::wstring BuildReport(CLesson* lesson, size_t* headEnd = nullptr, size_t* tailStart = nullptr) const;

private:
    void FormatRange(long start, long end, bool caption);

    CLesson* m_pLesson;
    CString m_sCaption[4];
    CString m_sCutNote;
};

} // namespace KV
