#include "common/fwtest.h"
#include "kvtesting/CountingAudioBackend.h"
#include "kvstruct/core/Serialize.h"
#include "kvstruct/sound/Sound.h"
#include "kvstruct/sound/SoundSystem.h"
#include "kvstruct/sound/VorbisFile.h"
#include "kvstruct/sound/XAudio2Backend.h"

#include <gtest/gtest.h>
#include <sstream>

using KV::CCountingAudioBackend;
using KV::CSound;
using KV::CSoundSystem;

namespace {

std::wstring ShippedSoundDir()
{
    return fwtest::BinDir() + L"\\Sound\\";
}

// Every test of this fixture plays through the counting back end.
class SoundFake : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = KV::SetAudioBackendFactory(CCountingAudioBackend::Create);
        CCountingAudioBackend::Reset();
        m_dir = fwtest::MakeTempDir(L"snd") + L"\\";
        for (const wchar_t* name : {L"a.ogg", L"b.ogg", L"c.ogg"})
            fwtest::WriteFileBytes(m_dir + name, "x");
    }
    void TearDown() override { KV::SetAudioBackendFactory(m_previous); }

    CCountingAudioBackend::Tally& Tally() { return CCountingAudioBackend::GetTally(); }

    KV::AudioBackendFactory m_previous = nullptr;
    std::wstring m_dir;
};

std::string ListBytes(const CSoundSystem& system)
{
    std::ostringstream out;
    system.Serialize(out);
    return out.str();
}

} // namespace

TEST_F(SoundFake, PlayOfUnknownIdReturnsZeroAndPlaysNothing)
{
    CSoundSystem system;
    system.SetPath(m_dir.c_str());
    system.Add(1, L"a.ogg");
    ASSERT_EQ(1, system.Load());
    EXPECT_EQ(0, system.Play(2));
    EXPECT_EQ(0u, Tally().plays);
    EXPECT_EQ(nullptr, system.Get(2));
}

TEST_F(SoundFake, BreakPlayStartsOnePlaybackWhileTheFirstRuns)
{
    CSoundSystem system;
    system.SetPath(m_dir.c_str());
    system.Add(4, L"a.ogg");
    ASSERT_EQ(1, system.Load());
    EXPECT_EQ(1, system.Play(4));
    EXPECT_EQ(1, system.Play(4));
    EXPECT_EQ(1u, Tally().plays);
    // Once it has ended, the next request plays again.
    CCountingAudioBackend::FinishAll();
    EXPECT_EQ(1, system.Play(4));
    EXPECT_EQ(2u, Tally().plays);
}

TEST_F(SoundFake, WithoutBreakPlayEveryRequestStartsAPlayback)
{
    CSoundSystem system;
    system.SetPath(m_dir.c_str());
    system.Add(4, L"a.ogg")->SetBreakPlay(0);
    ASSERT_EQ(1, system.Load());
    EXPECT_EQ(1, system.Play(4));
    EXPECT_EQ(1, system.Play(4));
    EXPECT_EQ(2u, Tally().plays);
    EXPECT_EQ(2u, CCountingAudioBackend::GetPlayingCount());
}

TEST_F(SoundFake, PlaySetsTheSoundsVolumeOnItsChannel)
{
    CSoundSystem system;
    system.SetPath(m_dir.c_str());
    system.Add(0, L"a.ogg", 1, 30);
    // Play alone does not start the back end.
    EXPECT_EQ(0, system.Play(0));
    ASSERT_NE(nullptr, system.Create());
    EXPECT_EQ(1, system.Play(0));
    EXPECT_DOUBLE_EQ(0.30, Tally().lastVolume);
    EXPECT_EQ(1u, Tally().volumeCalls);
    ASSERT_EQ(1u, Tally().played.size());
    EXPECT_EQ(m_dir + L"a.ogg", Tally().played[0]);
}

