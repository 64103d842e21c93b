#pragma once
// How a finished pass is rated: the figures and texts of the results page and the level code
// of a published result.
#include <string>

struct tagRating
{
    int nRating;        // 0..100
    int nSpeedGauge;    // 0..100
    int nAccuracyGauge; // 0..100
    int nRhythmGauge;   // 0..100
    int nAward;         // picture "aw_" + 1..5
    unsigned short nSound;
    std::wstring sSpeed;
    std::wstring sAccuracy;
    std::wstring sIrregular;
};

// cpm: characters per minute; accuracy and irregular strokes in per cent.
tagRating RateResult(unsigned int cpm, double accuracy, double irregular);
// "4" short lesson, "3" few distinct characters, "2" one character dominates, "1" otherwise.
const wchar_t* GetLevelCode(unsigned long length, unsigned long distinct, double ratioMax);
