// Following the system's keyboard layout, driven through the table keyboard layer (the real
// system offers one layout under Wine).
#include "app/doc/WaltzDoc.h"
#include "app/ui/LayoutChange.h"
#include "common/fwtest.h"
#include "kvtesting/KeyboardLayerTable.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

struct LayoutFixture : testing::Test
{
    void SetUp() override
    {
        KV::SetKeyboardLayer(&layer);
        // Installed: United States, German, Russian; the user has switched Russian off.
        ASSERT_EQ(1, doc.GetOptions().m_layouts.Init());
        for (KV::CLayout& layout : doc.GetOptions().m_layouts.GetLayouts())
            if (layout.GetKLID() == L"00000419")
                layout.SetEnable(0);
        doc.GetOptions().m_sKLID = L"00000409";
        doc.GetStat().SetKLID(L"00000409");
        usLaps = doc.GetCurLapList();
    }
    void TearDown() override { KV::SetKeyboardLayer(nullptr); }

    LayoutFollowSteps RecordingSteps()
    {
        LayoutFollowSteps steps;
        steps.pauseLesson = [this] { calls.push_back(L"pause " + std::wstring(doc.GetStat().GetKLID())); };
        steps.rebuildLibraries = [this](CWaltzDoc& d) {
            EXPECT_EQ(&doc, &d);
            calls.push_back(L"rebuild " + std::wstring(d.GetOptions().m_sKLID));
        };
        steps.refreshViews = [this] { calls.push_back(L"refresh"); };
        return steps;
    }

    KV::CTableKeyboardLayer layer;
    CWaltzDoc doc;
    KV::CLapList* usLaps = nullptr;
    std::vector<std::wstring> calls;
};

} // namespace

TEST_F(LayoutFixture, EnabledLayoutBringsItsLessonsAndStatistics)
{
    struct Case
    {
        const wchar_t* active;
        bool forced;
        LayoutFollow result;
        const wchar_t* userLayout; // afterwards, in the options and the statistics
        std::vector<std::wstring> calls;
    };
    const Case cases[] = {
        {L"00000409", false, LayoutFollow::Same, L"00000409", {}},
        {L"00000419", false, LayoutFollow::NotEnabled, L"00000409", {}},
        {L"00000407",
         false,
         LayoutFollow::Switched,
         L"00000407",
         {L"pause 00000409", L"rebuild 00000407", L"refresh"}},
        {L"00000407", false, LayoutFollow::Same, L"00000407", {}},
        {L"00000407",
         true,
         LayoutFollow::Switched,
         L"00000407",
         {L"pause 00000407", L"rebuild 00000407", L"refresh"}},
        {L"00000419", true, LayoutFollow::NotEnabled, L"00000407", {}},
        {L"00000409",
         false,
         LayoutFollow::Switched,
         L"00000409",
         {L"pause 00000407", L"rebuild 00000409", L"refresh"}},
    };
    for (const Case& c : cases)
    {
        SCOPED_TRACE(testing::Message() << std::wstring(c.active).c_str() << (c.forced ? " forced" : ""));
        ASSERT_TRUE(layer.SetActiveLayout(c.active));
        calls.clear();
        EXPECT_EQ(c.result, FollowKeyboardLayout(doc, c.forced, RecordingSteps()));
        EXPECT_EQ(c.calls, calls);
        EXPECT_EQ(std::wstring(c.userLayout), std::wstring(doc.GetOptions().m_sKLID));
        EXPECT_EQ(std::wstring(c.userLayout), std::wstring(doc.GetStat().GetKLID()));
        EXPECT_EQ(std::wstring(c.userLayout), std::wstring(doc.GetCurLapList()->GetKLID()));
    }
    // Back on the first layout, its own laps are the current ones again.
    EXPECT_EQ(usLaps, doc.GetCurLapList());
}
