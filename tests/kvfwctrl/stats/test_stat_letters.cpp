#include "../stat_test_util.h"
#include "common/fwtest.h"

#include <gtest/gtest.h>
#include <algorithm>
#include <random>
#include <sstream>
#include <vector>

namespace {

struct Rec
{
    wchar_t c;
    unsigned short n, e, i;
    bool operator==(const Rec& o) const { return c == o.c && n == o.n && e == o.e && i == o.i; }
};

std::vector<Rec> Records(const KV::CStatLetterList& list)
{
    std::vector<Rec> out;
    for (const KV::CStatLetter* p : list.m_letters)
        out.push_back({p->GetLetter(), p->GetNumber(), p->GetError(), p->GetIrreg()});
    return out;
}

// Straightforward model: every new character is counted over the whole text.
std::vector<Rec> Reference(const std::wstring& text, const std::vector<short>& marks,
                           unsigned long onlyFaulty, unsigned long sortOrder)
{
    std::vector<Rec> out;
    for (size_t p = 0; p < text.size(); ++p)
    {
        wchar_t c = text[p];
        bool have = false;
        for (const Rec& r : out)
            have = have || r.c == c;
        if (have)
            continue;
        Rec r{c, 0, 0, 0};
        for (size_t i = 0; i < text.size(); ++i)
            if (text[i] == c)
            {
                ++r.n;
                r.e = static_cast<unsigned short>(r.e + (marks[i] == 1));
                r.i = static_cast<unsigned short>(r.i + (marks[i] == 2));
            }
        if (onlyFaulty == 1 && !r.e && !r.i)
            continue;
        out.push_back(r);
    }
    auto ratio = [](const Rec& r) { return r.n ? r.e * 100 / r.n : 0; };
    if (sortOrder == 1)
        std::stable_sort(out.begin(), out.end(), [](const Rec& a, const Rec& b) { return a.n > b.n; });
    else if (sortOrder == 2)
        std::stable_sort(out.begin(), out.end(),
                         [&](const Rec& a, const Rec& b) { return ratio(a) > ratio(b); });
    return out;
}

} // namespace

TEST(LetterStatistics, FaultyOnlySortedByErrorRatio)
{
    KV::CStatLetterList list;
    const short marks[] = {0, 1, 0, 2};
    list.AddStatistic(L"abca", marks, 1, 2);
    std::vector<Rec> expected = {{L'b', 1, 1, 0}, {L'a', 2, 0, 1}};
    EXPECT_EQ(Records(list), expected);
    EXPECT_EQ(list.m_letters[0]->GetErrorRatio(), 100);
    EXPECT_EQ(list.m_letters[1]->GetErrorRatio(), 0);
    EXPECT_EQ(list.GetAllNumber(), 4);
    EXPECT_EQ(list.GetParam(2), 1);
    EXPECT_EQ(list.GetParam(3), 1);
    EXPECT_EQ(list.GetParam(1), 3);
    EXPECT_EQ(list.GetParam(4), 0);
}

TEST(LetterStatistics, AllCharactersKeptWithoutFlag)
{
    KV::CStatLetterList list;
    const short marks[] = {0, 1, 0, 2};
    list.AddStatistic(L"abca", marks, 0, 2);
    ASSERT_EQ(list.m_letters.size(), 3u);
    EXPECT_EQ(list.m_letters[0]->GetLetter(), L'b');
    std::vector<wchar_t> rest = {list.m_letters[1]->GetLetter(), list.m_letters[2]->GetLetter()};
    std::sort(rest.begin(), rest.end());
    EXPECT_EQ(rest, (std::vector<wchar_t>{L'a', L'c'}));
}

TEST(LetterStatistics, ExistingRecordsAreNotRecounted)
{
    KV::CStatLetterList list;
    const short first[] = {1};
    list.AddStatistic(L"a", first, 0, 0);
    const short marks[] = {0, 0, 1};
    list.AddStatistic(L"aab", marks, 0, 0);
    std::vector<Rec> expected = {{L'a', 1, 1, 0}, {L'b', 1, 1, 0}};
    EXPECT_EQ(Records(list), expected);
    EXPECT_EQ(list.GetAllNumber(), 3);
}

TEST(LetterStatistics, NullMarksCountAsRight)
{
    KV::CStatLetterList list;
    list.AddStatistic(L"hello", nullptr, 0, 1);
    ASSERT_EQ(list.m_letters.size(), 4u);
    EXPECT_EQ(list.m_letters[0]->GetLetter(), L'l');
    EXPECT_EQ(list.GetParam(2), 0);
    list.Clear();
    list.AddStatistic(L"hello", nullptr, 1, 2);
    EXPECT_TRUE(list.m_letters.empty());
}