TEST(SoundVolume, FiftyFiveReadsBackAndIsStoredAsFiftyFive)
{
    CSound sound;
    sound.SetVolume(55);
    EXPECT_EQ(55u, sound.GetVolume());
    std::ostringstream out;
    sound.Serialize(out);
    EXPECT_EQ("37 00", fwtest::Hex(out.str().substr(4, 2)));
}

TEST(SoundVolume, EveryPerCentReadsBackUnchangedAndLargerCountsAsFull)
{
    CSound sound;
    for (unsigned long v = 0; v <= 100; ++v)
    {
        sound.SetVolume(v);
        EXPECT_EQ(v, sound.GetVolume());
    }
    sound.SetVolume(250);
    EXPECT_EQ(100u, sound.GetVolume());
}

TEST(SoundDefaults, ConstructedSoundPlaysOnceWithBreakPlay)
{
    CSound sound;
    EXPECT_EQ(0u, sound.GetID());
    EXPECT_STREQ(L"", sound.GetFileName());
    EXPECT_EQ(1, sound.GetEnable());
    EXPECT_EQ(100u, sound.GetVolume());
    EXPECT_EQ(1u, sound.GetMode());
    EXPECT_EQ(1, sound.GetBreakPlay());
    EXPECT_EQ(0, sound.IsLoaded());
    // Without an owner nothing can load or play.
    EXPECT_EQ(0, sound.Load());
    EXPECT_EQ(0, sound.Play());
}

TEST(SoundMode, SetModeOnlyAddsBits)
{
    CSound sound;
    sound.SetMode(CSound::ModeLoopNormal);
    EXPECT_EQ(3u, sound.GetMode());
    sound.SetMode(0);
    EXPECT_EQ(3u, sound.GetMode());
}

TEST_F(SoundFake, ModeIsAppliedOnlyWhenItIsNotPlayOnce)
{
    CSoundSystem system;
    system.SetPath(m_dir.c_str());
    system.Add(0, L"a.ogg");
    system.Add(1, L"b.ogg")->SetMode(0x100);
    system.Add(2, L"c.ogg");
    // Low bits 3 (once and loop): not "play once" any more.
    system.Get(2)->SetMode(CSound::ModeLoopNormal);
    ASSERT_EQ(1, system.Load());
    EXPECT_EQ(1u, Tally().modeCalls);
    EXPECT_EQ(3u, Tally().lastMode);
}

TEST_F(SoundFake, DisabledSoundLoadsAsSuccessAndPlaysAsFailure)
{
    CSoundSystem system;
    system.SetPath(m_dir.c_str());
    CSound* sound = system.Add(3, L"a.ogg", 0);
    ASSERT_NE(nullptr, system.Create());
    EXPECT_EQ(1, sound->Load());
    EXPECT_EQ(0, sound->IsLoaded());
    EXPECT_EQ(0, sound->Play());
    EXPECT_EQ(0, system.Play(3));
    EXPECT_EQ(0, sound->Stop());
    EXPECT_EQ(0, sound->Release());
    EXPECT_EQ(0u, Tally().loads);
    EXPECT_EQ(0u, Tally().plays);
    EXPECT_EQ(1, system.IsHealthy());
}

TEST_F(SoundFake, DisablingALoadedSoundStillFreesItOnRelease)
{
    CSoundSystem system;
    system.SetPath(m_dir.c_str());
    CSound* sound = system.Add(3, L"a.ogg");
    ASSERT_EQ(1, system.Load());
    sound->SetEnable(0);
    EXPECT_EQ(0, sound->Release());
    EXPECT_EQ(0, sound->IsLoaded());
    EXPECT_EQ(1u, Tally().releases);
}

