#include "bench.h"
#include "kvstruct/sound/Sound.h"
#include "kvstruct/sound/SoundSystem.h"
#include "kvstruct/sound/XAudio2Backend.h"

#include <windows.h>
#include <string>

namespace {

// The shipped key click, played through the real back end (the null device in the harness).
std::wstring SoundFolder()
{
    wchar_t exe[MAX_PATH];
    DWORD n = ::GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring path(exe, n);
    return path.substr(0, path.find_last_of(L'\\') + 1) + L"Sound\\";
}

fwbench::Registrar firstPlay("sound: first Play of an unloaded click (decode, new voice)", 10.0, [] {
    if (!KV::CXAudio2Backend::HasOutputDevice())
        return -1.0;
    KV::CSoundSystem system;
    std::wstring folder = SoundFolder();
    system.SetPath(folder.c_str());
    system.Add(6, L"click-4.ogg");
    // Each run starts from a fresh back end: no voice and nothing decoded.
    return fwbench::MedianMs(
        7, [&] { system.Play(6); },
        [&] {
            system.Release();
            system.Create();
        });
});

// The key click loaded through the real back end; each run starts a playback once the
// previous one has ended, as between two keystrokes (and, with rest, the output has rested).
double LoadedClickPlay(int runs, bool rest)
{
    if (!KV::CXAudio2Backend::HasOutputDevice())
        return -1.0;
    KV::CSoundSystem system;
    std::wstring folder = SoundFolder();
    system.SetPath(folder.c_str());
    KV::CSound* click = system.Add(6, L"click-4.ogg");
    system.Load();
    system.Play(6);
    auto* backend = dynamic_cast<KV::CXAudio2Backend*>(system.GetpSystem());
    if (!backend)
        return -1.0;
    return fwbench::MedianMs(
        runs, [&] { system.Play(6); },
        [&] {
            for (int i = 0; i < 200 && click->IsPlaying(); ++i)
                ::Sleep(5);
            if (rest)
                backend->Rest();
        });
}

fwbench::Registrar loadedPlay("sound: Play of a loaded click", 0.2, [] { return LoadedClickPlay(31, false); });

// The first click after the output has rested (mastering and source voice made again).
fwbench::Registrar wakePlay("sound: Play of a loaded click after the output rested", 5.0,
                            [] { return LoadedClickPlay(11, true); });

} // namespace
