#include "kvfwctrl/stats/TableExport.h"
#include "kvstruct/files/SafeFile.h"
#include <commdlg.h>
#include <vector>

namespace KV {

namespace {

std::string Utf8(const std::wstring& text)
{
    if (text.empty())
        return std::string();
    const int n =
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), nullptr, 0, nullptr, nullptr);
    std::string out((size_t)(n > 0 ? n : 0), '\0');
    if (n > 0)
        ::WideCharToMultiByte(CP_UTF8, 0, text.data(), (int)text.size(), &out[0], n, nullptr, nullptr);
    return out;
}

// Cells are padded to a width for the screen; a spreadsheet wants the bare value, and a
// decimal comma (from a C library set to another locale) becomes a dot.
std::wstring Bare(const wchar_t* text)
{
    std::wstring s = text ? text : L"";
    const size_t first = s.find_first_not_of(L' ');
    if (first == std::wstring::npos)
        return std::wstring();
    s = s.substr(first, s.find_last_not_of(L' ') - first + 1);
    bool numeric = !s.empty();
    size_t commas = 0;
    for (wchar_t c : s)
    {
        if (c == L',')
            ++commas;
        else if (!((c >= L'0' && c <= L'9') || c == L'%' || c == L'-'))
            numeric = false;
    }
    if (numeric && commas == 1)
        for (wchar_t& c : s)
            if (c == L',')
                c = L'.';
    return s;
}

bool WinAskSaveFile(HWND owner, const wchar_t* suggestedName, std::wstring& path)
{
    wchar_t file[MAX_PATH] = L"";
    if (suggestedName)
        ::lstrcpynW(file, suggestedName, MAX_PATH);
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof(ofn);
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = L"CSV (*.csv)\0*.csv\0\0";
    ofn.lpstrFile = file;
    ofn.nMaxFile = MAX_PATH;
    ofn.lpstrDefExt = L"csv";
    ofn.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOCHANGEDIR;
    if (!::GetSaveFileNameW(&ofn))
        return false;
    path = file;
    return true;
}

SaveFileAsk g_ask = &WinAskSaveFile;

} // namespace

std::string CsvField(const std::wstring& text)
{
    const bool quote = text.find_first_of(L",\"\r\n") != std::wstring::npos ||
                       (!text.empty() && (text.front() == L' ' || text.back() == L' '));
    std::string out = Utf8(text);
    if (!quote)
        return out;
    std::string q = "\"";
    for (char c : out)
    {
        if (c == '"')
            q += '"';
        q += c;
    }
    return q + "\"";
}

std::string FormatTableCSV(const CTableChart& table)
{
    std::string out = "\xEF\xBB\xBF";
    const unsigned long columns = table.GetNumColumn();
    for (unsigned long c = 0; c < columns; ++c)
    {
        if (c)
            out += ',';
        const wchar_t* name = table.GetHeaderText(c);
        out += CsvField(name ? name : L"");
    }
    out += "\r\n";
    const unsigned long rows = columns ? table.GetNumCells() / columns : 0;
    for (unsigned long r = 0; r < rows; ++r)
    {
        for (unsigned long c = 0; c < columns; ++c)
        {
            if (c)
                out += ',';
            out += CsvField(Bare(table.GetCellText(c, r)));
        }
        out += "\r\n";
    }
    return out;
}

bool ExportTableCSV(const CTableChart& table, const wchar_t* path)
{
    if (!path || !*path)
        return false;
    const std::string bytes = FormatTableCSV(table);
    CSafeOutFile file;
    if (!file.Open(path))
        return false;
    file.Stream().write(bytes.data(), (std::streamsize)bytes.size());
    if (!file.Stream())
    {
        file.Abandon();
        return false;
    }
    return file.Commit();
}

SaveFileAsk SetSaveFileAsk(SaveFileAsk ask)
{
    SaveFileAsk previous = g_ask;
    g_ask = ask ? ask : &WinAskSaveFile;
    return previous;
}

bool AskSaveFile(HWND owner, const wchar_t* suggestedName, std::wstring& path)
{
    return g_ask(owner, suggestedName, path);
}

} // namespace KV
