#include "common/fwtest.h"
#include "app/sound/SoundGame.h"
#include "app/sound/SoundSys.h"
#include "kvtesting/CountingAudioBackend.h"
#include "kvstruct/files/Paths.h"
#include "kvstruct/sound/VorbisFile.h"

#include <gtest/gtest.h>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

using KV::CCountingAudioBackend;

namespace {

typedef std::vector<std::pair<unsigned long, std::wstring>> SoundList;

SoundList ListOf(const KV::CSoundSystem& system)
{
    SoundList list;
    for (unsigned long i = 0; i < system.GetSize(); ++i)
        list.emplace_back(system.GetAt(i)->GetID(), system.GetAt(i)->GetFileName());
    return list;
}

const SoundList kInterfaceDefaults = {{0, L"click-1.ogg"}, {1, L"click-2.ogg"}, {2, L"alarm-3.ogg"}};
const SoundList kTypingDefaults = {
    {9, L"alarm-2.ogg"}, {8, L"alarm-1.ogg"}, {7, L"click-5.ogg"}, {6, L"click-4.ogg"}, {5, L"click-3.ogg"},
    {4, L"sound-3.ogg"}, {3, L"sound-2.ogg"}, {2, L"sound-1.ogg"}, {1, L"click-3.ogg"}, {0, L"music-1.ogg"},
};

// The sets play through the counting back end here.
class GameSounds : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = KV::SetAudioBackendFactory(CCountingAudioBackend::Create);
        CCountingAudioBackend::Reset();
    }
    void TearDown() override { KV::SetAudioBackendFactory(m_previous); }
    CCountingAudioBackend::Tally& Tally() { return CCountingAudioBackend::GetTally(); }

    KV::AudioBackendFactory m_previous = nullptr;
};

} // namespace

TEST(GameSoundDefaults, InterfaceSetHasItsThreeSoundsInOrder)
{
    CSoundSys sounds;
    EXPECT_EQ(kInterfaceDefaults, ListOf(sounds));
    for (unsigned long i = 0; i < sounds.GetSize(); ++i)
    {
        EXPECT_EQ(1, sounds.GetAt(i)->GetEnable());
        EXPECT_EQ(100u, sounds.GetAt(i)->GetVolume());
        EXPECT_EQ(&sounds, sounds.GetAt(i)->GetpOwner());
    }
}

TEST(GameSoundDefaults, TypingSetHasItsTenSoundsInOrder)
{
    CSoundGame sounds;
    EXPECT_EQ(kTypingDefaults, ListOf(sounds));
    for (unsigned long i = 0; i < sounds.GetSize(); ++i)
    {
        EXPECT_EQ(1, sounds.GetAt(i)->GetEnable());
        EXPECT_EQ(100u, sounds.GetAt(i)->GetVolume());
    }
}

TEST(GameSoundDefaults, SoundFolderIsBesideTheProgram)
{
    wchar_t exe[MAX_PATH];
    ASSERT_EQ(1, KV::GetPathToExeW(exe));
    std::wstring expected = std::wstring(exe) + L"Sound\\";
    EXPECT_EQ(expected, CSoundSys().GetPath());
    EXPECT_EQ(expected, CSoundGame().GetPath());
}

TEST(GameSoundDefaults, EveryDefaultFileShipsAndDecodes)
{
    CSoundSys interfaceSounds;
    CSoundGame typingSounds;
    for (const KV::CSoundSystem* set : {static_cast<const KV::CSoundSystem*>(&interfaceSounds),
                                        static_cast<const KV::CSoundSystem*>(&typingSounds)})
        for (unsigned long i = 0; i < set->GetSize(); ++i)
        {
            std::wstring path = std::wstring(set->GetPath()) + set->GetAt(i)->GetFileName();
            KV::CPcmBuffer pcm;
            EXPECT_EQ(1, KV::DecodeVorbisFileW(path.c_str(), pcm)) << set->GetAt(i)->GetFileName();
            EXPECT_GT(pcm.GetFrames(), 1000u);
        }
}