TEST_F(SoundFake, MissingFileSilencesOnlyThatSoundAndIsRetriedAtTheNextPlay)
{
    CSoundSystem system;
    system.SetPath(m_dir.c_str());
    system.Add(0, L"a.ogg");
    system.Add(1, L"missing.ogg");
    system.Add(2, L"b.ogg");
    EXPECT_EQ(0, system.Load());
    EXPECT_EQ(0, system.IsHealthy());
    // The sounds after the missing one are loaded all the same.
    EXPECT_EQ(1, system.Get(2)->IsLoaded());
    EXPECT_EQ(1, system.Play(0));
    EXPECT_EQ(0, system.Play(1));
    EXPECT_EQ(1, system.Play(2));
    EXPECT_EQ(2u, Tally().plays);
    unsigned long failures = Tally().loadFailures;
    EXPECT_EQ(0, system.Play(1));
    EXPECT_EQ(failures + 1, Tally().loadFailures);
    // The file appears: the next Play loads and plays it.
    fwtest::WriteFileBytes(m_dir + L"missing.ogg", "x");
    EXPECT_EQ(1, system.Play(1));
    EXPECT_EQ(3u, Tally().plays);
}

TEST_F(SoundFake, TooLongAPathIsRefusedRatherThanCut)
{
    CSoundSystem system;
    system.SetPath(m_dir.c_str());
    std::wstring name(260, L'a');
    system.Add(0, name.c_str());
    ASSERT_NE(nullptr, system.Create());
    EXPECT_EQ(0, system.Get(0)->Load());
    EXPECT_EQ(0u, Tally().loads + Tally().loadFailures);
}

TEST_F(SoundFake, StopEndsThePlaybackAndOnlyFailsWhenNothingIsLoaded)
{
    CSoundSystem system;
    system.SetPath(m_dir.c_str());
    CSound* sound = system.Add(0, L"a.ogg");
    EXPECT_EQ(0, sound->Stop()); // not loaded
    ASSERT_EQ(1, system.Load());
    EXPECT_EQ(1, sound->Stop()); // no playback
    ASSERT_EQ(1, sound->Play());
    EXPECT_EQ(1, sound->IsPlaying());
    EXPECT_EQ(1, sound->Stop());
    EXPECT_EQ(0, sound->IsPlaying());
    EXPECT_EQ(1u, Tally().stops);
    EXPECT_EQ(1, sound->Stop());
}

TEST_F(SoundFake, ReleaseKeepsTheListAndItCanBeLoadedAgain)
{
    CSoundSystem system;
    system.SetPath(m_dir.c_str());
    system.Add(0, L"a.ogg");
    system.Add(1, L"b.ogg");
    ASSERT_EQ(1, system.Load());
    ASSERT_EQ(1, system.Play(0));
    EXPECT_EQ(1, system.Release());
    EXPECT_EQ(nullptr, system.GetpSystem());
    EXPECT_EQ(0u, CCountingAudioBackend::GetPlayingCount());
    EXPECT_EQ(2u, Tally().releases);
    EXPECT_EQ(1u, Tally().closes);
    EXPECT_EQ(2u, system.GetSize());
    EXPECT_EQ(1, system.Load());
    EXPECT_EQ(2u, Tally().opens);
    EXPECT_EQ(1, system.Play(1));
}

TEST_F(SoundFake, CreateReturnsTheSystemAtOnceWhenItRuns)
{
    CSoundSystem system;
    EXPECT_EQ(&system, system.Create());
    KV::CAudioBackend* backend = system.GetpSystem();
    EXPECT_EQ(&system, system.Create());
    EXPECT_EQ(backend, system.GetpSystem());
    EXPECT_EQ(1u, Tally().opens);
}

TEST_F(SoundFake, NoDeviceMakesLoadSucceedQuietlyWithTheFlagDown)
{
    fwtest::MsgRecorder rec;
    Tally().refuseOpen = 1;
    CSoundSystem system;
    system.SetPath(m_dir.c_str());
    system.Add(0, L"a.ogg");
    EXPECT_EQ(1, system.IsHealthy());
    EXPECT_EQ(nullptr, system.Create());
    EXPECT_EQ(1, system.Load());
    EXPECT_EQ(0, system.IsHealthy());
    EXPECT_EQ(nullptr, system.GetpSystem());
    EXPECT_EQ(0, system.Play(0));
    EXPECT_EQ(0u, rec.Count());
}

