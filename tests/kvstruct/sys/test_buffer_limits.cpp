// Every writer into a caller's buffer cuts its text to the size it is given and never writes
// past it: each function family runs its table of sizes against a guarded buffer.
#include "kvtesting/KeyboardLayerTable.h"
#include "kvstruct/kvstruct.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

namespace {

const int kGuard = 8;

// Runs write(buffer, size) on size characters followed by guard characters and returns the
// text written; a guard that changed is an overrun.
template <typename Char>
std::basic_string<Char> Bounded(size_t size, const std::function<void(Char*, size_t)>& write,
                                const std::basic_string<Char>& before = {})
{
    std::vector<Char> buf(size + kGuard, Char('#'));
    std::copy(before.begin(), before.end(), buf.begin());
    if (size)
        buf[before.size()] = 0;
    write(buf.data(), size);
    for (size_t i = size; i < buf.size(); ++i)
        EXPECT_EQ(buf[i], Char('#')) << "written past the buffer at " << i << " of size " << size;
    auto end = std::find(buf.begin(), buf.begin() + size, Char(0));
    if (size)
    {
        EXPECT_NE(end, buf.begin() + size) << "no terminator within size " << size;
    }
    return std::basic_string<Char>(buf.begin(), end);
}

struct Case
{
    size_t size;
    const wchar_t* expected;
};

void RunTable(const std::vector<Case>& table, const std::function<void(wchar_t*, size_t)>& write,
              const std::wstring& before = {})
{
    for (const Case& c : table)
        EXPECT_EQ(Bounded<wchar_t>(c.size, write, before), std::wstring(c.expected)) << "size " << c.size;
}

} // namespace

TEST(BufferLimits, TextCopyAndAppend)
{
    RunTable({{1, L""}, {3, L"ab"}, {5, L"abcd"}, {6, L"abcd"}},
             [](wchar_t* d, size_t n) { KV::CopyText(d, n, L"abcd"); });
    RunTable(
        {{2, L"x"}, {3, L"xa"}, {5, L"xabc"}, {9, L"xabcd"}},
        [](wchar_t* d, size_t n) { KV::AppendText(d, n, L"abcd"); }, L"x");
    RunTable({{1, L""}, {3, L"-1"}, {4, L"-12"}, {10, L"-123"}},
             [](wchar_t* d, size_t n) { KV::CString::Itow(d, n, -123, 10); });
    wchar_t four[4];
    EXPECT_STREQ(KV::CString::Copy(four, L"abcdef"), L"abc");
    KV::CString::Copy(four, L"a");
    EXPECT_STREQ(KV::CString::Cat(four, L"bcdef"), L"abc");
}

TEST(BufferLimits, Paths)
{
    // A cut path would name another file: what does not fit comes back empty.
    RunTable({{18, L""}, {19, L"C:\\Data\\Lesson.txt"}},
             [](wchar_t* d, size_t n) { KV::GetFullPath(d, n, L"C:\\Data", L"Lesson", L".txt"); });
    std::wstring exe = KV::GetPathToExeW();
    ASSERT_FALSE(exe.empty());
    EXPECT_EQ(exe.back(), L'\\');
    size_t len = exe.size();
    for (size_t size : {size_t(1), len})
        EXPECT_EQ(Bounded<wchar_t>(size, [](wchar_t* d, size_t n) { EXPECT_EQ(KV::GetPathToExeW(d, n), 0); }),
                  L"");
    EXPECT_EQ(Bounded<wchar_t>(len + 1, [](wchar_t* d, size_t n) { EXPECT_EQ(KV::GetPathToExeW(d, n), 1); }),
              exe);
    EXPECT_EQ(Bounded<char>(3, [](char* d, size_t n) { EXPECT_EQ(KV::GetPathToExeA(d, n), 0); }), "");
}

