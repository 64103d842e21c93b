#pragma once
// One playable sound of a sound system: a file, a volume, an enable flag and a mode,
// loaded through the owner's audio back end and played by its ID.
#include "kvstruct/kvstruct_api.h"
#include "kvstruct/core/CString.h"
#include <istream>
#include <ostream>

namespace KV {

class CAudioBackend;
class CAudioSound;
class CSoundSystem;

class KVSTRUCT_API CSound
{
public:
    // Mode bits (stored with the sound); 1 = play once.
    enum : unsigned long {
        ModeLoopOff = 0x1,
        ModeLoopNormal = 0x2,
        ModeLoopBidi = 0x4,
    };

    CSound(CSoundSystem* owner = nullptr, unsigned long id = 0, const wchar_t* fileName = L"", int enable = 1,
           unsigned long volume = 100);
    // Copies the settings only: no owner, nothing loaded (the owner's Release must reach
    // every sound that holds objects of its back end).
    CSound(const CSound& other);
    // Copies the settings; what this sound had loaded is released.
    CSound& operator=(const CSound& other);
    ~CSound();

    void SetID(unsigned long id) { m_nID = id; }
    unsigned long GetID() const { return m_nID; }
    // Per cent, 0 to 100 (larger values count as 100).
    void SetVolume(unsigned long percent);
    unsigned long GetVolume() const;
    void SetEnable(int enable) { m_bEnable = enable; }
    int GetEnable() const { return m_bEnable; }
    void SetFileName(const wchar_t* fileName) { m_sFileName = fileName ? fileName : L""; }
    const wchar_t* GetFileName() const { return m_sFileName; }
    // While set, a play request is ignored as long as the previous playback runs.
    void SetBreakPlay(int breakPlay) { m_bBreakPlay = breakPlay; }
    int GetBreakPlay() const { return m_bBreakPlay; }
    // Adds mode bits; bits are never removed.
    void SetMode(unsigned long flags) { m_nMode |= flags; }
    unsigned long GetMode() const { return m_nMode; }
    void SetpOwner(CSoundSystem* owner) { m_pOwner = owner; }
    CSoundSystem* GetpOwner() const { return m_pOwner; }

    int IsLoaded() const { return m_pSound != nullptr; }
    // The back end's handle of the latest playback, 0 when none.
    unsigned long GetChannel() const { return m_hChannel; }
    // Whether the latest playback still runs.
    int IsPlaying() const;

    // 1 on success and for a disabled sound (nothing loaded); 0 without an owner with a
    // running back end, for a path too long, or when the file cannot be loaded.
    int Load();
    // 1 when playback started or still runs under break-play; 0 when disabled, not
    // loadable or the back end fails. An unloaded sound is loaded first (retried each time).
    int Play();
    // 0 when disabled or not loaded; else 1 (the latest playback is stopped if it runs).
    int Stop();
    // Stops and frees what is loaded. 0 for a disabled sound (whatever was loaded is freed
    // all the same), 1 when nothing was loaded or on success.
    int Release();

    // Version 1: UInt16 ID, UInt16 volume per cent, UInt16 enable, UInt32 mode, file name.
    // Version 0 holds nothing more. Reading returns 0 when the data ran out.
    int Serialize(std::ostream& out) const;
    int Serialize(std::istream& in);

private:
    void CopySettings(const CSound& other);

    CAudioSound* m_pSound;    // null until loaded
    CAudioBackend* m_pSystem; // the owner's back end, taken when loading
    unsigned long m_hChannel; // latest playback, 0 when none
    CSoundSystem* m_pOwner;   // not owned
    int m_bBreakPlay;
    unsigned long m_nID;
    unsigned long m_nMode;
    double m_fVolume; // 0.0 to 1.0
    int m_bEnable;
    CString m_sFileName; // relative to the owner's path
};

} // namespace KV