TEST(LetterStatistics, OnePassMatchesReferenceOnRandomTexts)
{
    std::mt19937 rng(12345);
    for (int round = 0; round < 200; ++round)
    {
        // Short texts take the plain search, long ones the table; small alphabets give ties.
        size_t length = round % 2 ? rng() % 100 : 100 + rng() % 3000;
        int alphabet = 1 + static_cast<int>(rng() % (round % 3 == 0 ? 5 : 300));
        std::wstring text;
        std::vector<short> marks;
        for (size_t i = 0; i < length; ++i)
        {
            text += static_cast<wchar_t>(0x20 + rng() % alphabet + (rng() % 7 == 0 ? 0xF000 : 0));
            unsigned m = rng() % 10;
            marks.push_back(static_cast<short>(m < 7 ? 0 : m < 9 ? 1 : 2));
        }
        for (unsigned long flag : {0ul, 1ul})
            for (unsigned long order : {0ul, 1ul, 2ul})
            {
                KV::CStatLetterList list;
                list.AddStatistic(text.c_str(), marks.data(), flag, order);
                ASSERT_EQ(Records(list), Reference(text, marks, flag, order)) << "round " << round;
                ASSERT_EQ(list.GetAllNumber(), static_cast<unsigned short>(length));
            }
    }
}

TEST(LetterStatistics, FrequencyTableAndShares)
{
    KV::CStatLetterList list;
    list.AddStatistic(L"a ", L"a a");
    ASSERT_EQ(list.m_letters.size(), 2u);
    EXPECT_EQ(list.m_letters[0]->GetLetter(), L'a');
    EXPECT_EQ(list.m_letters[0]->GetNumber(), 2);
    EXPECT_NEAR(list.GetRatioMax(), 200.0 / 3.0, 1e-9);
    EXPECT_NEAR(list.GetRatioNumber(1), 100.0 / 3.0, 1e-9);
    EXPECT_EQ(list.GetRatioNumber(2), 0.0);
    wchar_t buffer[32];
    list.GetRatioNumber(0, buffer);
    EXPECT_STREQ(buffer, L"66.7");
    list.GetAllNumberStr(buffer);
    EXPECT_STREQ(buffer, L"3");

    // Long texts count through the table: same result as a direct count.
    std::wstring text;
    for (int i = 0; i < 500; ++i)
        text += static_cast<wchar_t>(L'a' + (i * i) % 7);
    KV::CStatLetterList big;
    big.AddStatistic(L"abcdefgz", text.c_str());
    for (const KV::CStatLetter* p : big.m_letters)
        EXPECT_EQ(p->GetNumber(), std::count(text.begin(), text.end(), p->GetLetter()));
    for (size_t i = 1; i < big.m_letters.size(); ++i)
        EXPECT_GE(big.m_letters[i - 1]->GetNumber(), big.m_letters[i]->GetNumber());
}

TEST(LetterStatistics, SharesOfLoadedListAreZero)
{
    KV::CStatLetterList list;
    list.AddStatistic(L"ab", L"abab");
    std::stringstream ss;
    list.Serialize(static_cast<std::ostream&>(ss));
    KV::CStatLetterList loaded;
    loaded.Serialize(static_cast<std::istream&>(ss));
    ASSERT_EQ(loaded.m_letters.size(), 2u);
    EXPECT_EQ(loaded.GetRatioNumber(0), 0.0);
    EXPECT_EQ(loaded.GetRatioMax(), 0.0);
}

TEST(LetterStatistics, RatiosAndTexts)
{
    KV::CStatLetter r;
    r.AddStatLetter(L'x', 3, 1, 2);
    EXPECT_EQ(r.GetErrorRatio(), 33);
    EXPECT_EQ(r.GetIrregRatio(), 66);
    wchar_t buffer[32];
    r.GetErrorRatio(buffer);
    EXPECT_STREQ(buffer, L"33");
    r.GetLetter(buffer);
    EXPECT_STREQ(buffer, L"x");
    r.GetNumber(buffer);
    EXPECT_STREQ(buffer, L"3");
    KV::CStatLetter zero;
    EXPECT_EQ(zero.GetErrorRatio(), 0);
    EXPECT_FALSE(r.IsSpace());
    KV::CStatLetter copy(&r);
    EXPECT_EQ(copy.GetIrreg(), 2);
    KV::CStatLetter none(static_cast<const KV::CStatLetter*>(nullptr));
    EXPECT_EQ(none.GetNumber(), 0);
    copy += r;
    EXPECT_EQ(copy.GetLetter(), L'x');
    EXPECT_EQ(copy.GetNumber(), 6);
    copy.Clear();
    EXPECT_EQ(copy.GetLetter(), 0);
}

TEST(LetterStatistics, MergeAddsAndAppends)
{
    KV::CStatLetterList mine;
    mine.AddStatistic(L"ab", L"ab");
    KV::CStatLetterList other;
    const short marks[] = {1, 0};
    other.AddStatistic(L"aa", marks, 0, 0);
    mine += other;
    std::vector<Rec> expected = {{L'a', 3, 1, 0}, {L'b', 1, 0, 0}};
    EXPECT_EQ(Records(mine), expected);
    EXPECT_EQ(mine.GetAllNumber(), 4);
    KV::CStatLetterList c;
    c.AddStatistic(L"c", L"c");
    mine += c;
    ASSERT_EQ(mine.m_letters.size(), 3u);
    EXPECT_EQ(mine.m_letters[2]->GetLetter(), L'c');
}

