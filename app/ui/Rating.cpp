#include "app/ui/Rating.h"
#include "app/sound/SoundGame.h"

#include <cwchar>

namespace {

std::wstring Format(const wchar_t* format, double value)
{
    wchar_t text[32] = {0};
    std::swprintf(text, 32, format, value);
    return text;
}

} // namespace

tagRating RateResult(unsigned int cpm, double accuracy, double irregular)
{
    tagRating result;
    result.sSpeed = std::to_wstring(cpm);
    result.sAccuracy = Format(accuracy == 100.0                     ? L"%.0f"
                              : accuracy > 99.0 && accuracy < 100.0 ? L"%.2f"
                                                                    : L"%.1f",
                              accuracy);
    result.sIrregular = Format(irregular == 0.0                     ? L"%.0f"
                               : irregular > 0.0 && irregular < 1.0 ? L"%.2f"
                                                                    : L"%.1f",
                               irregular);

    const int s = cpm > 400 ? 400 : static_cast<int>(cpm);
    const double a = accuracy < 80.0 ? 80.0 : accuracy;
    const double r = irregular > 20.0 ? 20.0 : irregular;
    // The faster the pass, the more each error and hesitation costs.
    const int band = s <= 100 ? 0 : (s - 1) / 100;
    const double accuracyWeight[4] = {1, 3, 4, 5};
    const double weightedA = 100.0 - (100.0 - a) * accuracyWeight[band];
    const double weightedR = r * (band + 1);
    const int speedScore = s * 100 / 400;

    int rating = static_cast<int>(speedScore - (100.0 - weightedA) - weightedR);
    rating = rating < 0 ? 0 : rating > 100 ? 100 : rating;
    result.nRating = rating;
    result.nSpeedGauge = speedScore;
    result.nAccuracyGauge = static_cast<int>(100.0 - (100.0 - a) * 5);
    result.nRhythmGauge = static_cast<int>(r * 100 / 20);
    result.nAward = rating <= 20 ? 1 : rating <= 40 ? 2 : rating <= 60 ? 3 : rating <= 80 ? 4 : 5;
    result.nSound = CSoundGame::GetResultSoundID(rating);
    return result;
}

const wchar_t* GetLevelCode(unsigned long length, unsigned long distinct, double ratioMax)
{
    if (length < 200)
        return L"4";
    if (distinct < 12)
        return L"3";
    return ratioMax > 17.0 ? L"2" : L"1";
}