TEST(SoundNoDevice, XAudio2BackendStaysSilentWithoutAnOutputDevice)
{
    fwtest::MsgRecorder rec;
    KV::AudioBackendFactory previous = KV::SetAudioBackendFactory(nullptr);
    KV::CXAudio2Backend::DeviceProbe probe = KV::CXAudio2Backend::SetDeviceProbe([] { return 0; });
    {
        CSoundSystem system;
        system.SetPath(ShippedSoundDir().c_str());
        system.Add(0, L"click-1.ogg");
        EXPECT_EQ(nullptr, system.Create());
        EXPECT_EQ(1, system.Load());
        EXPECT_EQ(0, system.IsHealthy());
        EXPECT_EQ(0, system.Play(0));
        EXPECT_EQ(1, system.Release());
    }
    KV::CXAudio2Backend::SetDeviceProbe(probe);
    KV::SetAudioBackendFactory(previous);
    EXPECT_EQ(0u, rec.Count());
}

TEST(SoundNoDevice, DefaultBackendFollowsTheDeviceProbeQuietly)
{
    // Run without any ALSA device, this is the machine without sound: Load succeeds, the
    // flag drops and nothing plays; with the harness's null device everything loads.
    fwtest::MsgRecorder rec;
    KV::AudioBackendFactory previous = KV::SetAudioBackendFactory(nullptr);
    {
        int device = KV::CXAudio2Backend::HasOutputDevice();
        CSoundSystem system;
        system.SetPath(ShippedSoundDir().c_str());
        system.Add(0, L"click-1.ogg");
        EXPECT_EQ(1, system.Load());
        EXPECT_EQ(device, system.IsHealthy());
        EXPECT_EQ(device, system.Play(0));
        EXPECT_EQ(1, system.Release());
    }
    KV::SetAudioBackendFactory(previous);
    EXPECT_EQ(0u, rec.Count());
}

TEST(SoundBinary, ListIsWrittenByteForByte)
{
    CSoundSystem system;
    system.Add(7, L"a.ogg", 1, 55);
    CSound* second = system.Add(0x1234, L"b", 0, 100);
    second->SetMode(CSound::ModeLoopNormal);
    second->SetBreakPlay(0); // not stored
    EXPECT_EQ("01 00 02 00 "
              "01 00 07 00 37 00 01 00 01 00 00 00 05 00 61 00 2e 00 6f 00 67 00 67 00 "
              "01 00 34 12 64 00 00 00 03 00 00 00 01 00 62 00",
              fwtest::Hex(ListBytes(system)));
}

TEST(SoundBinary, EmptyListIsFourBytes)
{
    CSoundSystem system;
    EXPECT_EQ("01 00 00 00", fwtest::Hex(ListBytes(system)));
}

TEST(SoundBinary, ListRoundTripKeepsEverySetting)
{
    CSoundSystem system;
    system.Add(9, L"alarm-2.ogg", 1, 55);
    system.Add(8, L"alarm-1.ogg", 0, 0);
    system.Add(0, L"music-1.ogg", 1, 100)->SetMode(CSound::ModeLoopNormal);
    std::string bytes = ListBytes(system);

    CSoundSystem back;
    back.Add(1, L"old.ogg");
    std::istringstream in(bytes);
    EXPECT_EQ(1, back.Serialize(in));
    ASSERT_EQ(3u, back.GetSize());
    EXPECT_EQ(9u, back.GetAt(0)->GetID());
    EXPECT_STREQ(L"alarm-2.ogg", back.GetAt(0)->GetFileName());
    EXPECT_EQ(55u, back.GetAt(0)->GetVolume());
    EXPECT_EQ(0, back.GetAt(1)->GetEnable());
    EXPECT_EQ(0u, back.GetAt(1)->GetVolume());
    EXPECT_EQ(3u, back.GetAt(2)->GetMode());
    EXPECT_EQ(&back, back.GetAt(2)->GetpOwner());
    EXPECT_EQ(bytes, ListBytes(back));
}

