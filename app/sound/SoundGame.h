#pragma once
// Typing sounds: key clicks, error alarms, the pause and start signals of a lesson and the
// fanfare of the results.
#include "kvstruct/sound/SoundSystem.h"

class CSoundGame : public KV::CSoundSystem
{
public:
    enum : unsigned short {
        SoundWaiting = 0,   // lesson waits for its first character
        SoundResume = 1,    // lesson resumed from a pause
        SoundResultLow = 2, // results 0 to 20
        SoundResultMid = 3, // results 21 to 40
        SoundResultTop = 4, // results above 40
        SoundPause = 5,     // lesson paused after typing began
        SoundKey = 6,       // expected character at a new position
        SoundShift = 7,     // Shift that is not itself the expected character
        SoundError = 8,     // wrong character
        SoundTimeout = 9,   // waiting time for the character ran out
    };

    // Sound folder beside the program, default list.
    CSoundGame();
    CSoundGame(const CSoundGame& other);
    CSoundGame& operator=(const CSoundGame& other);

    // Plays nothing (and reports success) while the typing sounds are off.
    int Play(unsigned short id) override;
    // Ends all playback, frees the back end and puts the default list back; also the
    // options page's "restore defaults" (which loads the set again to hear it).
    virtual void SetDefault();

    // The typing-sounds switch (non-zero on); see CSoundSys.
    void SetpSwitch(const int* sw) { m_pSwitch = sw ? sw : &m_bSwitch; }
    void SetSwitch(int on) { m_bSwitch = on; }
    int IsOn() const { return *m_pSwitch != 0; }
    int LoadIfOn();

    using KV::CSoundSystem::Serialize;
    // As the list's own reader, except that damaged data leaves the defaults in place.
    int Serialize(std::istream& in);

    // The fanfare of a result score (0 to 100).
    static unsigned short GetResultSoundID(int score);

private:
    int m_bSwitch;
    const int* m_pSwitch;
};
