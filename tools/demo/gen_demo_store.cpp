// Gives the current user of a program folder a believable typing history: a few hundred passes
// through the real course lessons, spread over weeks, getting faster and more accurate, with
// the slips and pauses a learner makes. Everything is written through the program's own user
// and statistics code, so the statistics pages, their graphs and the results dialog show what
// a learner after some weeks of practice sees (screenshots, help pictures, trying things out).
//
//   gen_demo_store.exe <program folder> [options]
//     --passes N       passes per layout (default 300)
//     --weeks N        weeks they are spread over, ending today (default 6)
//     --klid K         a layout to fill (repeatable; default the active layout)
//     --language L     the user's interface language ("German": Language\German.ini)
//     --nick NAME      the user's nick when the user is new or has none (default "Alex")
//     --seed N         another learner (default 1; the same seed gives the same passes)
//     --current-max N  the current lesson becomes the last practised one of at most N
//                      characters (scripts that type a whole lesson)
//     --near-end N     leave the current lesson paused N characters before its end and print
//                      those characters (UTF-8) on the standard output
//
// The program folder's settings file names the user (a new one is created as the program
// would); that user's passes of the filled layouts are replaced, everything else is kept.
#include "app/doc/AppSettings.h"
#include "app/doc/LessonFolders.h"
#include "app/doc/UserManager.h"
#include "app/doc/WaltzDoc.h"
#include "kvfwctrl/keyboard/Layout.h"
#include "kvfwctrl/lessons/Lesson.h"
#include "kvstruct/files/IniTable.h"
#include "kvstruct/sys/MsgBox.h"

#include <windows.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <string>
#include <vector>

