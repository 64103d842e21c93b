#include "bench.h"
#include "kvfwctrl/kvfwctrl.h"

#include <windows.h>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

namespace {

std::wstring LessonText(size_t length)
{
    const wchar_t* alphabet = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJ .,;'-";
    const size_t n = wcslen(alphabet);
    std::wstring text;
    unsigned seed = 1;
    for (size_t i = 0; i < length; ++i)
    {
        seed = seed * 1103515245u + 12345u;
        text += alphabet[(seed >> 16) % n];
    }
    return text;
}

double EndOfPass(int errorsPerHundred)
{
    const std::wstring text = LessonText(64000);
    std::vector<short> marks(text.size(), 0);
    for (size_t i = 0; i < marks.size(); ++i)
        if (static_cast<int>(i % 100) < errorsPerHundred)
            marks[i] = static_cast<short>(i % 3 == 0 ? 2 : 1);
    return fwbench::MedianMs(7, [&] {
        KV::CStatLetterList list;
        list.AddStatistic(text.c_str(), marks.data(), 1, 2);
    });
}

std::string BenchFile()
{
    char dir[MAX_PATH];
    ::GetTempPathA(MAX_PATH, dir);
    return std::string(dir) + "fw_bench_statistics.sta";
}

// One layout with 65,535 stored laps of 40 letter records each.
std::unique_ptr<KV::CLapListLang> BigStore()
{
    std::unique_ptr<KV::CLapListLang> store(new KV::CLapListLang);
    KV::CLapList* list = store->GetCurrent();
    const wchar_t* text = L"abcdefghijklmnopqrstuvwxyz0123456789.,;'";
    list->NewStatError(static_cast<int>(wcslen(text)));
    list->AddStatError(3, 1);
    for (int i = 0; i < 65535; ++i)
    {
        list->StartLap();
        list->SetNameLesson(L"Lesson");
        list->SetTypeLesson(static_cast<unsigned short>(1 + (i / 500) % 8));
        list->AddStatLetter(text, 0, 2);
        list->EndLap();
    }
    list->ResetLap();
    return store;
}

fwbench::Registrar endOfPassClean("statistics: end of pass, 64,000 characters, no errors", 5.0,
                                  [] { return EndOfPass(0); });

fwbench::Registrar endOfPassErrors("statistics: end of pass, 64,000 characters, 5% errors", 5.0,
                                   [] { return EndOfPass(5); });

fwbench::Registrar storeWrite("statistics: write 65,535 laps x 40 letters to a file", 200.0, [] {
    std::unique_ptr<KV::CLapListLang> store = BigStore();
    const std::string path = BenchFile();
    double ms = fwbench::MedianMs(5, [&] {
        std::vector<char> buffer(1 << 16);
        std::ofstream out;
        out.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
        out.open(path, std::ios::binary | std::ios::trunc);
        store->Serialize(out);
    });
    ::DeleteFileA(path.c_str());
    return ms;
});

fwbench::Registrar storeRead("statistics: read 65,535 laps x 40 letters from a file", 200.0, [] {
    const std::string path = BenchFile();
    {
        std::unique_ptr<KV::CLapListLang> store = BigStore();
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        store->Serialize(out);
    }
    KV::CLapListLang back;
    double ms = fwbench::MedianMs(
        5,
        [&] {
            std::vector<char> buffer(1 << 16);
            std::ifstream in;
            in.rdbuf()->pubsetbuf(buffer.data(), static_cast<std::streamsize>(buffer.size()));
            in.open(path, std::ios::binary);
            back.Serialize(in);
        },
        [&] { back.Clear(); });
    ::DeleteFileA(path.c_str());
    return ms;
});

fwbench::Registrar fillByDay("statistics: group 65,535 laps by day", 50.0, [] {
    std::unique_ptr<KV::CLapListLang> store = BigStore();
    KV::CListParam params;
    params.Add(2, 0x101001, L"NameLesson", L"TipNameLesson");
    return fwbench::MedianMs(5, [&] { store->GetGroup(1, 0, params); });
});

} // namespace
