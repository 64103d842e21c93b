#include "FuzzFormats.h"
#include "kvfwctrl/kvfwctrl.h"
#include "kvinterf/kvinterf.h"
#include "kvstruct/kvstruct.h"
#include "kvtesting/KeyboardLayerTable.h"
#include "app/doc/WaltzDoc.h"

#include <windows.h>
#include <shlwapi.h>
#include <algorithm>
#include <sstream>

namespace fuzz {

namespace {

std::wstring g_tempDir;

std::wstring ProgramDir()
{
    wchar_t path[MAX_PATH];
    DWORD n = ::GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring dir(path, n);
    return dir.substr(0, dir.find_last_of(L"\\/") + 1);
}

std::string ReadWhole(const std::wstring& path)
{
    std::string bytes;
    HANDLE h = ::CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE)
        return bytes;
    LARGE_INTEGER size;
    if (::GetFileSizeEx(h, &size) && size.QuadPart < (16 << 20))
    {
        bytes.resize(static_cast<size_t>(size.QuadPart));
        DWORD got = 0;
        if (!::ReadFile(h, &bytes[0], static_cast<DWORD>(bytes.size()), &got, nullptr))
            got = 0;
        bytes.resize(got);
    }
    ::CloseHandle(h);
    return bytes;
}

// Shipped files below the program's folder matching the pattern, at most `limit`, in name order.
void AddShipped(std::vector<std::string>& seeds, const std::wstring& folder, const wchar_t* pattern,
                size_t limit = 32)
{
    std::vector<std::wstring> found;
    std::vector<std::wstring> dirs{ProgramDir() + folder};
    while (!dirs.empty())
    {
        const std::wstring dir = dirs.back();
        dirs.pop_back();
        WIN32_FIND_DATAW fd;
        HANDLE h = ::FindFirstFileW((dir + L"\\*").c_str(), &fd);
        if (h == INVALID_HANDLE_VALUE)
            continue;
        do
        {
            const std::wstring name = fd.cFileName;
            if (name == L"." || name == L"..")
                continue;
            if (fd.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                dirs.push_back(dir + L"\\" + name);
            else if (::PathMatchSpecW(name.c_str(), pattern))
                found.push_back(dir + L"\\" + name);
        } while (::FindNextFileW(h, &fd));
        ::FindClose(h);
    }
    std::sort(found.begin(), found.end());
    for (size_t i = 0; i < found.size() && i < limit; ++i)
    {
        std::string bytes = ReadWhole(found[i]);
        if (!bytes.empty())
            seeds.push_back(bytes);
    }
}

std::vector<std::string> Shipped(const wchar_t* folder, const wchar_t* pattern)
{
    std::vector<std::string> seeds;
    AddShipped(seeds, folder, pattern);
    return seeds;
}

struct Bytes
{
    std::string b;
    Bytes& U16(unsigned v)
    {
        b += static_cast<char>(v & 0xff);
        b += static_cast<char>((v >> 8) & 0xff);
        return *this;
    }
    Bytes& U32(unsigned long v) { return U16(v & 0xffff).U16((v >> 16) & 0xffff); }
    Bytes& Str(const wchar_t* s)
    {
        U16(static_cast<unsigned>(wcslen(s)));
        for (; *s; ++s)
            U16(*s);
        return *this;
    }
    Bytes& Skin(unsigned id, int a, int b2, int c, int d, unsigned long style)
    {
        return U16(1).U16(id).U16(a).U16(b2).U16(c).U16(d).U16(0).U16(0).U16(99).U16(99).U32(style);
    }
};

std::string Bitmap(int width, int height, int bits)
{
    const int colours = bits <= 8 ? (1 << bits) : 0;
    const int stride = ((width * bits + 31) / 32) * 4;
    const unsigned long offset = 54 + colours * 4;
    Bytes f;
    f.b = "BM";
    f.U32(offset + stride * height).U32(0).U32(offset).U32(40).U32(width).U32(height).U16(1).U16(bits);
    f.U32(0).U32(stride * height).U32(2835).U32(2835).U32(colours).U32(0);
    for (int i = 0; i < colours; ++i)
        f.U32(0x010203u * i);
    for (int i = 0; i < stride * height; ++i)
        f.b += static_cast<char>(i * 37);
    return f.b;
}

std::vector<std::string> BitmapSeeds()
{
    std::vector<std::string> seeds = Shipped(L"Data", L"*.bmp");
    for (int bits : {24, 8, 32, 4, 1})
        seeds.push_back(Bitmap(5, 3, bits));
    seeds.push_back(Bitmap(1, 1, 24));
    return seeds;
}

std::vector<std::string> SkinSeeds()
{
    Bytes a;
    a.U16(1).Str(L"Blue").U16(5);
    a.Skin(700, 0, 0, 0, 0, 0x01111411)
        .Skin(701, 30, 4, 20, 12, 0x02002112)
        .Skin(702, 5, 6, 70, 80, 0x03012111);
    a.Skin(703, 700, 0, 701, 24, 0x13000015).Skin(704, 1, 2, 3, 4, 0x09000011);
    Bytes b;
    b.U16(1).Str(L"").U16(1).Skin(1, 0, 0, 10, 10, 0x0B000000);
    return {a.b, b.b};
}

std::vector<std::string> AnsiIniSeeds()
{
    std::vector<std::string> seeds{"[Main]\r\nName=Value\r\nEmpty=\r\n;note\r\n[Other]\r\nx=1\r\n",
                                   "a=b\nc\n[\n]=\n"};
    // The shipped language files with their text narrowed to bytes.
    for (const std::string& wide : Shipped(L"Language", L"*.ini"))
    {
        std::string narrow;
        for (size_t i = 2; i + 1 < wide.size(); i += 2)
            narrow += static_cast<char>(wide[i]);
        seeds.push_back(narrow);
    }
    return seeds;
}

std::vector<std::string> LessonSeeds()
{
    std::vector<std::string> seeds = Shipped(L"Lessons", L"*.txt");
    seeds.push_back("01e01f020 02a01e\r\n");
    seeds.push_back("Plain words, one line.\r\nAnd \xe4 second\r\n");
    return seeds;
}

std::vector<std::string> StatisticsSeeds()
{
    KV::CLapListLang store;
    KV::CLapList* de = store.SetKLID(L"00000407");
    for (int lap = 0; lap < 3; ++lap)
    {
        de->StartLap();
        de->SetNameLesson(lap ? L"Lesson two" : L"L1");
        de->SetTypeLesson(static_cast<unsigned short>(lap + 1));
        de->AddGoodWord();
        de->NewStatError(6);
        de->AddStatError(lap, 1);
        de->AddStatLetter(L"abc de", 0, 2);
        de->SetCurTime();
        de->EndLap();
        de->ResetLap();
    }
    de->StartLap();
    de->NewStatError(5);
    de->AddStatError(2, 1);
    KV::CLapList* en = store.SetKLID(L"00000409");
    en->StartLap();
    en->AddStatLetter(L"xyz", 0, 1);
    en->EndLap();
    std::ostringstream out;
    store.Serialize(out);
    std::ostringstream empty;
    KV::CLapListLang().Serialize(empty);
    return {out.str(), empty.str()};
}

// The three files of a user with a few passes, written by the document itself: main file
// (header and statistics), options, places.
struct CUserFiles
{
    std::string sta, opt, pla;
};

CUserFiles UserFileSeeds()
{
    CWaltzDoc doc;
    doc.GetHeader().SetNick(L"Fuzz");
    std::string stats = StatisticsSeeds().front();
    std::istringstream in(stats);
    doc.GetStat().Serialize(in);
    const std::wstring base = g_tempDir + L"\\seed-user";
    const std::wstring sta = base + L".sta", opt = base + L".opt", pla = base + L".pla";
    CUserFiles files;
    if (doc.Save(sta.c_str(), opt.c_str(), pla.c_str()))
    {
        files.sta = ReadWhole(sta);
        files.opt = ReadWhole(opt);
        files.pla = ReadWhole(pla);
    }
    ::DeleteFileW(sta.c_str());
    ::DeleteFileW(opt.c_str());
    ::DeleteFileW(pla.c_str());
    return files;
}

std::vector<std::string> Seed(std::string bytes)
{
    std::vector<std::string> seeds;
    if (!bytes.empty())
        seeds.push_back(std::move(bytes));
    return seeds;
}

std::vector<std::string> LayoutListSeeds()
{
    // The installed layouts of the keyboard tables.
    KV::CListLayout list;
    list.Init();
    std::ostringstream out;
    list.Serialize(out);
    return {out.str()};
}

std::vector<std::string> SoundListSeeds()
{
    KV::CSoundSystem sounds;
    sounds.Add(0, L"click-1.ogg");
    sounds.Add(4, L"alarm-2.ogg", 0, 55)->SetBreakPlay(0);
    sounds.Add(9, L"music-1.ogg", 1, 30);
    std::ostringstream out;
    sounds.Serialize(out);
    return {out.str()};
}

void ReadKeyboard(const std::string&, const std::wstring& file, uint64_t)
{
    KV::CKeyboard keyboard;
    keyboard.Load(file.c_str());
}

void ReadLevel(const std::string&, const std::wstring& file, uint64_t)
{
    KV::CLevel level;
    level.Load(file.c_str());
}

void ReadSkin(const std::string&, const std::wstring& file, uint64_t iteration)
{
    KV::CSkinWnd wnd;
    wnd.Load(file.c_str(), static_cast<int>(iteration & 1));
}

void ReadIniUtf16(const std::string&, const std::wstring& file, uint64_t)
{
    KV::CIniTable table;
    table.Load_UTF16(file.c_str());
    table.GetW(L"Name");
}

void ReadIniAnsi(const std::string&, const std::wstring& file, uint64_t)
{
    KV::CIniTable table;
    table.Load_ANSII(file.c_str());
    table.GetW(L"Name");
}

void ReadDib(const std::string&, const std::wstring& file, uint64_t)
{
    KV::CDib dib;
    dib.Load(file.c_str());
}

void ReadImage(const std::string&, const std::wstring& file, uint64_t)
{
    KV::CImage image;
    image.ReadBMPFile(file.c_str(), 0);
}

void ReadLesson(const std::string&, const std::wstring& file, uint64_t iteration)
{
    static const wchar_t* const kSections[] = {L"Letter",      L"Syllable", L"Capital", L"Words",
                                               L"DigitSymbol", L"Text",     L"User",    L"Addition"};
    KV::CLessonList list;
    list.SetBasePath(g_tempDir.c_str());
    KV::CLesson lesson(&list);
    lesson.SetParentName(kSections[iteration % 8]);
    lesson.SetLessonName(L"01e01f", false);
    if (lesson.Load(file.c_str()))
    {
        lesson.GetLength();
        lesson.GetName();
        lesson.GetTextA();
    }
}

void ReadStatistics(const std::string& bytes, const std::wstring&, uint64_t)
{
    std::istringstream in(bytes);
    KV::CLapListLang store;
    store.Serialize(in);
}

// A main file of any version, ".sta" or an old ".usr" (mutated version words reach the old
// layouts that carry options and places inside).
void ReadUserMain(const std::string&, const std::wstring& file, uint64_t)
{
    CWaltzDoc doc;
    doc.LoadMainFile(file.c_str());
}

void ReadUserOptions(const std::string& bytes, const std::wstring&, uint64_t)
{
    std::istringstream in(bytes);
    COptionsDoc options;
    options.Serialize(in);
}

void ReadUserPlaces(const std::string& bytes, const std::wstring&, uint64_t)
{
    std::istringstream in(bytes);
    CPlacesDoc places;
    places.Serialize(in);
}

void ReadLayoutList(const std::string& bytes, const std::wstring&, uint64_t)
{
    std::istringstream in(bytes);
    KV::CListLayout list;
    list.Init();
    list.Serialize(in);
}

void ReadSoundList(const std::string& bytes, const std::wstring&, uint64_t)
{
    std::istringstream in(bytes);
    KV::CSoundSystem sounds;
    sounds.Serialize(in);
}

void ReadOgg(const std::string&, const std::wstring& file, uint64_t)
{
    KV::CPcmBuffer pcm;
    KV::DecodeVorbisFileW(file.c_str(), pcm);
}

int SilentBox(HWND, const wchar_t*, const wchar_t*, unsigned int)
{
    return IDOK;
}

void NoExit(unsigned int) {}

} // namespace

const std::vector<CFormat>& Formats()
{
    static const std::vector<CFormat> formats = {
        {"kbd", L".kbd", [] { return Shipped(L"Data", L"*.kbd"); }, ReadKeyboard, false},
        {"wrd", L".wrd", [] { return Shipped(L"Data", L"*.wrd"); }, ReadLevel, false},
        {"skn", L".skn", SkinSeeds, ReadSkin, false},
        {"ini16", L".ini", [] { return Shipped(L"Language", L"*.ini"); }, ReadIniUtf16, false},
        {"ini8", L".ini", AnsiIniSeeds, ReadIniAnsi, false},
        {"dib", L".bmp", BitmapSeeds, ReadDib, false},
        {"image", L".bmp", BitmapSeeds, ReadImage, false},
        {"lesson", L".txt", LessonSeeds, ReadLesson, false},
        {"stats", L".bin", StatisticsSeeds, ReadStatistics, false},
        {"layouts", L".bin", LayoutListSeeds, ReadLayoutList, false},
        {"sounds", L".bin", SoundListSeeds, ReadSoundList, false},
        {"ogg", L".ogg", [] { return Shipped(L"Sound", L"*.ogg"); }, ReadOgg, true},
        {"sta", L".sta", [] { return Seed(UserFileSeeds().sta); }, ReadUserMain, false},
        {"usr", L".usr", [] { return Seed(UserFileSeeds().sta); }, ReadUserMain, false},
        {"opt", L".opt", [] { return Seed(UserFileSeeds().opt); }, ReadUserOptions, false},
        {"pla", L".pla", [] { return Seed(UserFileSeeds().pla); }, ReadUserPlaces, false},
    };
    return formats;
}

const CFormat* FindFormat(const std::string& name)
{
    for (const CFormat& f : Formats())
        if (name == f.name)
            return &f;
    return nullptr;
}

void PrepareReaders(const std::wstring& tempDir)
{
    g_tempDir = tempDir;
    KV::SetMsgBoxHandler(SilentBox);
    KV::SetExitHandler(NoExit);
    static KV::CTableKeyboardLayer layer;
    KV::SetKeyboardLayer(&layer);
}

} // namespace fuzz