TEST(SoundBinary, VersionZeroListReadsAsEmpty)
{
    CSoundSystem system;
    system.Add(1, L"a.ogg");
    std::istringstream in(std::string("\0\0\5\0", 4));
    EXPECT_EQ(1, system.Serialize(in));
    EXPECT_EQ(0u, system.GetSize());
}

TEST(SoundBinary, VersionZeroSoundKeepsTheDefaults)
{
    std::istringstream in(std::string("\1\0\1\0\0\0", 6));
    CSoundSystem system;
    EXPECT_EQ(1, system.Serialize(in));
    ASSERT_EQ(1u, system.GetSize());
    CSound* sound = system.GetAt(0);
    EXPECT_EQ(0u, sound->GetID());
    EXPECT_STREQ(L"", sound->GetFileName());
    EXPECT_EQ(1, sound->GetEnable());
    EXPECT_EQ(100u, sound->GetVolume());
}

TEST(SoundBinary, ReadVolumeAboveFullCountsAsFull)
{
    std::string bytes("\1\0\3\0\x2c\1\1\0\1\0\0\0\0\0", 14); // volume 300
    std::istringstream in(bytes);
    CSound sound;
    EXPECT_EQ(1, sound.Serialize(in));
    EXPECT_EQ(3u, sound.GetID());
    EXPECT_EQ(100u, sound.GetVolume());
}

TEST(SoundBinary, ReadModeReplacesTheCurrentMode)
{
    CSound source;
    std::ostringstream out;
    source.Serialize(out);
    CSound sound;
    sound.SetMode(CSound::ModeLoopNormal);
    std::istringstream in(out.str());
    EXPECT_EQ(1, sound.Serialize(in));
    EXPECT_EQ(1u, sound.GetMode());
}

TEST(SoundBinary, DamagedCountIsRefusedWithoutMakingSounds)
{
    // 65,535 sounds announced, one record present.
    CSoundSystem one;
    one.Add(1, L"a.ogg");
    std::string bytes = ListBytes(one);
    bytes[2] = '\xff';
    bytes[3] = '\xff';
    std::istringstream in(bytes);
    CSoundSystem system;
    EXPECT_EQ(0, system.Serialize(in));
    EXPECT_EQ(0u, system.GetSize());
}

TEST(SoundBinary, DamagedCountInAStreamOfUnknownLengthStopsAtTheEnd)
{
    // A stream that cannot tell its length: sounds are made only as records arrive.
    class OneWayBuf : public std::streambuf
    {
    public:
        explicit OneWayBuf(const std::string& s) : m_data(s)
        {
            setg(&m_data[0], &m_data[0], &m_data[0] + m_data.size());
        }

    private:
        std::string m_data;
    };
    CSoundSystem two;
    two.Add(1, L"a.ogg");
    two.Add(2, L"b.ogg");
    std::string bytes = ListBytes(two);
    bytes[2] = '\xff';
    bytes[3] = '\xff';
    OneWayBuf buf(bytes);
    std::istream in(&buf);
    ASSERT_EQ(-1, KV::StreamBytesLeft(in));
    CSoundSystem system;
    EXPECT_EQ(0, system.Serialize(in));
    EXPECT_EQ(2u, system.GetSize());
}

TEST(SoundBinary, RecordCutShortIsDroppedAndReported)
{
    CSoundSystem two;
    two.Add(1, L"a.ogg");
    two.Add(2, L"bbbbbbbb.ogg");
    std::string bytes = ListBytes(two);
    bytes.resize(bytes.size() - 5);
    std::istringstream in(bytes);
    CSoundSystem system;
    EXPECT_EQ(0, system.Serialize(in));
    ASSERT_EQ(1u, system.GetSize());
    EXPECT_STREQ(L"a.ogg", system.GetAt(0)->GetFileName());
}