TEST(GameSoundDefaults, ResultScoresPickTheirFanfare)
{
    EXPECT_EQ(2, CSoundGame::GetResultSoundID(0));
    EXPECT_EQ(2, CSoundGame::GetResultSoundID(20));
    EXPECT_EQ(3, CSoundGame::GetResultSoundID(21));
    EXPECT_EQ(3, CSoundGame::GetResultSoundID(40));
    EXPECT_EQ(4, CSoundGame::GetResultSoundID(41));
    EXPECT_EQ(4, CSoundGame::GetResultSoundID(60));
    EXPECT_EQ(4, CSoundGame::GetResultSoundID(80));
    EXPECT_EQ(4, CSoundGame::GetResultSoundID(100));
    EXPECT_EQ(2, CSoundGame::GetResultSoundID(-5));
}

TEST_F(GameSounds, TypingSwitchOffPlaysNothingButReportsSuccessAndNeverLoads)
{
    CSoundGame sounds;
    sounds.SetSwitch(0);
    EXPECT_EQ(1, sounds.LoadIfOn());
    EXPECT_EQ(nullptr, sounds.GetpSystem());
    EXPECT_EQ(0u, Tally().opens);
    EXPECT_EQ(0u, Tally().loads);
    for (unsigned short id = 0; id < 10; ++id)
        EXPECT_EQ(1, sounds.Play(id));
    EXPECT_EQ(1, sounds.Play(77));
    EXPECT_EQ(0u, Tally().plays);
}

TEST_F(GameSounds, InterfaceSwitchGatesPlayAndLoading)
{
    int option = 0;
    CSoundSys sounds;
    sounds.SetpSwitch(&option);
    EXPECT_EQ(1, sounds.LoadIfOn());
    EXPECT_EQ(0u, Tally().opens);
    EXPECT_EQ(1, sounds.Play(0));
    EXPECT_EQ(0u, Tally().plays);
    option = 1;
    EXPECT_EQ(1, sounds.LoadIfOn());
    EXPECT_EQ(3u, Tally().loads);
    EXPECT_EQ(1, sounds.Play(2));
    ASSERT_EQ(1u, Tally().played.size());
    EXPECT_EQ(std::wstring(sounds.GetPath()) + L"alarm-3.ogg", Tally().played[0]);
    EXPECT_EQ(0, sounds.Play(5)); // no such sound
}

TEST_F(GameSounds, SwitchedOnSetsPlayEveryDefaultSound)
{
    CSoundGame sounds;
    ASSERT_EQ(1, sounds.LoadIfOn());
    EXPECT_EQ(1, sounds.IsHealthy());
    EXPECT_EQ(10u, Tally().loads);
    for (unsigned short id = 0; id < 10; ++id)
        EXPECT_EQ(1, sounds.Play(id)) << id;
    EXPECT_EQ(10u, Tally().plays);
}

TEST_F(GameSounds, RestoringTheTypingDefaultsStopsAPlayingSound)
{
    CSoundGame sounds;
    ASSERT_EQ(1, sounds.Load());
    sounds.Get(6)->SetFileName(L"click-1.ogg");
    sounds.Get(6)->SetVolume(10);
    ASSERT_EQ(1, sounds.Play(CSoundGame::SoundWaiting));
    EXPECT_EQ(1u, CCountingAudioBackend::GetPlayingCount());
    sounds.SetDefault();
    EXPECT_EQ(0u, CCountingAudioBackend::GetPlayingCount());
    EXPECT_EQ(nullptr, sounds.GetpSystem());
    EXPECT_EQ(1u, Tally().closes);
    EXPECT_EQ(kTypingDefaults, ListOf(sounds));
    EXPECT_EQ(100u, sounds.Get(6)->GetVolume());
    // Loaded again, it plays again.
    ASSERT_EQ(1, sounds.Load());
    EXPECT_EQ(1, sounds.Play(CSoundGame::SoundKey));
}

TEST_F(GameSounds, MissingFileSilencesOnlyThatSound)
{
    // A sound folder with every default file but one.
    std::wstring dir = fwtest::MakeTempDir(L"gs") + L"\\";
    for (const auto& entry : kTypingDefaults)
        if (entry.second != L"alarm-1.ogg")
            fwtest::WriteFileBytes(dir + entry.second, "x");
    CSoundGame sounds;
    sounds.SetPath(dir.c_str());
    EXPECT_EQ(0, sounds.Load());
    EXPECT_EQ(0, sounds.IsHealthy());
    EXPECT_EQ(0, sounds.Play(CSoundGame::SoundError));
    for (unsigned short id : {0, 1, 2, 3, 4, 5, 6, 7, 9})
        EXPECT_EQ(1, sounds.Play(id)) << id;
    EXPECT_EQ(9u, Tally().plays);
}

