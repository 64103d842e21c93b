#include "app/doc/WaltzDoc.h"
#include "kvstruct/core/Serialize.h"
#include "kvstruct/files/IniTable.h"
#include "kvstruct/files/SafeFile.h"
#include "kvstruct/sys/MsgBox.h"

#include <windows.h>
#include <fstream>
#include <memory>

namespace {

// Large statistics files read and write in a fraction of the time with a big stream buffer.
const size_t kStreamBuffer = 1 << 16;

// Opens a user file for reading with the big buffer; false when it cannot be opened.
bool OpenRead(std::ifstream& in, std::vector<char>& buffer, const wchar_t* path)
{
    buffer.resize(kStreamBuffer);
    in.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
    in.open(path, std::ios::binary);
    return in.is_open();
}

// "C:\Users\abc.sta" -> "abc".
std::wstring BaseName(const wchar_t* path)
{
    std::wstring name(path);
    const size_t slash = name.find_last_of(L"\\/");
    if (slash != std::wstring::npos)
        name.erase(0, slash + 1);
    const size_t dot = name.rfind(L'.');
    if (dot != std::wstring::npos && dot > 0)
        name.erase(dot);
    return name;
}

bool IsPath(const wchar_t* path)
{
    return path && path[0];
}

// Reads one of the side files (file version word, then the record); a file that is not there
// keeps the defaults and is not damage.
template <class Record>
bool ReadSideFile(const wchar_t* path, Record& record, std::vector<std::wstring>& damaged)
{
    std::ifstream in;
    std::vector<char> buffer;
    if (!OpenRead(in, buffer, path))
        return true;
    const unsigned short version = KV::SerializeUS(in);
    if (in.fail() || version == 0 || !record.Serialize(in))
    {
        damaged.push_back(path);
        return false;
    }
    return true;
}

} // namespace

CWaltzDoc::CWaltzDoc() : m_pLangTable(nullptr), m_bSaveFailureTold(false)
{
    m_stat.CreateKLIDDef();
}

CWaltzDoc::~CWaltzDoc() = default;

bool CWaltzDoc::KeepDamaged()
{
    if (m_damaged.empty())
        return true;
    std::wstring kept;
    for (const std::wstring& path : m_damaged)
    {
        const std::wstring copy = path + L".damaged";
        if (!::CopyFileW(path.c_str(), copy.c_str(), FALSE))
        {
            // Not even a copy could be made: the file stays as it is, unsaved over.
            if (::GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES)
                return false;
            continue;
        }
        kept += L"\n";
        kept += copy;
    }
    m_damaged.clear();
    if (!kept.empty())
    {
        std::wstring text = m_pLangTable ? m_pLangTable->_GetW(L"DamagedFileKept") : std::wstring();
        if (text.empty())
            text = L"A user file could not be read. It was kept under this name:";
        KV::ShowMsgBox(nullptr, (text + kept).c_str(), KV::kAppCaption, MB_OK | MB_ICONWARNING);
    }
    return true;
}

void CWaltzDoc::PlayGameSound(unsigned short code)
{
    m_options.m_soundGame.Play(code);
}

int CWaltzDoc::SaveUser()
{
    if (!m_saver)
        return 0;
    if (m_saver())
        return 1;
    if (!m_bSaveFailureTold)
    {
        m_bSaveFailureTold = true;
        std::wstring text = m_pLangTable ? m_pLangTable->_GetW(L"UserNotSaved") : std::wstring();
        if (text.empty())
            text = L"Your results could not be saved. They are kept and saved again after the next lesson.";
        KV::ShowMsgBox(nullptr, text.c_str(), KV::kAppCaption, MB_OK | MB_ICONWARNING);
    }
    return 0;
}

int CWaltzDoc::Save(const wchar_t* staPath, const wchar_t* optPath, const wchar_t* plaPath)
{
    if (!IsPath(staPath) || !IsPath(optPath) || !IsPath(plaPath))
        return 0;
    if (!KeepDamaged())
        return 0;
    KV::CSafeOutFile files[3];
    const wchar_t* paths[3] = {staPath, optPath, plaPath};
    for (int i = 0; i < 3; ++i)
        if (!files[i].Open(paths[i], kStreamBuffer))
            return 0;
    m_header.Serialize(files[0].Stream());
    KV::SerializeUS(files[0].Stream(), kStaVersion);
    m_stat.Serialize(files[0].Stream());
    KV::SerializeUS(files[1].Stream(), 1);
    m_options.Serialize(files[1].Stream());
    KV::SerializeUS(files[2].Stream(), 1);
    m_places.Serialize(files[2].Stream());
    // A temporary that is not complete replaces nothing; the uncommitted ones are dropped.
    for (KV::CSafeOutFile& file : files)
        if (!file.Stream().good())
            return 0;
    for (KV::CSafeOutFile& file : files)
        if (!file.Commit())
            return 0;
    return 1;
}

int CWaltzDoc::ReadMain(std::istream& in)
{
    const unsigned short version = KV::SerializeUS(in);
    if (in.fail() || version == 0)
        return 0;
    bool whole = true;
    if (version <= 2)
    {
        whole = m_options.Serialize(in) != 0;
        whole = m_places.Serialize(in) != 0 && whole;
    }
    if (version == 1)
    {
        KV::CLapList* list = m_stat.GetCurrent();
        list->Serialize(in);
        list->SetLessonID(KV::SerializeUS(in));
        list->SetLetterIndex(KV::SerializeUS(in));
    }
    else
    {
        m_stat.Serialize(in);
        m_stat.GetCurrent();
    }
    return whole && !in.fail() ? 1 : 0;
}