TEST(SoundCopy, CopyConstructionMakesOwnSoundsAndNoSharedBackend)
{
    auto previous = KV::SetAudioBackendFactory(CCountingAudioBackend::Create);
    {
        CSoundSystem system;
        system.SetPath(L"C:\\x\\");
        system.Add(3, L"a.ogg", 1, 40)->SetBreakPlay(0);
        system.Create();
        CSoundSystem copy(system);
        EXPECT_STREQ(L"C:\\x\\", copy.GetPath());
        EXPECT_EQ(nullptr, copy.GetpSystem());
        ASSERT_EQ(1u, copy.GetSize());
        EXPECT_NE(system.GetAt(0), copy.GetAt(0));
        EXPECT_EQ(&copy, copy.GetAt(0)->GetpOwner());
        EXPECT_EQ(40u, copy.GetAt(0)->GetVolume());
        EXPECT_EQ(0, copy.GetAt(0)->GetBreakPlay());
    } // both destructors run: nothing is freed twice
    KV::SetAudioBackendFactory(previous);
}

TEST(SoundCopy, AssignmentReplacesTheListWithOwnedCopies)
{
    CSoundSystem a;
    a.Add(1, L"a.ogg");
    a.Add(2, L"b.ogg");
    CSoundSystem b;
    b.SetPath(L"C:\\keep\\");
    b.Add(9, L"z.ogg");
    b = a;
    ASSERT_EQ(2u, b.GetSize());
    EXPECT_EQ(2u, b.GetAt(1)->GetID());
    EXPECT_EQ(&b, b.GetAt(1)->GetpOwner());
    EXPECT_STREQ(L"C:\\keep\\", b.GetPath());
    b = b;
    EXPECT_EQ(2u, b.GetSize());
}

TEST(SoundCopy, SoundCopyTakesSettingsButNotOwnerOrLoadedData)
{
    CSound a(nullptr, 5, L"a.ogg", 0, 20);
    a.SetMode(CSound::ModeLoopNormal);
    a.SetBreakPlay(0);
    CSound b(a);
    EXPECT_EQ(5u, b.GetID());
    EXPECT_EQ(20u, b.GetVolume());
    EXPECT_EQ(0, b.GetEnable());
    EXPECT_EQ(3u, b.GetMode());
    EXPECT_EQ(0, b.GetBreakPlay());
    EXPECT_STREQ(L"a.ogg", b.GetFileName());
}

// ---- Decoding the shipped files ----

struct ShippedSound
{
    const wchar_t* name;
    unsigned long frames;
};

TEST(SoundFiles, EveryShippedFileDecodesToItsLength)
{
    const ShippedSound sounds[] = {
        {L"click-1.ogg", 1984},  {L"click-2.ogg", 2205},  {L"click-3.ogg", 7056},  {L"click-4.ogg", 1764},
        {L"click-5.ogg", 1544},  {L"alarm-1.ogg", 14112}, {L"alarm-2.ogg", 18522}, {L"alarm-3.ogg", 12348},
        {L"sound-1.ogg", 39249}, {L"sound-2.ogg", 55125}, {L"sound-3.ogg", 75852}, {L"music-1.ogg", 239904},
    };
    for (const ShippedSound& s : sounds)
    {
        KV::CPcmBuffer pcm;
        ASSERT_EQ(1, KV::DecodeVorbisFileW((ShippedSoundDir() + s.name).c_str(), pcm)) << s.name;
        EXPECT_EQ(1u, pcm.channels) << s.name;
        EXPECT_EQ(44100u, pcm.rate) << s.name;
        EXPECT_EQ(s.frames, pcm.GetFrames()) << s.name;
        short peak = 0;
        for (short v : pcm.samples)
            peak = std::max<short>(peak, static_cast<short>(v < 0 ? -(v + 1) : v));
        EXPECT_GT(peak, 3000) << s.name;  // audible
        EXPECT_LT(peak, 32000) << s.name; // not clipped
    }
}