TEST(LetterStatistics, LargeMergeMatchesSmallMerge)
{
    // Big lists are merged through a lookup table; repeated letters get every addition.
    std::mt19937 rng(7);
    for (int round = 0; round < 50; ++round)
    {
        KV::CStatLetterList a, b;
        for (int i = 0; i < 60; ++i)
        {
            // Odd rounds repeat letters in the receiving list, even rounds do not.
            wchar_t mine = static_cast<wchar_t>(round % 2 ? 0x41 + rng() % 50 : 0x41 + i * 3);
            KV::CStatLetter r;
            r.AddStatLetter(mine, 1, 1, 0);
            a.Append(r);
            r.AddStatLetter(static_cast<wchar_t>(0x41 + rng() % 80), 2, 0, 1);
            b.Append(r);
        }
        // The same merge, one record at a time.
        KV::CStatLetterList expected = a;
        for (const KV::CStatLetter* r : b.m_letters)
        {
            KV::CStatLetterList one;
            one.Append(*r);
            expected += one;
        }
        a += b;
        ASSERT_EQ(Records(a), Records(expected));
    }
}

TEST(LetterStatistics, SelfMergeDoubles)
{
    KV::CStatLetterList list;
    list.AddStatistic(L"ab", L"aab");
    list += list;
    EXPECT_EQ(list.m_letters[0]->GetNumber(), 4);
    EXPECT_EQ(list.m_letters[1]->GetNumber(), 2);
    EXPECT_EQ(list.GetAllNumber(), 6);
}

TEST(LetterStatistics, AssignmentIsDeep)
{
    KV::CStatLetterList a;
    a.AddStatistic(L"ab", L"abb");
    KV::CStatLetterList b;
    b.AddStatistic(L"z", L"z");
    b = a;
    ASSERT_EQ(b.m_letters.size(), 2u);
    EXPECT_NE(b.m_letters[0], a.m_letters[0]);
    EXPECT_EQ(b.GetAllNumber(), 3);
    a.Clear();
    EXPECT_EQ(a.GetAllNumber(), 3);
    EXPECT_EQ(b.m_letters[0]->GetLetter(), L'b');
}

TEST(KeyCounters, GoodAndBadPerCharacter)
{
    KV::CLetterList list;
    list.AddGood(L'a');
    list.AddGood(L'a');
    list.AddBad(L'b');
    list.AddBad(L'a');
    ASSERT_EQ(list.GetSize(), 2u);
    EXPECT_EQ(list.Get(0)->GetGood(), 2);
    EXPECT_EQ(list.Get(0)->GetBad(), 1);
    EXPECT_EQ(list.Get(1)->GetLetter(), L'b');
    EXPECT_EQ(list.Get(1)->GetBad(), 1);
    EXPECT_EQ(list.Get(2), nullptr);
}

TEST(KeyCounters, StreamForm)
{
    KV::CLetterList list;
    list.AddGood(L'a');
    std::ostringstream out;
    list.Serialize(out);
    EXPECT_EQ(fwtest::Hex(out.str()), "01 00 01 00 01 00 61 00 01 00 00 00");
    KV::CLetterList back;
    std::istringstream in(out.str());
    back.Serialize(in);
    ASSERT_EQ(back.GetSize(), 1u);
    EXPECT_EQ(back.Get(0)->GetGood(), 1);
}

TEST(KeyCounters, WrongVersionsWarn)
{
    fwtest::MsgRecorder rec(IDOK);
    KV::CLetterList list;
    std::istringstream badList(stattest::Bytes().us(2).us(1).us(1).us('a').us(1).us(0).s);
    list.Serialize(badList);
    EXPECT_EQ(list.GetSize(), 0u);
    ASSERT_EQ(rec.Count(), 1u);
    EXPECT_EQ(rec.Boxes()[0].text, L"Wrong version file: *.let");
    EXPECT_EQ(rec.Boxes()[0].caption, L"Fingerwaltz");
    EXPECT_EQ(rec.Boxes()[0].type, static_cast<unsigned>(MB_OK | MB_ICONEXCLAMATION));

    // A bad record stays zero; reading goes on after its version word.
    rec.Clear();
    std::istringstream badRecord(stattest::Bytes().us(1).us(2).us(9).us(1).us('b').us(3).us(4).s);
    list.Serialize(badRecord);
    ASSERT_EQ(list.GetSize(), 2u);
    EXPECT_EQ(list.Get(0)->GetLetter(), 0);
    EXPECT_EQ(list.Get(1)->GetLetter(), L'b');
    EXPECT_EQ(list.Get(1)->GetBad(), 4);
    EXPECT_EQ(rec.Count(), 1u);

    // A count larger than the data: no box, no phantom records.
    rec.Clear();
    std::istringstream shortData(stattest::Bytes().us(1).us(0xFFFF).us(1).us('c').us(1).us(1).s);
    list.Serialize(shortData);
    EXPECT_EQ(list.GetSize(), 1u);
    EXPECT_EQ(rec.Count(), 0u);
}
