#pragma once
// Typing sounds: key clicks, error alarms, the pause and start signals of a lesson and the
// fanfare of the results.
#include "app/sound/SoundSet.h"

class CSoundGame : public CSoundSet
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

    // Ends all playback, frees the back end and puts the default list back; also the
    // options page's "restore defaults" (which loads the set again to hear it).
    void SetDefault() override;

    // The fanfare of a result score (0 to 100).
    static unsigned short GetResultSoundID(int score);
};
