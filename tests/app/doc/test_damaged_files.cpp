#include "common/fwtest.h"
#include "app/doc/WaltzDoc.h"
#include "kvtesting/ByteMutator.h"
#include "kvstruct/core/Serialize.h"

#include <gtest/gtest.h>
#include <sstream>

namespace {

// A user with some history, so that every kind of record is in the files.
void FillDocument(CWaltzDoc& doc)
{
    doc.SetHeader(CHeaderDoc(L"Mia", L"Mia M", L"", L"", L"m"));
    KV::CLapList* list = doc.GetStat().GetCurrent();
    for (int i = 0; i < 3; ++i)
    {
        list->StartLap();
        list->SetNameLesson(L"Lesson");
        list->AddStatLetter(L"asdf jkl;", 0, 2);
        list->EndLap();
    }
    list->NewStatError(5);
    list->AddStatError(2, 1);
    doc.GetStat().SetKLID(L"00000407");
    doc.GetOptions().m_layouts.Init();
}

TEST(DamagedUserFiles, MutatedFilesReadWithoutHarmAndAreKeptWhenUnreadable)
{
    fwtest::MsgRecorder boxes;
    const std::wstring dir = fwtest::MakeTempDir(L"mutate");
    const std::wstring paths[3] = {dir + L"\\m.sta", dir + L"\\m.opt", dir + L"\\m.pla"};
    {
        CWaltzDoc doc;
        FillDocument(doc);
        ASSERT_EQ(1, doc.Save(paths[0].c_str(), paths[1].c_str(), paths[2].c_str()));
    }
    std::string good[3];
    for (int f = 0; f < 3; ++f)
        good[f] = fwtest::ReadFileBytes(paths[f]);

    CWaltzDoc doc;
    KV::CByteMutator mutator(2024);
    int damaged = 0;
    for (int f = 0; f < 3; ++f)
        for (int i = 0; i < 2000; ++i)
        {
            const std::string bad = mutator.Mutate(good[f]);
            std::istringstream in(bad);
            if (f == 0)
            {
                CHeaderDoc header;
                if (header.Serialize(in))
                    doc.ReadMain(in);
            }
            else if (KV::SerializeUS(in) && f == 1)
                doc.GetOptions().Serialize(in);
            else if (f == 2)
                doc.GetPlaces().Serialize(in);
            // Now and then the whole road: load from disk, save, the damaged file kept.
            if (i % 100 != 0)
                continue;
            for (int g = 0; g < 3; ++g)
                ASSERT_TRUE(fwtest::WriteFileBytes(paths[g], g == f ? bad : good[g]));
            doc.Load(paths[0].c_str(), paths[1].c_str(), paths[2].c_str());
            const bool unreadable = !doc.GetDamaged().empty();
            ASSERT_EQ(1, doc.Save(paths[0].c_str(), paths[1].c_str(), paths[2].c_str()));
            if (unreadable)
            {
                ++damaged;
                EXPECT_EQ(bad, fwtest::ReadFileBytes(paths[f] + L".damaged"));
            }
        }
    EXPECT_GT(damaged, 10);
}

} // namespace
