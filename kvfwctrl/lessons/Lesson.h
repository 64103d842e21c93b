#pragma once
// One exercise text, or one folder entry of the lesson library. The text is kept as UTF-16 and
// as 8-bit text in the library's code page and is read from its file on first use. Lessons of
// "Letter", "Capital" and "DigitSymbol" are stored as scan codes (shift flag and two hex digits
// per character), so one file serves every keyboard layout.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvstruct/core/CString.h"
#include <windows.h>

#include <string>

namespace KV {

class CLessonList;

class KVFWCTRL_API CLesson
{
public:
    // Limits of the texts: the 8-bit text holds 63,999 bytes, conversions give 64,000 units.
    static const unsigned long kMaxTextBytes = 63999;
    static const unsigned long kMaxTextUnits = 64000;

    explicit CLesson(CLessonList* list = nullptr);
    ~CLesson();
    CLesson(const CLesson&) = delete;
    CLesson& operator=(const CLesson&) = delete;

    void SetRelPath(const wchar_t* path);
    const wchar_t* GetRelPath() const { return m_sRelPath; }
    // Ignored when empty.
    void SetParentName(const wchar_t* name);
    const wchar_t* GetParentName() const { return m_sParentName; }
    void SetLessonName(const wchar_t* name, bool isSection);
    void SetLessonNameSys(const wchar_t* name);
    const wchar_t* GetLessonNameSys() const { return m_sLessonNameSys; }
    void SetSection(int section) { m_nSection = section; }
    int GetSection() const { return m_nSection; }
    // "Letter" 1, "Syllable" 2, "Capital" 3, "Words" 4, "DigitSymbol" 5, "Text" 6, "User" 7,
    // "Addition" 8, anything else 0.
    unsigned short GetType() const;
    CLessonList* GetList() const { return m_pList; }

    // The shown name; for scan-code lessons the characters of the file name, space separated.
    const wchar_t* GetName();
    // Library base path, relative path and parent name joined; "" (buffer untouched) when one
    // of them is missing. The path is cut to size units; without a size, MAX_PATH.
    const wchar_t* GetBasePath(wchar_t* buffer, size_t size) const;
    const wchar_t* GetBasePath(wchar_t* buffer) const { return GetBasePath(buffer, MAX_PATH); }

    // 1, or 0 when the file cannot be opened (the user saw a warning).
    int Load(const wchar_t* path);
    // 0 when either is empty; otherwise the file folder\name with the extension ".txt".
    int Load(const wchar_t* folder, const wchar_t* name);
    // Writes the lesson file (scan codes for scan-code lessons); the previous file survives any
    // failure. 1 on success.
    int Save();
    // Renames folder\<system name>.txt to folder\<newName>.txt; 1 on success.
    int Rename(const wchar_t* folder, const wchar_t* newName);
    // Sends folder\<system name>.txt to the recycle bin; 0 when that was aborted or failed.
    int Delete(const wchar_t* folder);

    unsigned short GetLength();
    // The text from offset (clamped to the end).
    const wchar_t* GetTextW(unsigned long offset = 0);
    const char* GetTextA(unsigned long offset = 0);
    void SetTextW(const wchar_t* text);
    void SetTextA(const char* text);
    void RemoveText();
    void SetUpdateFlag();
    void SetMultiLangFlag() { m_nMultiLang = 1; }
    int GetMultiLangFlag() const { return m_nMultiLang; }

    // Occurrences of ch in the text; the count also goes into buffer in decimal, cut to size
    // units (kNumberTextSize without a size).
    static const size_t kNumberTextSize = 16;
    unsigned long GetNumSymbol(wchar_t ch, wchar_t* buffer, size_t size);
    unsigned long GetNumSymbol(wchar_t ch, wchar_t* buffer)
    {
        return GetNumSymbol(ch, buffer, kNumberTextSize);
    }
    // Appends to buffer each character of the text it does not hold yet; at most size - 1
    // characters end up in it. Without a size the caller's buffer is trusted to hold them all.
    void GetUniSymbols(wchar_t* buffer, size_t size);
    void GetUniSymbols(wchar_t* buffer);

    // The scan-code conversions with the active keyboard layout (through KV::GetKeyboardLayer()).
    // false (text unchanged) when a triple does not parse.
    static bool ConvertScanCode(std::wstring& text);
    static bool ConvertVirtCode(std::wstring& text);

private:
    bool IsLessonScanCode();
    void PrepareText();
    void ReformName(const std::wstring& chars);
    unsigned int GetCP() const;
    std::wstring FilePath(const wchar_t* folder, const wchar_t* name) const;

    std::string m_szTextA;
    CString m_sRelPath;
    CString m_sParentName;
    CString m_sLessonName;
    CString m_sLessonNameSys;
    CString m_sText;
    int m_nSection;
    int m_nUpdateText;
    int m_nUpdateName;
    int m_nMultiLang;
    CLessonList* m_pList;
};

// Conversions between 8-bit text in a code page and UTF-16 (MB_PRECOMPOSED where the code page
// allows it); the 8-bit result is cut at a whole character to maxBytes.
KVFWCTRL_API std::wstring LessonToWide(const std::string& text, unsigned int codePage);
KVFWCTRL_API std::string LessonToNarrow(const std::wstring& text, unsigned int codePage, size_t maxBytes);

} // namespace KV