TEST_F(GameSounds, CopiedSetKeepsItsOwnSwitch)
{
    CSoundGame* original = new CSoundGame();
    original->SetSwitch(0);
    CSoundGame copy(*original);
    delete original;
    EXPECT_EQ(0, copy.IsOn());
    copy.SetSwitch(1);
    EXPECT_EQ(1, copy.IsOn());
    EXPECT_EQ(kTypingDefaults, ListOf(copy));
    int external = 0;
    CSoundSys a;
    a.SetpSwitch(&external);
    CSoundSys b;
    b = a;
    EXPECT_EQ(0, b.IsOn());
    external = 1;
    EXPECT_EQ(1, b.IsOn());
}

TEST(GameSoundLists, StoredListsRoundTrip)
{
    CSoundGame sounds;
    sounds.Get(8)->SetVolume(35);
    sounds.Get(7)->SetEnable(0);
    std::ostringstream out;
    sounds.Serialize(out);
    CSoundGame back;
    back.Clear();
    std::istringstream in(out.str());
    EXPECT_EQ(1, back.Serialize(in));
    EXPECT_EQ(kTypingDefaults, ListOf(back));
    EXPECT_EQ(35u, back.Get(8)->GetVolume());
    EXPECT_EQ(0, back.Get(7)->GetEnable());
    EXPECT_EQ(&back, back.Get(8)->GetpOwner());
}

TEST(GameSoundLists, InterfaceListIsStoredByteForByte)
{
    CSoundSys sounds;
    std::ostringstream out;
    sounds.Serialize(out);
    std::string name1 = "0b 00 63 00 6c 00 69 00 63 00 6b 00 2d 00 31 00 2e 00 6f 00 67 00 67 00";
    EXPECT_EQ("01 00 03 00 01 00 00 00 64 00 01 00 01 00 00 00 " + name1 +
                  " "
                  "01 00 01 00 64 00 01 00 01 00 00 00 0b 00 63 00 6c 00 69 00 63 00 6b 00 2d 00 32 00 2e 00 "
                  "6f 00 67 00 67 00 "
                  "01 00 02 00 64 00 01 00 01 00 00 00 0b 00 61 00 6c 00 61 00 72 00 6d 00 2d 00 33 00 2e 00 "
                  "6f 00 67 00 67 00",
              fwtest::Hex(out.str()));
}

TEST(GameSoundLists, VersionZeroListReadsAsEmpty)
{
    CSoundSys sounds;
    std::istringstream in(std::string("\0\0", 2));
    EXPECT_EQ(1, sounds.Serialize(in));
    EXPECT_EQ(0u, sounds.GetSize());
}

TEST(GameSoundLists, DamagedListLeavesTheDefaults)
{
    CSoundGame sounds;
    sounds.Clear();
    std::istringstream in(std::string("\1\0\x40\0\1\0", 6)); // 64 sounds announced, none there
    EXPECT_EQ(0, sounds.Serialize(in));
    EXPECT_EQ(kTypingDefaults, ListOf(sounds));
    CSoundSys interfaceSounds;
    std::istringstream cut(std::string("\1", 1));
    EXPECT_EQ(0, interfaceSounds.Serialize(cut));
    EXPECT_EQ(kInterfaceDefaults, ListOf(interfaceSounds));
}

TEST(CommandSound, IdentifiersMapToTheirSounds)
{
    for (unsigned int id : {3016u, 3017u, 3018u, 3023u})
        EXPECT_EQ(1, GetCommandSoundID(id)) << id;
    EXPECT_EQ(2, GetCommandSoundID(3001));
    EXPECT_EQ(2, GetCommandSoundID(3003));
    EXPECT_EQ(-1, GetCommandSoundID(607));
    for (unsigned int id : {0u, 1u, 606u, 608u, 3000u, 3002u, 3019u, 3022u, 3024u, 65535u})
        EXPECT_EQ(0, GetCommandSoundID(id)) << id;
}

