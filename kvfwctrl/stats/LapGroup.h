#pragma once
// Stored laps grouped into table rows: one row per lap, or laps summed by day, week or month.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvfwctrl/stats/Lap.h"
#include "kvfwctrl/stats/LapList.h"
#include "kvstruct/core/Param.h"
#include <vector>

namespace KV {

class KVFWCTRL_API CLapGroup : public CLap
{
public:
    explicit CLapGroup(int averaging);

    // This := a copy of the lap, which becomes a member.
    void SetGroup(CLap* lap);
    // Sums the lap into the group (date and type of the lap, name "--") as a member.
    CLapGroup& operator+=(const CLap& lap);
    // Copies the lap; the members stay.
    CLapGroup& operator=(const CLap& lap);

    // Per-lap averages when the group averages and has members.
    unsigned short GetAccuracy() const override;
    unsigned short GetError() const override;

    // Deletes every member lap from the list; returns 0.
    int RemoveGroup(CLapList* list);

    const CListID& GetMembers() const { return m_ids; }
    int GetAveraging() const { return m_nAveraging; }

protected:
    CListID m_ids;
    int m_nAveraging;
};

class KVFWCTRL_API CLapListGroup
{
public:
    CLapListGroup() : m_pLapList(nullptr), m_nMode(0) {}
    CLapListGroup(const CLapListGroup&) = delete;
    CLapListGroup& operator=(const CLapListGroup&) = delete;
    virtual ~CLapListGroup();

    // Mode 0 one row per lap, 1 by day, 2 by week, 3 by month; type 0 takes every lesson type.
    // Hides the lesson-name column (ID 2) of params unless the mode is 0.
    void Fill(CLapList* list, unsigned short mode, unsigned short type, CListParam& params);
    void Clear();

    unsigned long GetSize() const { return static_cast<unsigned long>(m_groups.size()); }
    CLapGroup* Get(unsigned long row) const { return row < m_groups.size() ? m_groups[row] : nullptr; }
    unsigned short GetMode() const { return m_nMode; }
    CLapList* GetLapList() const { return m_pLapList; }

    CStatLetterList* GetpStatLetter(unsigned long row) const;
    // Deletes the laps of the given rows from the lap list; 0 at the first row past the end.
    // The groups are not rebuilt: fill again afterwards.
    int DeleteLap(CListID rows);

private:
    void Close(CLapGroup*& group);

    std::vector<CLapGroup*> m_groups;
    CLapList* m_pLapList;
    unsigned short m_nMode;
};

} // namespace KV
