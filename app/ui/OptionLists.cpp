#include "app/ui/OptionLists.h"
#include "app/ui/FWDialog.h"
#include "kvstruct/files/FileOperation.h"
#include "kvstruct/files/IniTable.h"
#include "kvstruct/files/Paths.h"

#include <map>

namespace {
std::wstring g_programFolder;
}

std::wstring ProgramFolder()
{
    if (!g_programFolder.empty())
        return g_programFolder;
    wchar_t folder[MAX_PATH] = {0};
    return KV::GetPathToExeW(folder) ? folder : L"";
}

void SetProgramFolder(const std::wstring& folder)
{
    g_programFolder = folder;
}

std::wstring ControlText(HWND dialog, int id)
{
    const int length = ::GetWindowTextLengthW(::GetDlgItem(dialog, id));
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    ::GetDlgItemTextW(dialog, id, &text[0], length + 1);
    text.resize(static_cast<size_t>(length));
    return text;
}

namespace {

// Icons of the language files, loaded once for the run of the program.
HICON LanguageIcon(const std::wstring& path)
{
    static std::map<std::wstring, HICON> icons;
    auto found = icons.find(path);
    if (found == icons.end())
        found = icons.emplace(path, static_cast<HICON>(::LoadImageW(nullptr, path.c_str(), IMAGE_ICON, 16, 16,
                                                                    LR_LOADFROMFILE))).first;
    return found->second;
}

} // namespace

std::vector<std::wstring> FillLanguages(HWND listBox, const wchar_t* current)
{
    const std::wstring folder = ProgramFolder() + L"Language";
    KV::CFileOperation files;
    files.Load(folder.c_str(), L".ini", 0);
    KV::CIniTable names;
    names.Load_UTF16((folder + L"\\All_Lang_Names.ini").c_str());
    std::vector<std::wstring> result;
    ::SendMessageW(listBox, LB_RESETCONTENT, 0, 0);
    ::SendMessageW(listBox, LB_SETITEMHEIGHT, 0, kIconRowHeight);
    for (unsigned long i = 0; i < files.GetCount(); ++i)
    {
        const std::wstring name = files.GetName(i);
        if (_wcsicmp(name.c_str(), L"All_Lang_Names") == 0)
            continue;
        const std::wstring shown = names.IsKey(name.c_str()) ? names._GetW(name.c_str()) : name;
        const LRESULT row = ::SendMessageW(listBox, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
        // The language's flag beside its name (drawn by the dialog base from the item data).
        ::SendMessageW(listBox, LB_SETITEMDATA, static_cast<WPARAM>(row),
                       reinterpret_cast<LPARAM>(LanguageIcon(folder + L"\\" + name + L".ico")));
        result.push_back(name);
        if (current && _wcsicmp(name.c_str(), current) == 0)
            ::SendMessageW(listBox, LB_SETCURSEL, result.size() - 1, 0);
    }
    return result;
}

std::vector<std::wstring> KeyboardTypes()
{
    KV::CFileOperation files;
    files.Load((ProgramFolder() + L"Data").c_str(), L".kbd", 0);
    std::vector<std::wstring> types;
    for (unsigned long i = 0; i < files.GetCount(); ++i)
        types.push_back(files.GetName(i));
    return types;
}

void FillKeyboardTypes(HWND comboBox, const std::vector<std::wstring>& types, const wchar_t* current,
                       const KV::CIniTable* lang)
{
    ::SendMessageW(comboBox, CB_RESETCONTENT, 0, 0);
    for (size_t i = 0; i < types.size(); ++i)
    {
        // "Type #2" is shown as the language's "Type" with the file's number.
        const std::wstring& name = types[i];
        const size_t hash = name.find(L'#');
        const std::wstring shown =
            hash == std::wstring::npos ? name : LangText(lang, L"Type") + L" #" + name.substr(hash + 1);
        ::SendMessageW(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(shown.c_str()));
        if (current && name == current)
            ::SendMessageW(comboBox, CB_SETCURSEL, i, 0);
    }
}

void FillKeyboardViews(HWND comboBox, unsigned short view, const KV::CIniTable* lang)
{
    ::SendMessageW(comboBox, CB_RESETCONTENT, 0, 0);
    ::SendMessageW(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LangText(lang, L"View3D").c_str()));
    ::SendMessageW(comboBox, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(LangText(lang, L"Flat").c_str()));
    ::SendMessageW(comboBox, CB_SETCURSEL, view ? 1 : 0, 0);
}