TEST_F(GameSounds, MainWindowRulePlaysWhileItsFlagIsSet)
{
    CSoundSys sounds;
    ASSERT_EQ(1, sounds.Load());
    EXPECT_EQ(1, PlayCommandSound(&sounds, 3017, 1));
    CCountingAudioBackend::FinishAll();
    EXPECT_EQ(0, PlayCommandSound(&sounds, 3017, 0));
    EXPECT_EQ(0, PlayCommandSound(&sounds, 607, 1));
    EXPECT_EQ(0, PlayCommandSound(nullptr, 3001, 1));
    EXPECT_EQ(1, PlayCommandSound(&sounds, 3003, 1));
    ASSERT_EQ(2u, Tally().played.size());
    std::wstring dir = sounds.GetPath();
    EXPECT_EQ(dir + L"click-2.ogg", Tally().played[0]);
    EXPECT_EQ(dir + L"alarm-3.ogg", Tally().played[1]);
}

TEST_F(GameSounds, DialogRuleSkipsFocusChangeAndUpdateNotifications)
{
    CSoundSys sounds;
    ASSERT_EQ(1, sounds.Load());
    for (unsigned int code : {3u, 4u, 10u, 256u, 512u, 768u, 1024u})
        EXPECT_EQ(0, PlayDialogCommandSound(&sounds, MAKEWPARAM(1001, code), 1)) << code;
    EXPECT_EQ(0u, Tally().plays);
    EXPECT_EQ(1, PlayDialogCommandSound(&sounds, MAKEWPARAM(IDOK, BN_CLICKED), 1));
    EXPECT_EQ(1, PlayDialogCommandSound(&sounds, MAKEWPARAM(1001, CBN_SELENDOK), 1));
    EXPECT_EQ(0, PlayDialogCommandSound(&sounds, MAKEWPARAM(IDOK, BN_CLICKED), 0));
    EXPECT_EQ(1u, Tally().plays); // break-play: the click was still running
    CCountingAudioBackend::FinishAll();
    EXPECT_EQ(1, PlayDialogCommandSound(&sounds, MAKEWPARAM(3016, 0), 1));
    EXPECT_EQ(2u, Tally().plays);
}

TEST_F(GameSounds, DialogRulePlaysTheClickForClicksAndTreeSelections)
{
    CSoundSys sounds;
    ASSERT_EQ(1, sounds.Load());
    NMHDR header = {};
    header.code = static_cast<UINT>(NM_CLICK);
    EXPECT_EQ(1, PlayDialogNotifySound(&sounds, &header, 1));
    CCountingAudioBackend::FinishAll();
    header.code = static_cast<UINT>(TVN_SELCHANGEDW);
    EXPECT_EQ(1, PlayDialogNotifySound(&sounds, &header, 1));
    EXPECT_EQ(0, PlayDialogNotifySound(&sounds, &header, 0));
    header.code = static_cast<UINT>(NM_DBLCLK);
    EXPECT_EQ(0, PlayDialogNotifySound(&sounds, &header, 1));
    header.code = static_cast<UINT>(TVN_SELCHANGINGW);
    EXPECT_EQ(0, PlayDialogNotifySound(&sounds, &header, 1));
    EXPECT_EQ(0, PlayDialogNotifySound(&sounds, nullptr, 1));
    ASSERT_EQ(2u, Tally().plays);
    EXPECT_EQ(std::wstring(sounds.GetPath()) + L"click-1.ogg", Tally().played[1]);
}

TEST_F(GameSounds, InterfaceSoundsOffSilenceTheDialogRule)
{
    CSoundSys sounds;
    sounds.SetSwitch(0);
    NMHDR header = {};
    header.code = static_cast<UINT>(NM_CLICK);
    PlayDialogNotifySound(&sounds, &header, 1);
    PlayDialogCommandSound(&sounds, MAKEWPARAM(IDOK, BN_CLICKED), 1);
    PlayCommandSound(&sounds, 3001, 1);
    EXPECT_EQ(0u, Tally().plays);
}

TEST_F(GameSounds, ASetNotLoadedOpensAndDecodesASoundAtItsFirstPlay)
{
    CSoundGame sounds;
    EXPECT_EQ(1, sounds.Play(CSoundGame::SoundKey));
    EXPECT_EQ(1u, Tally().opens);
    EXPECT_EQ(1u, Tally().loads);
    EXPECT_EQ(1u, Tally().plays);
    EXPECT_EQ(1, sounds.Play(CSoundGame::SoundKey));
    EXPECT_EQ(1u, Tally().opens);
    EXPECT_EQ(1u, Tally().loads);
}
