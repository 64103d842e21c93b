#pragma once
// Turns laps and character records into the cells of the score tables and the points of the
// graphs, and sets up the tables' columns and headers from the column catalogue.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvfwctrl/stats/Lap.h"
#include "kvfwctrl/stats/LapGroup.h"
#include "kvfwctrl/stats/StatLetter.h"
#include "kvstruct/core/Param.h"
#include "kvstruct/files/IniTable.h"
#include <string>

namespace KV {

class CViewScore;
class CViewGraph;

// Column and statistic IDs of the catalogue.
enum : unsigned long {
    kStatDate = 1,
    kStatLessonName = 2,
    kStatLessonType = 3,
    kStatCharName = 10,
    kStatSpeedCPM = 701,
    kStatErrors = 702,
    kStatDuration = 703,
    kStatSpeedWPM = 704,
    kStatErrorsProc = 705,
    kStatAccuracy = 706,
    kStatAccuracyProc = 707,
    kStatLength = 708,
    kStatRhythm = 709,
};

// The text of a percentage cell: below one with two decimals, the round value without any,
// else one decimal; width three, then "%". upper is 1 for accuracy (exact 100 is round).
KVFWCTRL_API std::wstring FormatStatPercent(double percent, int accuracy);

KVFWCTRL_API void FillStatCourse(CViewScore* score, CViewGraph* graph, CLap* lap, CIniTable* strings,
                                 unsigned long graphedID, unsigned long columnID, unsigned long column,
                                 unsigned long row, unsigned long x, unsigned short mode);
KVFWCTRL_API void FillStatLetter(CViewScore* score, CViewGraph* graph, CStatLetter* record,
                                 unsigned long graphedID, unsigned long columnID, unsigned long column,
                                 unsigned long row, unsigned long x);
KVFWCTRL_API void SetHeadersScore(CViewScore* score, CListParam& params, CIniTable* strings,
                                  unsigned long firstColumn);
KVFWCTRL_API void SetColumnScore(CViewScore* score, CListParam& params, unsigned long reserved);
KVFWCTRL_API void SetHeadersGraph(CViewGraph* graph, CListParam& params, CIniTable* strings);

// The whole lap page: columns and headers from params, one row per group, the graphed
// statistic (the checked item) as a new graph of the right kind, the last row active.
KVFWCTRL_API void FillStatPage(CViewScore* score, CViewGraph* graph, const CLapListGroup& groups,
                               CListParam& params, CIniTable* strings, const LOGFONTW* font);

} // namespace KV