namespace {

int ReportBox(HWND, const wchar_t* text, const wchar_t* caption, unsigned int)
{
    fwprintf(stderr, L"[%ls] %ls\n", caption ? caption : L"", text ? text : L"");
    return IDOK;
}

// Small, fixed generator: the same seed gives the same learner on every system.
class CRandom
{
public:
    explicit CRandom(unsigned long seed) : m_state(seed * 2654435761u + 1) {}
    double Next()
    {
        m_state = m_state * 6364136223846793005ull + 1442695040888963407ull;
        return static_cast<double>(m_state >> 11) / 9007199254740992.0;
    }
    int Between(int low, int high) { return low + static_cast<int>(Next() * (high - low + 1)); }
    // About normal, mean 0, deviation 1.
    double Normal() { return Next() + Next() + Next() + Next() - 2.0; }

private:
    unsigned long long m_state;
};

struct Options
{
    std::wstring folder;
    int passes = 300;
    int weeks = 6;
    std::vector<std::wstring> klids;
    std::wstring language;
    std::wstring nick = L"Alex";
    unsigned long seed = 1;
    int nearEnd = -1;
    int currentMax = 0;
};

// How a lesson type goes for a learner: speed and slips against the home-row letters.
struct TypeFeel
{
    double speed;
    double slips;
};

TypeFeel FeelOf(unsigned short type)
{
    switch (type)
    {
    case 2: return {0.95, 1.0};  // syllables
    case 3: return {0.78, 1.35}; // capitals
    case 4: return {1.05, 0.9};  // words
    case 5: return {0.6, 1.7};   // digits and symbols
    case 6: return {0.92, 1.1};  // texts
    case 8: return {0.7, 1.5};   // additions (program code)
    default: return {1.0, 1.0};  // letters and the user's own
    }
}

SYSTEMTIME AddSeconds(const SYSTEMTIME& time, long long seconds)
{
    FILETIME file;
    ::SystemTimeToFileTime(&time, &file);
    ULARGE_INTEGER value;
    value.LowPart = file.dwLowDateTime;
    value.HighPart = file.dwHighDateTime;
    value.QuadPart += static_cast<unsigned long long>(seconds) * 10000000ull;
    file.dwLowDateTime = value.LowPart;
    file.dwHighDateTime = value.HighPart;
    SYSTEMTIME out;
    ::FileTimeToSystemTime(&file, &out);
    out.wMilliseconds = 0;
    return out;
}

// One pass through a lesson as the typing session records it.
void TypePass(KV::CLapList& laps, KV::CLesson& lesson, const SYSTEMTIME& when, double cpm, double slips,
              double pauses, CRandom& random)
{
    const std::wstring text = lesson.GetTextW();
    laps.StartLap();
    laps.SetNameLesson(lesson.GetName());
    if (lesson.GetType())
        laps.SetTypeLesson(lesson.GetType());
    laps.ClearStatError();
    laps.NewStatError(static_cast<int>(text.size()));
    bool wordBad = false, wordIrregular = false;
    for (size_t i = 0; i < text.size(); ++i)
    {
        const double r = random.Next();
        if (r < slips)
        {
            laps.AddStatError(static_cast<int>(i), 1);
            wordBad = true;
        }
        else if (r < slips + pauses)
        {
            laps.AddStatError(static_cast<int>(i), 2);
            wordIrregular = true;
        }
        if (text[i] == L' ' || i + 1 == text.size())
        {
            if (wordBad)
                laps.AddBadWord();
            else
                laps.AddGoodWord();
            if (wordIrregular)
                laps.AddIrregWord();
            wordBad = wordIrregular = false;
        }
    }
    KV::CLap* lap = laps.GetCurLap();
    lap->SetSystemDate(when);
    lap->SetDuration(std::max(1ll, static_cast<long long>(std::lround(text.size() * 60.0 / cpm))));
    laps.AddStatLetter(text.c_str(), 1, 2);
    laps.EndLap();
    laps.ClearStatError();
}

// The course's lessons (no folders, none empty), in course order.
std::vector<unsigned long> CourseLessons(KV::CLessonList& list)
{
    std::vector<unsigned long> ids;
    for (unsigned long id = 0; id < list.GetCount(); ++id)
    {
        KV::CLesson* lesson = list.Get(id);
        if (lesson && lesson->GetSection() == 0 && lesson->GetLength() > 0)
            ids.push_back(id);
    }
    return ids;
}

// The learner's weeks: practice days (fewer at weekends), sessions of several passes in the
// evening, speed and accuracy growing with practice, the course followed with repeats.
int FillLayout(CWaltzDoc& doc, const Options& options, const wchar_t* klid,
               const std::vector<unsigned long>& lessons, CRandom& random, unsigned long& lastLesson)
{
    KV::CLessonList& course = doc.GetLessonList(0);
    KV::CLapList& laps = *doc.GetStat().SetKLID(klid);
    while (laps.GetSize())
        laps.DeleteLap(laps.Get(laps.GetSize() - 1)->GetID());

    const int days = std::max(1, options.weeks * 7);
    std::vector<int> practice;
    SYSTEMTIME today;
    ::GetSystemTime(&today);
    today.wHour = today.wMinute = today.wSecond = today.wMilliseconds = 0;
    const SYSTEMTIME first = AddSeconds(today, -static_cast<long long>(days - 1) * 86400);
    for (int day = 0; day < days; ++day)
    {
        const SYSTEMTIME date = AddSeconds(first, static_cast<long long>(day) * 86400);
        const bool weekend = date.wDayOfWeek == 0 || date.wDayOfWeek == 6;
        if (random.Next() < (weekend ? 0.45 : 0.8) || day == days - 1)
            practice.push_back(day);
    }
    const double perDay = static_cast<double>(options.passes) / practice.size();

    int made = 0;
    double position = 0;
    for (size_t d = 0; d < practice.size() && made < options.passes; ++d)
    {
        const int left = options.passes - made;
        const int daysLeft = static_cast<int>(practice.size() - d);
        int count = static_cast<int>(std::lround(perDay * (0.6 + 0.8 * random.Next())));
        count = std::max(1, std::min(left - (daysLeft - 1), count));
        if (d + 1 == practice.size())
            count = left;
        // Evening practice, now and then at lunch time (UTC, like the stored dates).
        SYSTEMTIME when = AddSeconds(first, practice[d] * 86400ll +
                                                (random.Next() < 0.25 ? 11 : 17) * 3600ll +
                                                random.Between(0, 3 * 3600));
        for (int k = 0; k < count; ++k, ++made)
        {
            const double skill = std::sqrt(static_cast<double>(made) / std::max(1, options.passes - 1));
            // Mostly the next lessons of the course; sometimes back to an earlier one.
            const double target = skill * (lessons.size() - 1) * 0.9;
            position = std::max(position, target);
            size_t index = static_cast<size_t>(position);
            const double choice = random.Next();
            if (choice < 0.2 && index > 0)
                index = static_cast<size_t>(random.Next() * index);
            else if (choice > 0.85 && index + 1 < lessons.size())
                ++index;
            KV::CLesson* lesson = course.Get(lessons[index]);
            const TypeFeel feel = FeelOf(lesson->GetType());
            const double warmUp = k == 0 ? 0.9 : 1.0;
            const double cpm = std::max(25.0, (85.0 + 175.0 * skill) * feel.speed * warmUp *
                                                  (1.0 + 0.08 * random.Normal()));
            const double slips =
                std::max(0.002, (0.085 - 0.06 * skill) * feel.slips * (1.0 + 0.35 * random.Normal()));
            const double pauses = std::max(0.0, (0.05 - 0.035 * skill) * (1.0 + 0.4 * random.Normal()));
            TypePass(laps, *lesson, when, cpm, slips, pauses, random);
            if (!options.currentMax || lesson->GetLength() <= options.currentMax)
                lastLesson = lessons[index];
            const KV::CLap* stored = laps.Get(laps.GetSize() - 1);
            when = AddSeconds(when, stored->GetTotalTimeSec() + random.Between(20, 150));
        }
    }
    laps.ResetLap();
    return made;
}

bool ParseOptions(int argc, wchar_t** argv, Options& options)
{
    if (argc < 2)
        return false;
    options.folder = argv[1];
    if (options.folder.back() != L'\\' && options.folder.back() != L'/')
        options.folder += L'\\';
    for (int i = 2; i < argc; ++i)
    {
        const std::wstring name = argv[i];
        if (i + 1 >= argc)
            return false;
        const wchar_t* value = argv[++i];
        if (name == L"--passes")
            options.passes = std::max(1, _wtoi(value));
        else if (name == L"--weeks")
            options.weeks = std::max(1, _wtoi(value));
        else if (name == L"--klid")
            options.klids.push_back(value);
        else if (name == L"--language")
            options.language = value;
        else if (name == L"--nick")
            options.nick = value;
        else if (name == L"--seed")
            options.seed = std::wcstoul(value, nullptr, 10);
        else if (name == L"--current-max")
            options.currentMax = std::max(1, _wtoi(value));
        else if (name == L"--near-end")
            options.nearEnd = std::max(1, _wtoi(value));
        else
            return false;
    }
    return true;
}

void PrintUtf8(const wchar_t* text)
{
    const int n = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n > 0 ? n : 1), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, text, -1, &bytes[0], n, nullptr, nullptr);
    std::fputs(bytes.c_str(), stdout);
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    KV::SetMsgBoxHandler(&ReportBox);
    Options options;
    if (!ParseOptions(argc, argv, options))
    {
        fwprintf(stderr, L"usage: gen_demo_store.exe <program folder> [--passes N] [--weeks N] [--klid K]...\n"
                         L"       [--language L] [--nick NAME] [--seed N] [--near-end N]\n");
        return 2;
    }
    CWaltzDoc doc;
    CAppSettings settings(options.folder);
    CUserManager users(doc, settings);
    // As at the program's start: a new settings file names the document's user.
    settings.SetFirstUser(doc.GetHeader().GetID());
    const std::wstring id = settings.GetUser();
    if (users.OpenUser(id.c_str()) != CUserManager::Done)
    {
        fwprintf(stderr, L"gen_demo_store: the user %ls cannot be opened\n", id.c_str());
        return 1;
    }
    CHeaderDoc& header = doc.GetHeader();
    if (!header.GetNick()[0] || !std::wcscmp(header.GetNick(), L"Guest"))
        header.SetNick(options.nick.c_str());
    if (!options.language.empty())
        doc.GetOptions().m_sLanguage = options.language.c_str();

    KV::CIniTable language;
    const std::wstring name = doc.GetOptions().m_sLanguage.GetW();
    if (name.empty() || !language.Load_UTF16((options.folder + L"Language\\" + name + L".ini").c_str()))
        language.Load_UTF16((options.folder + L"Language\\English.ini").c_str());

    const std::wstring active = KV::GetActiveKLID().GetW();
    if (options.klids.empty())
        options.klids.push_back(active);
    // The active layout last: its lessons stay loaded and its list stays current.
    std::stable_partition(options.klids.begin(), options.klids.end(),
                          [&](const std::wstring& k) { return k != active; });
    CRandom random(options.seed);
    for (const std::wstring& klid : options.klids)
    {
        BuildLessonLibraries(doc, &language, settings.GetLessonPath(), klid.c_str());
        const std::vector<unsigned long> lessons = CourseLessons(doc.GetLessonList(0));
        if (lessons.empty())
        {
            fwprintf(stderr, L"gen_demo_store: no lessons for layout %ls\n", klid.c_str());
            return 1;
        }
        unsigned long lastLesson = lessons.front();
        const int made = FillLayout(doc, options, klid.c_str(), lessons, random, lastLesson);
        doc.SetCourseID(0);
        doc.SetSelectLesson(lastLesson);
        doc.SetLessonID(lastLesson);
        doc.SetLetterIndex(0);
        fwprintf(stderr, L"gen_demo_store: %d passes for layout %ls\n", made, klid.c_str());
    }
    if (options.klids.back() != active)
        BuildLessonLibraries(doc, &language, settings.GetLessonPath(), active.c_str());
    doc.GetStat().SetKLID(active.c_str());
    if (options.nearEnd > 0)
    {
        const unsigned short length = doc.GetCurLessonLength();
        const unsigned long index = length > options.nearEnd ? length - options.nearEnd : 0;
        doc.SetLetterIndex(index);
        PrintUtf8(doc.GetCurTextW(index));
        std::fputs("\n", stdout);
    }
    if (users.SaveCurrent() != CUserManager::Done)
    {
        fwprintf(stderr, L"gen_demo_store: the user's files could not be written\n");
        return 1;
    }
    return 0;
}