int CWaltzDoc::Load(const wchar_t* staPath, const wchar_t* optPath, const wchar_t* plaPath)
{
    m_stat.Clear();
    m_stat.CreateKLIDDef();
    m_damaged.clear();
    if (!IsPath(staPath) || !IsPath(optPath) || !IsPath(plaPath))
        return LoadNoPath;
    m_options.SetDefault();
    m_places.SetDefault();
    {
        std::ifstream in;
        std::vector<char> buffer;
        if (OpenRead(in, buffer, staPath))
        {
            if (!m_header.Serialize(in))
            {
                // The file keeps its name: the user's data stay under the same ID.
                const std::wstring id = BaseName(staPath);
                m_header = CHeaderDoc(id.c_str(), L"", L"", L"", id.c_str());
                m_damaged.push_back(staPath);
                return LoadFailed;
            }
            if (!ReadMain(in))
                m_damaged.push_back(staPath);
        }
    }
    ReadSideFile(optPath, m_options, m_damaged);
    ReadSideFile(plaPath, m_places, m_damaged);
    return 1;
}

int CWaltzDoc::LoadMainFile(const wchar_t* path)
{
    m_stat.Clear();
    m_stat.CreateKLIDDef();
    m_damaged.clear();
    m_options.SetDefault();
    m_places.SetDefault();
    std::ifstream in;
    std::vector<char> buffer;
    if (!IsPath(path) || !OpenRead(in, buffer, path))
        return 0;
    CHeaderDoc header;
    if (!header.Serialize(in) || !ReadMain(in))
        return 0;
    m_header = header;
    return 1;
}

void CWaltzDoc::AddStatError(short kind)
{
    m_stat.AddStatError(static_cast<int>(GetLetterIndex()), kind);
}

void CWaltzDoc::AddStatLetter(unsigned long onlyFaulty, unsigned long sortOrder)
{
    const wchar_t* text = GetCurTextW();
    GetCurLapList()->AddStatLetter(text ? text : L"", onlyFaulty, sortOrder);
}

unsigned long CWaltzDoc::GetLessonID()
{
    KV::CLapList* list = GetCurLapList();
    unsigned long id = list->GetLessonID();
    KV::CLessonList& library = GetCurLessonList();
    if (id < library.GetCount())
        return id;
    if (list->GetCourseID() != 1)
        id = 1;
    else if (library.GetCount() == 0)
    {
        list->SetCourseID(0);
        id = 1;
    }
    else
        id = 0;
    list->SetLessonID(id);
    return id;
}

KV::CLesson* CWaltzDoc::GetCurLesson()
{
    const unsigned long id = GetLessonID();
    KV::CLesson* lesson = GetCurLessonList().Get(id);
    return lesson && lesson->GetSection() == 0 ? lesson : nullptr;
}

unsigned short CWaltzDoc::GetCurLessonLength()
{
    KV::CLesson* lesson = GetCurLesson();
    return lesson ? lesson->GetLength() : 0;
}

const wchar_t* CWaltzDoc::GetCurTextW(unsigned long offset)
{
    KV::CLesson* lesson = GetCurLesson();
    return lesson ? lesson->GetTextW(offset) : nullptr;
}

const char* CWaltzDoc::GetCurTextA(unsigned long offset)
{
    KV::CLesson* lesson = GetCurLesson();
    return lesson ? lesson->GetTextA(offset) : nullptr;
}

void CWaltzDoc::SetLetterIndex(unsigned long index)
{
    if (index <= GetCurLessonLength())
        GetCurLapList()->SetLetterIndex(index);
}

wchar_t CWaltzDoc::LetterAt(unsigned long index)
{
    if (index >= GetCurLessonLength())
        return 0;
    const wchar_t* text = GetCurTextW(index);
    return text ? text[0] : 0;
}

wchar_t CWaltzDoc::GetCurLetter()
{
    return LetterAt(GetLetterIndex());
}

wchar_t CWaltzDoc::GetNextLetter()
{
    return LetterAt(GetLetterIndex() + 1);
}

void CWaltzDoc::NextLesson()
{
    const unsigned long id = GetCurLessonList().GetNextID(GetLessonID());
    SetLessonID(id);
    GetCurLapList()->SetLetterIndex(0);
}

void CWaltzDoc::PrevLesson()
{
    const unsigned long id = GetCurLessonList().GetPrevID(GetLessonID());
    SetLessonID(id);
    GetCurLapList()->SetLetterIndex(0);
}

void CWaltzDoc::GetUniSymbols(unsigned long id, wchar_t* buffer, size_t bufferSize)
{
    if (buffer && bufferSize)
        buffer[0] = 0;
    GetCurLessonList().GetUniSymbols(id, buffer, bufferSize);
}

void CWaltzDoc::ReviseLessonID()
{
    KV::CLessonList& library = GetCurLessonList();
    if (library.GetCount() > 0)
        m_stat.ReviseLessonID(library.GetCount() - 1, library.GetLastID());
}
