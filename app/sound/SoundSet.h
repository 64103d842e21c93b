#pragma once
// What the interface and the typing sound sets share: the sound folder beside the program, an
// on/off switch that can be bound to the user's options, and a reader that keeps the
// defaults when the stored list is damaged.
#include "kvstruct/sound/SoundSystem.h"

class CSoundSet : public KV::CSoundSystem
{
public:
    CSoundSet(const CSoundSet& other);
    CSoundSet& operator=(const CSoundSet& other);

    // Plays nothing (and reports success) while the switch is off. A set that was not loaded
    // opens its back end and decodes the sound at its first play, so the program need not
    // load every sound before its window shows.
    int Play(unsigned short id) override;
    // Puts the set's default list back.
    virtual void SetDefault() = 0;

    // The switch (non-zero on). It can be bound to a switch kept elsewhere (the user's
    // options); unbound, the set keeps its own, on by default.
    void SetpSwitch(const int* sw) { m_pSwitch = sw ? sw : &m_bSwitch; }
    void SetSwitch(int on) { m_bSwitch = on; }
    int IsOn() const { return *m_pSwitch != 0; }
    // Loads the sounds only while the switch is on (a silent set never opens the device).
    int LoadIfOn();
    // Opens the back end (not the sounds) while the switch is on, once; the first sound then
    // needs no library loaded.
    void OpenIfOn();

    using KV::CSoundSystem::Serialize;
    // As the list's own reader, except that damaged data leaves the defaults in place.
    int Serialize(std::istream& in);

protected:
    // The sound folder as path; the derived set adds its defaults.
    CSoundSet();

private:
    int m_bSwitch;
    const int* m_pSwitch;
    // No back end could be had (no output device): play stays silent without asking again.
    bool m_bNoDevice = false;
};

// The sound folder: the program's folder followed by "Sound\" (empty when it cannot be named).
void GetSoundFolderW(wchar_t* buffer);