TEST(BufferLimits, OneLineText)
{
    RunTable({{1, L""}, {2, L"a"}, {3, L"a "}, {4, L"a b"}, {9, L"a b"}},
             [](wchar_t* d, size_t n) { KV::Remove_CR_LF_W(L"a\r\nb\r\n", d, n); });
    for (const auto& c : std::vector<std::pair<size_t, std::string>>{{1, ""}, {3, "a "}, {9, "a b"}})
        EXPECT_EQ(Bounded<char>(c.first, [](char* d, size_t n) { KV::Remove_CR_LF_A("a\r\nb\r\n", d, n); }),
                  c.second);
    EXPECT_EQ(KV::Remove_CR_LF_W(std::wstring(L"\r\nx\ny\n")), L"x y");
}

TEST(BufferLimits, TimeTexts)
{
    SYSTEMTIME t = {};
    t.wMinute = 5;
    t.wSecond = 7;
    RunTable({{1, L""}, {3, L"5m"}, {6, L"5m 7s"}, {7, L"5m 7s"}},
             [&](wchar_t* d, size_t n) { KV::FormatToTimeW(d, t, 2, L"m", L"s", n); });
    // The record time appends four digits to what the buffer holds.
    for (size_t size : {size_t(3), size_t(4), size_t(7), size_t(12)})
    {
        std::wstring got = Bounded<wchar_t>(
            size, [](wchar_t* d, size_t n) { KV::GetCurRecordTime(d, n); }, L"xy");
        EXPECT_EQ(got.size(), std::min<size_t>(size - 1, 6)) << "size " << size;
        EXPECT_EQ(got.substr(0, 2), L"xy");
    }
    EXPECT_EQ(KV::GetCurRecordTime().size(), 4u);
}

TEST(BufferLimits, RandomAndLayoutNames)
{
    RunTable({{1, L""}, {2, L"1"}, {4, L"1"}}, [](wchar_t* d, size_t n) { KV::GetRand(d, n, 1); });
    LONG status = 0;
    RunTable({{1, L""}, {4, L"Chi"}, {8, L"Chinese"}},
             [&](wchar_t* d, size_t n) { EXPECT_EQ(KV::GetNameLayout(L"0000ABCD", d, n, &status), 0); });
    std::wstring name;
    EXPECT_EQ(KV::GetNameLayout(L"00000407", name, &status), 0);
    EXPECT_EQ(name, L"German");
}

TEST(RandomText, SeedsOnceSoQuickCallsDiffer)
{
    // Seeding from the tick count on every call gave the same number all through one tick.
    std::set<std::wstring> seen;
    for (int i = 0; i < 50; ++i)
        seen.insert(KV::GetRand(1000000));
    EXPECT_GT(seen.size(), 1u);
}

TEST(KeyPress, TogglesTheKeyItIsGiven)
{
    struct Row
    {
        int key;
        BYTE sent;
        WORD scan;
    };
    for (const Row& r : {Row{VK_NUMLOCK, VK_NUMLOCK, 0x45}, Row{VK_SCROLL, VK_SCROLL, 0x46},
                         Row{VK_CAPITAL, VK_CAPITAL, 0x45}, Row{0, VK_CAPITAL, 0x45}})
    {
        KV::CTableKeyboardLayer kb;
        KV::SetKeyboardLayer(&kb);
        KV::PressKey(r.key, 1);
        ASSERT_EQ(kb.SentKeys().size(), 2u) << r.key;
        EXPECT_EQ(kb.SentKeys()[0].wVk, r.sent);
        EXPECT_EQ(kb.SentKeys()[0].wScan, r.scan);
        EXPECT_EQ(kb.GetKeyState(r.sent) & 1, 1);
        KV::PressKey(r.key, 1);
        EXPECT_EQ(kb.SentKeys().size(), 2u);
        KV::SetKeyboardLayer(nullptr);
    }
    KV::CTableKeyboardLayer kb;
    KV::SetKeyboardLayer(&kb);
    KV::PressKey('A', 1); // not a toggle key
    EXPECT_TRUE(kb.SentKeys().empty());
    KV::SetKeyboardLayer(nullptr);
}
