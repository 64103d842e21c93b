// Getters that write text into a caller's buffer: a short buffer gets the text cut, and
// nothing is written past the size given.
#include "kvfwctrl/kvfwctrl.h"
#include "kvinterf/skin/Skin.h"

#include <gtest/gtest.h>
#include <functional>
#include <string>
#include <vector>

namespace {

using Writer = std::function<void(wchar_t*, size_t)>;

struct Case
{
    const char* name;
    std::wstring full;
    Writer write;
};

const wchar_t kUntouched = L'#';

void ExpectCutAtEverySize(const Case& c)
{
    ASSERT_FALSE(c.full.empty()) << c.name;
    for (size_t size = 0; size <= c.full.size() + 2; ++size)
    {
        std::vector<wchar_t> buffer(c.full.size() + 8, kUntouched);
        c.write(buffer.data(), size);
        if (size > 0)
        {
            EXPECT_EQ(std::wstring(buffer.data()), c.full.substr(0, size - 1)) << c.name << ", size " << size;
        }
        for (size_t i = size; i < buffer.size(); ++i)
            ASSERT_EQ(buffer[i], kUntouched) << c.name << ", size " << size << ", unit " << i;
    }
}

TEST(TextBuffers, NumberTextsAreCutToTheBuffer)
{
    KV::CStatLetter letter;
    letter.AddStatLetter(L'a', 12345, 678, 9);
    KV::CStatLetterList list;
    list.AddStatistic(L"ab", L"aab");
    KV::CLap lap;
    wchar_t date[32];
    lap.GetDate(date);
    KV::CLessonList lessons;
    KV::CLesson lesson(&lessons);
    lesson.SetTextW(L"xxxxxxxxxxxx");
    KV::CFigure figure;
    figure.SetID(4321);
    KV::CSkin skin;
    skin.SetID(65535);

    const Case cases[] = {
        {"letter", L"a", [&](wchar_t* b, size_t n) { letter.GetLetter(b, n); }},
        {"letter number", L"12345", [&](wchar_t* b, size_t n) { letter.GetNumber(b, n); }},
        {"letter errors", L"678", [&](wchar_t* b, size_t n) { letter.GetError(b, n); }},
        {"letter error ratio", L"5", [&](wchar_t* b, size_t n) { letter.GetErrorRatio(b, n); }},
        {"list total", L"3", [&](wchar_t* b, size_t n) { list.GetAllNumberStr(b, n); }},
        {"list share", L"66.7", [&](wchar_t* b, size_t n) { list.GetRatioNumber(0, b, n); }},
        {"lap date", date, [&](wchar_t* b, size_t n) { lap.GetDate(b, n); }},
        {"lesson count", L"12", [&](wchar_t* b, size_t n) { lesson.GetNumSymbol(L'x', b, n); }},
        {"figure name", L"4321", [&](wchar_t* b, size_t n) { figure.GetName(b, n); }},
        {"skin element name", L"65535", [&](wchar_t* b, size_t n) { skin.GetName(b, n); }},
    };
    for (const Case& c : cases)
        ExpectCutAtEverySize(c);
}

TEST(TextBuffers, PathsAndSymbolListsAreCutToTheBuffer)
{
    KV::CLessonList lessons;
    lessons.SetBasePath(L"C:\\Lessons");
    lessons.SetPathUser(L"LocalLanguage\\En");
    KV::CLesson lesson(&lessons);
    lesson.SetRelPath(L"MultiLanguage\\Standart");
    lesson.SetParentName(L"Letter");
    lesson.SetTextW(L"hello world");

    const Case cases[] = {
        {"user lesson folder", L"C:\\Lessons\\LocalLanguage\\En\\User",
         [&](wchar_t* b, size_t n) { lessons.GetPathUser(b, n); }},
        {"local folder", L"LocalLanguage\\00000407",
         [&](wchar_t* b, size_t n) { KV::CLessonList::GetLocalFolder(L"00000407", b, n); }},
        {"lesson folder", L"C:\\Lessons\\MultiLanguage\\Standart\\Letter",
         [&](wchar_t* b, size_t n) { lesson.GetBasePath(b, n); }},
        {"distinct characters", L"helo wrd",
         [&](wchar_t* b, size_t n) {
             // The characters are appended to what the buffer holds: it starts empty.
             if (n)
                 b[0] = 0;
             lesson.GetUniSymbols(b, n);
         }},
    };
    for (const Case& c : cases)
        ExpectCutAtEverySize(c);
}

} // namespace