TEST(SoundFiles, DamagedOrMissingDataDecodesToNothing)
{
    KV::CPcmBuffer pcm;
    EXPECT_EQ(0, KV::DecodeVorbisFileW((ShippedSoundDir() + L"none.ogg").c_str(), pcm));
    EXPECT_EQ(0, KV::DecodeVorbisFileW(L"", pcm));
    std::string bytes = fwtest::ReadFileBytes(ShippedSoundDir() + L"click-1.ogg");
    ASSERT_GT(bytes.size(), 1000u);
    std::string garbage(4000, '\x5a');
    EXPECT_EQ(0, KV::DecodeVorbisMemory(reinterpret_cast<const unsigned char*>(garbage.data()),
                                        static_cast<unsigned long>(garbage.size()), pcm));
    EXPECT_TRUE(pcm.samples.empty());
    std::string head = bytes.substr(0, 200);
    EXPECT_EQ(0, KV::DecodeVorbisMemory(reinterpret_cast<const unsigned char*>(head.data()),
                                        static_cast<unsigned long>(head.size()), pcm));
}

// ---- The real back end on the test machine's (null) output device ----

class SoundDevice : public ::testing::Test
{
protected:
    void SetUp() override
    {
        m_previous = KV::SetAudioBackendFactory(nullptr);
        if (!KV::CXAudio2Backend::HasOutputDevice())
        {
            // The test harness provides a null ALSA device: there the probe must find it.
            wchar_t alsa[8];
            if (::GetEnvironmentVariableW(L"ALSA_CONFIG_PATH", alsa, 8))
                FAIL() << "the null output device was not found";
            GTEST_SKIP() << "no output device";
        }
        m_system.SetPath(ShippedSoundDir().c_str());
        m_system.Add(0, L"music-1.ogg", 1, 55);
        m_system.Add(1, L"click-4.ogg", 1, 100);
        ASSERT_EQ(1, m_system.Load());
        ASSERT_EQ(1, m_system.IsHealthy());
        m_backend = dynamic_cast<KV::CXAudio2Backend*>(m_system.GetpSystem());
        ASSERT_NE(nullptr, m_backend);
    }
    void TearDown() override
    {
        m_system.Release();
        KV::SetAudioBackendFactory(m_previous);
    }

    static int WaitUntilSilent(CSound* sound, int ms)
    {
        for (int t = 0; t < ms; t += 10)
        {
            if (!sound->IsPlaying())
                return 1;
            ::Sleep(10);
        }
        return 0;
    }

    KV::AudioBackendFactory m_previous = nullptr;
    CSoundSystem m_system;
    KV::CXAudio2Backend* m_backend = nullptr;
};

TEST_F(SoundDevice, PlaybackRunsAtTheSoundsVolumeAndBreakPlayHoldsIt)
{
    CSound* music = m_system.Get(0);
    ASSERT_EQ(1, music->IsLoaded());
    EXPECT_EQ(1, m_system.Play(0));
    EXPECT_EQ(1, music->IsPlaying());
    EXPECT_EQ(1u, m_backend->GetVoiceCount());
    EXPECT_EQ(1, m_system.Play(0));
    EXPECT_EQ(1u, m_backend->GetVoiceCount());
    music->SetBreakPlay(0);
    EXPECT_EQ(1, m_system.Play(0));
    EXPECT_EQ(2u, m_backend->GetVoiceCount());
    EXPECT_EQ(1, music->Stop());
    EXPECT_EQ(0, music->IsPlaying());
}

