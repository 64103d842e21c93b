#include "bench.h"
#include "app/doc/UserManager.h"
#include "app/doc/UserSettings.h"
#include "app/doc/WaltzDoc.h"
#include "kvstruct/core/Serialize.h"
#include "kvtesting/ByteMutator.h"

#include <windows.h>
#include <sstream>
#include <string>

namespace {

std::wstring BenchFolder(const wchar_t* name)
{
    wchar_t dir[MAX_PATH];
    ::GetTempPathW(MAX_PATH, dir);
    std::wstring folder = std::wstring(dir) + name;
    ::CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

void RemoveFolder(const std::wstring& folder)
{
    WIN32_FIND_DATAW found;
    HANDLE find = ::FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (find != INVALID_HANDLE_VALUE)
    {
        do
            ::DeleteFileW((folder + L"\\" + found.cFileName).c_str());
        while (::FindNextFileW(find, &found));
        ::FindClose(find);
    }
    ::RemoveDirectoryW(folder.c_str());
}

// A user who typed 65,535 passes of a 40-character lesson.
void FillHistory(CWaltzDoc& doc)
{
    KV::CLapList* list = doc.GetStat().GetCurrent();
    const wchar_t* lesson = L"the quick brown fox jumps over lazy dogs";
    for (unsigned i = 0; i < 65535; ++i)
    {
        list->StartLap();
        list->SetNameLesson(L"Words");
        list->AddStatLetter(lesson, 0, 2);
        list->EndLap();
    }
    list->ResetLap();
}

struct UserPaths
{
    explicit UserPaths(const std::wstring& folder)
        : sta(folder + L"\\big.sta"), opt(folder + L"\\big.opt"), pla(folder + L"\\big.pla")
    {}
    std::wstring sta, opt, pla;
};

fwbench::Registrar saveUser("users: save a user with 65,535 passes of 40 characters", 150.0, [] {
    const std::wstring folder = BenchFolder(L"fw_bench_users_save");
    const UserPaths paths(folder);
    CWaltzDoc doc;
    FillHistory(doc);
    const double ms =
        fwbench::MedianMs(5, [&] { doc.Save(paths.sta.c_str(), paths.opt.c_str(), paths.pla.c_str()); });
    RemoveFolder(folder);
    return ms;
});

fwbench::Registrar openUser("users: open a user with 65,535 passes of 40 characters", 150.0, [] {
    const std::wstring folder = BenchFolder(L"fw_bench_users_open");
    const UserPaths paths(folder);
    {
        CWaltzDoc doc;
        FillHistory(doc);
        doc.Save(paths.sta.c_str(), paths.opt.c_str(), paths.pla.c_str());
    }
    CWaltzDoc doc;
    // Opened into an empty document, as at start-up (freeing a previous history is not timed).
    const double ms = fwbench::MedianMs(
        5, [&] { doc.Load(paths.sta.c_str(), paths.opt.c_str(), paths.pla.c_str()); },
        [&] { doc.GetStat().Clear(); });
    RemoveFolder(folder);
    return ms;
});

fwbench::Registrar listUsers("users: list 100 users with 1,000 passes each", 50.0, [] {
    const std::wstring folder = BenchFolder(L"fw_bench_users_list");
    CUserSettings settings((folder + L"\\fingerwaltz.ini").c_str(), (folder + L"\\User").c_str());
    settings.ResetUserPath();
    CWaltzDoc doc;
    KV::CLapList* list = doc.GetStat().GetCurrent();
    for (unsigned i = 0; i < 1000; ++i)
    {
        list->StartLap();
        list->AddStatLetter(L"asdf jkl;", 0, 2);
        list->EndLap();
    }
    CUserManager users(doc, settings);
    for (int i = 0; i < 100; ++i)
    {
        const std::wstring id = L"user" + std::to_wstring(i);
        doc.SetHeader(CHeaderDoc(id.c_str(), L"", L"", L"", id.c_str()));
        users.SaveCurrent();
    }
    size_t count = 0;
    const double ms = fwbench::MedianMs(5, [&] { count = users.ListUsers().size(); });
    RemoveFolder(folder + L"\\User");
    RemoveFolder(folder);
    return count == 100 ? ms : -1.0;
});

} // namespace

namespace {

// The long robustness run: every user file damaged 10,000 ways and read back.
fwbench::Registrar mutateUser("users: read 10,000 damaged copies of each user file", 3000.0, [] {
    CWaltzDoc source;
    KV::CLapList* list = source.GetStat().GetCurrent();
    for (int i = 0; i < 20; ++i)
    {
        list->StartLap();
        list->AddStatLetter(L"asdf jkl;", 0, 2);
        list->EndLap();
    }
    std::ostringstream files[3];
    source.GetHeader().Serialize(files[0]);
    KV::SerializeUS(files[0], CWaltzDoc::kStaVersion);
    source.GetStat().Serialize(files[0]);
    source.GetOptions().Serialize(files[1]);
    source.GetPlaces().Serialize(files[2]);
    return fwbench::MedianMs(1, [&] {
        KV::CByteMutator mutator(7);
        CWaltzDoc doc;
        for (int f = 0; f < 3; ++f)
            for (int i = 0; i < 10000; ++i)
            {
                std::istringstream in(mutator.Mutate(files[f].str()));
                CHeaderDoc header;
                if (f == 0 && header.Serialize(in))
                    doc.ReadMain(in);
                else if (f == 1)
                    doc.GetOptions().Serialize(in);
                else if (f == 2)
                    doc.GetPlaces().Serialize(in);
            }
    });
});

} // namespace
