#include "app/sound/SoundGame.h"

CSoundGame::CSoundGame()
{
    CSoundGame::SetDefault();
}

void CSoundGame::SetDefault()
{
    Clear();
    Release();
    Add(SoundTimeout, L"alarm-2.ogg");
    Add(SoundError, L"alarm-1.ogg");
    Add(SoundShift, L"click-5.ogg");
    Add(SoundKey, L"click-4.ogg");
    Add(SoundPause, L"click-3.ogg");
    Add(SoundResultTop, L"sound-3.ogg");
    Add(SoundResultMid, L"sound-2.ogg");
    Add(SoundResultLow, L"sound-1.ogg");
    Add(SoundResume, L"click-3.ogg");
    Add(SoundWaiting, L"music-1.ogg");
}

unsigned short CSoundGame::GetResultSoundID(int score)
{
    if (score <= 20)
        return SoundResultLow;
    if (score <= 40)
        return SoundResultMid;
    return SoundResultTop;
}