TEST_F(SoundDevice, ChannelVolumeIsTheSoundsVolume)
{
    EXPECT_EQ(1, m_system.Play(0));
    EXPECT_NEAR(0.55, m_backend->GetChannelVolume(m_system.Get(0)->GetChannel()), 1e-6);
    EXPECT_EQ(-1.0, m_backend->GetChannelVolume(0));
}

TEST_F(SoundDevice, ShortClickEndsByItselfAndItsVoiceIsReused)
{
    CSound* click = m_system.Get(1);
    EXPECT_EQ(1, m_system.Play(1));
    EXPECT_EQ(1, WaitUntilSilent(click, 2000));
    EXPECT_EQ(1, m_system.Play(1));
    EXPECT_EQ(1u, m_backend->GetVoiceCount());
}

TEST_F(SoundDevice, LoopingSoundRunsUntilStoppedAndReleaseEndsIt)
{
    CSound* click = m_system.Get(1);
    click->SetMode(CSound::ModeLoopNormal);
    ASSERT_EQ(1, click->Load());
    EXPECT_EQ(1, click->Play());
    ::Sleep(150); // several times the click's length
    EXPECT_EQ(1, click->IsPlaying());
    EXPECT_EQ(1, click->Release());
    EXPECT_EQ(0, click->IsPlaying());
    EXPECT_EQ(0, click->IsLoaded());
    // Played again, it loads again.
    EXPECT_EQ(1, click->Play());
    EXPECT_EQ(1, m_system.Release());
    EXPECT_EQ(0, click->IsPlaying());
    EXPECT_EQ(nullptr, m_system.GetpSystem());
}

TEST_F(SoundDevice, AllChannelsBusyTheOldestGivesWay)
{
    CSound* music = m_system.Get(0);
    music->SetBreakPlay(0);
    for (int i = 0; i < 40; ++i)
        EXPECT_EQ(1, music->Play());
    EXPECT_EQ(32u, m_backend->GetVoiceCount());
    EXPECT_EQ(1, music->IsPlaying());
}

TEST_F(SoundDevice, StoppedPlaybacksGiveWayBeforeRunningOnes)
{
    CSound* music = m_system.Get(0);
    CSound* click = m_system.Get(1);
    ASSERT_EQ(1, music->Play());
    // Many quick starts and stops fill the channels with stopped voices.
    for (int i = 0; i < 60; ++i)
    {
        EXPECT_EQ(1, click->Play());
        EXPECT_EQ(1, click->Stop());
    }
    EXPECT_LE(m_backend->GetVoiceCount(), 32u);
    EXPECT_EQ(1, music->IsPlaying());
}

TEST_F(SoundDevice, OutputRestsWhenNothingPlaysAndComesBackForTheNextSound)
{
    CSound* click = m_system.Get(1);
    ASSERT_EQ(1, m_system.Play(1));
    // Not while a sound plays.
    EXPECT_EQ(0, m_backend->Rest());
    EXPECT_FALSE(m_backend->IsResting());
    ASSERT_EQ(1, WaitUntilSilent(click, 3000));
    EXPECT_EQ(1, m_backend->Rest());
    EXPECT_TRUE(m_backend->IsResting());
    EXPECT_EQ(0u, m_backend->GetVoiceCount());
    // The decoded sound stays and plays at once.
    EXPECT_EQ(1, click->IsLoaded());
    EXPECT_EQ(1, m_system.Play(1));
    EXPECT_FALSE(m_backend->IsResting());
    EXPECT_EQ(1, click->IsPlaying());
    ASSERT_EQ(1, WaitUntilSilent(click, 3000));

    // The thread's timer lets it rest by itself a few seconds after the last sound.
    const DWORD end = ::GetTickCount() + 8000;
    while (!m_backend->IsResting() && static_cast<long>(end - ::GetTickCount()) > 0)
    {
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 100, QS_ALLINPUT);
        MSG msg;
        while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE))
            ::DispatchMessageW(&msg);
    }
    EXPECT_TRUE(m_backend->IsResting());
}
