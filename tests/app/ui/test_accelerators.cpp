// The main window's accelerator tables entry by entry, the tooltips with their hot keys and the
// interface sound of each command.
#include "common/fwtest.h"
#include "app/doc/OptionsDoc.h"
#include "app/ui/Accelerators.h"
#include "app/ui/Commands.h"
#include "kvstruct/core/Param.h"
#include "kvstruct/files/IniTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

const BYTE K = FVIRTKEY;
const BYTE C = FVIRTKEY | FCONTROL;
const BYTE CS = FVIRTKEY | FCONTROL | FSHIFT;

struct Entry
{
    BYTE modifiers;
    WORD key;
    WORD command;
};

void ExpectTable(const std::vector<Entry>& expected, const std::vector<ACCEL>& table)
{
    ASSERT_EQ(expected.size(), table.size());
    for (size_t i = 0; i < table.size(); ++i)
    {
        SCOPED_TRACE(i);
        EXPECT_EQ(expected[i].modifiers, table[i].fVirt);
        EXPECT_EQ(expected[i].key, table[i].key);
        EXPECT_EQ(expected[i].command, table[i].cmd);
    }
    // The platform accepts the table as it is.
    std::vector<ACCEL> copy = table;
    HACCEL accel = ::CreateAcceleratorTableW(copy.data(), (int)copy.size());
    EXPECT_NE(nullptr, accel);
    ::DestroyAcceleratorTable(accel);
}

const std::vector<Entry> kGraphMoves = {
    {K, VK_DELETE, 751}, {K, VK_RIGHT, 3008}, {K, VK_LEFT, 3009}, {K, VK_DOWN, 3010},
    {C, VK_DOWN, 3010},  {K, VK_UP, 3011},    {C, VK_UP, 3011},   {C, 'A', 3022},
};

} // namespace

TEST(Accelerators, FixedTablesInTheirOrder)
{
    ExpectTable({{K, VK_F1, 610},
                 {K, VK_F2, 600},
                 {K, VK_F3, 601},
                 {K, VK_F4, 602},
                 {K, VK_F5, 4016},
                 {K, VK_F7, 4017},
                 {K, VK_F9, 607},
                 {K, VK_F12, 604},
                 {K, VK_ESCAPE, 611},
                 {C, 'I', 609},
                 {C, 'O', 608},
                 {CS, 'B', 4055},
                 {C, 'P', 4016}},
                MainAccelerators());
    ExpectTable({{C, 'N', 750}, {K, VK_DELETE, 751}, {C, 'Q', 3006}, {K, VK_SPACE, 3005}, {C, 'O', 801}},
                LessonTreeAccelerators());
    ExpectTable({{C, 'S', 800}, {C, 'Q', 3007}, {C, 'O', 801}}, LessonViewAccelerators());
}

TEST(Accelerators, GraphKeysFollowTheShownColumnsWithCheckBoxes)
{
    KV::CListParam columns;
    COptionsDoc::DefaultScoreColumns(columns); // shown with pictures: 701, 707, 703
    std::set<unsigned long> boxes = {701, 703, 704, 707};
    const auto hasBox = [&](unsigned long id) { return boxes.count(id) != 0; };

    std::vector<Entry> expected = {{C, '1', 701}, {C, '2', 707}, {C, '3', 703}};
    expected.insert(expected.end(), kGraphMoves.begin(), kGraphMoves.end());
    ExpectTable(expected, GraphAccelerators(columns, hasBox));

    // A column without a check box in the panel gets no key; the next one moves up.
    boxes.erase(707);
    expected = {{C, '1', 701}, {C, '2', 703}};
    expected.insert(expected.end(), kGraphMoves.begin(), kGraphMoves.end());
    ExpectTable(expected, GraphAccelerators(columns, hasBox));

    // Twelve drawable columns: ten keys, the tenth on 0.
    KV::CListParam many;
    for (unsigned long id = 1; id <= 12; ++id)
        many.Add(id, 0x11, L"", L"");
    const std::vector<ACCEL> table = GraphAccelerators(many, [](unsigned long) { return true; });
    ASSERT_EQ(10u + kGraphMoves.size(), table.size());
    EXPECT_EQ('9', table[8].key);
    EXPECT_EQ('0', table[9].key);
    EXPECT_EQ(10, table[9].cmd);
}

TEST(Accelerators, TooltipsShowTheLiteralHotKeys)
{
    KV::CIniTable lang;
    ASSERT_TRUE(lang.Load_UTF16((fwtest::BinDir() + L"\\Language\\English.ini").c_str()));
    struct Case
    {
        unsigned short id;
        bool graph;
        const wchar_t* key;
        const wchar_t* hotKey;
    };
    const Case cases[] = {
        {608, false, L"TipOptions", L" (Ctrl+O)"},
        {609, false, L"TipAbout", L" (Ctrl+I)"},
        {750, false, L"TipCreateLesson", L" (Ctrl+N)"},
        {751, false, L"TipDeleteLesson", L" (Delete)"},
        {751, true, L"TipDelDiagramPoint", L" (Delete)"},
        {752, false, L"TipRenameLesson", L" (Double-click)"},
        {800, false, L"TipSaveLesson", L" (Ctrl+S)"},
        {801, false, L"TipInsertLesson", L" (Ctrl+O)"},
        {600, false, L"TipLesson", L""},
        {607, false, L"TipShowKeyboard", L""},
        {553, false, L"TipTimeLetter", L""},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(c.key);
        const ButtonTip* tip = FindButtonTip(c.id, c.graph);
        ASSERT_NE(nullptr, tip);
        const std::wstring text = lang._GetW(c.key);
        ASSERT_FALSE(text.empty());
        EXPECT_EQ(text + c.hotKey, TipText(&lang, *tip));
    }
    EXPECT_EQ(nullptr, FindButtonTip(612));
    EXPECT_EQ(lang._GetW(L"TipSpeedCPM") + L" (Ctrl+2)", GraphColumnTipText(&lang, L"TipSpeedCPM", 1));
    EXPECT_EQ(lang._GetW(L"TipSpeedCPM"), GraphColumnTipText(&lang, L"TipSpeedCPM", -1));
}

TEST(Accelerators, InterfaceSoundOfEachCommand)
{
    const std::pair<unsigned, int> cases[] = {
        {3016, 1}, {3017, 1}, {3018, 1}, {3023, 1}, {3001, 2}, {3003, 2}, {607, kNoInterfaceSound},
        {600, 0},  {3015, 0}, {3019, 0}, {3022, 0}, {3002, 0}, {4016, 0}, {751, 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.second, InterfaceSoundOfCommand(c.first)) << c.first;
}
