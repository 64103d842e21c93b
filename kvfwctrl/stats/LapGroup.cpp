#include "kvfwctrl/stats/LapGroup.h"

#include <cstring>

namespace KV {

CLapGroup::CLapGroup(int averaging) : m_nAveraging(averaging) {}

void CLapGroup::SetGroup(CLap* lap)
{
    if (!lap)
        return;
    CLap::operator=(*lap);
    m_ids.Add(lap->GetID());
}

CLapGroup& CLapGroup::operator+=(const CLap& lap)
{
    CLap::operator+=(lap);
    m_ids.Add(lap.GetID());
    return *this;
}

CLapGroup& CLapGroup::operator=(const CLap& lap)
{
    CLap::operator=(lap);
    return *this;
}

unsigned short CLapGroup::GetAccuracy() const
{
    if (m_nAveraging && m_ids.GetSize())
        return static_cast<unsigned short>(m_nCorrect / m_ids.GetSize());
    return m_nCorrect;
}

unsigned short CLapGroup::GetError() const
{
    if (m_nAveraging && m_ids.GetSize())
        return static_cast<unsigned short>(m_nErrors / m_ids.GetSize());
    return m_nErrors;
}

int CLapGroup::RemoveGroup(CLapList* list)
{
    if (!list)
        return 0;
    for (unsigned long id : m_ids.m_ids)
        list->DeleteLap(id);
    return 0;
}

CLapListGroup::~CLapListGroup()
{
    Clear();
}

void CLapListGroup::Clear()
{
    for (CLapGroup* g : m_groups)
        delete g;
    m_groups.clear();
    m_pLapList = nullptr;
    m_nMode = 0;
}

void CLapListGroup::Close(CLapGroup*& group)
{
    if (!group)
        return;
    // A group that never received a lap would be a row of nothing.
    if (group->GetMembers().GetSize())
        m_groups.push_back(group);
    else
        delete group;
    group = nullptr;
}

void CLapListGroup::Fill(CLapList* list, unsigned short mode, unsigned short type, CListParam& params)
{
    Clear();
    m_pLapList = list;
    m_nMode = mode;
    params.SetHide(2, mode != 0);
    if (!list || mode > 3)
        return;

    SYSTEMTIME previousDate;
    std::memset(&previousDate, 0, sizeof(previousDate));
    CLapGroup* current = nullptr;
    unsigned short previousType = type;
    const unsigned long count = list->GetSize();
    for (unsigned long i = 0; i < count; ++i)
    {
        CLap* lap = list->Get(i);
        if (type != 0 && lap->GetTypeLesson() != type)
        {
            Close(current);
            continue;
        }
        if (mode == 0)
        {
            CLapGroup* group = new CLapGroup(0);
            group->SetGroup(lap);
            m_groups.push_back(group);
            continue;
        }
        if (lap->GetTypeLesson() != previousType)
        {
            previousType = lap->GetTypeLesson();
            Close(current);
        }
        if (!current)
            current = new CLapGroup(mode);
        bool same = previousDate.wYear == 0;
        if (!same)
        {
            if (mode == 1)
                same = lap->IsDateDay(previousDate) != 0;
            else if (mode == 2)
                same = lap->IsDateWeek(previousDate) != 0;
            else
                same = lap->IsDateMonth(previousDate) != 0;
        }
        if (!same)
        {
            Close(current);
            current = new CLapGroup(mode);
        }
        *current += *lap;
        previousDate = lap->GetSystemDate();
    }
    Close(current);
}

CStatLetterList* CLapListGroup::GetpStatLetter(unsigned long row) const
{
    return row < m_groups.size() ? m_groups[row]->GetpStatLetter() : nullptr;
}

int CLapListGroup::DeleteLap(CListID rows)
{
    for (unsigned long row : rows.m_ids)
    {
        if (row >= m_groups.size())
            return 0;
        m_groups[row]->RemoveGroup(m_pLapList);
    }
    return 1;
}

} // namespace KV
