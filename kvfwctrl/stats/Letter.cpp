#include "kvfwctrl/stats/Letter.h"
#include "kvfwctrl/stats/StreamLimit.h"
#include "kvstruct/sys/MsgBox.h"
#include "kvstruct/core/Serialize.h"

#include <algorithm>

namespace KV {

namespace {

void WrongVersion()
{
    ShowMsgBox(nullptr, L"Wrong version file: *.let", L"Fingerwaltz", MB_OK | MB_ICONEXCLAMATION);
}

} // namespace

void CLetter::Serialize(std::ostream& out) const
{
    SerializeUS(out, 1);
    SerializeUS(out, static_cast<unsigned short>(m_cLetter));
    SerializeUS(out, m_nGood);
    SerializeUS(out, m_nBad);
}

int CLetter::Serialize(std::istream& in)
{
    unsigned short version = SerializeUS(in);
    if (version != 1)
    {
        m_cLetter = 0;
        m_nGood = m_nBad = 0;
        return 0;
    }
    m_cLetter = static_cast<wchar_t>(SerializeUS(in));
    m_nGood = SerializeUS(in);
    m_nBad = SerializeUS(in);
    return 1;
}

CLetterList::~CLetterList()
{
    Clear();
}

void CLetterList::Clear()
{
    for (CLetter* p : m_letters)
        delete p;
    m_letters.clear();
}

CLetter* CLetterList::FindByLetter(wchar_t letter) const
{
    for (CLetter* p : m_letters)
        if (p->GetLetter() == letter)
            return p;
    return nullptr;
}

void CLetterList::AddGood(wchar_t letter)
{
    CLetter* p = FindByLetter(letter);
    if (!p)
    {
        p = new CLetter(letter);
        m_letters.push_back(p);
    }
    p->AddGood();
}

void CLetterList::AddBad(wchar_t letter)
{
    CLetter* p = FindByLetter(letter);
    if (!p)
    {
        p = new CLetter(letter);
        m_letters.push_back(p);
    }
    p->AddBad();
}

void CLetterList::Serialize(std::ostream& out) const
{
    const unsigned short count = static_cast<unsigned short>(std::min<size_t>(m_letters.size(), 0xFFFF));
    SerializeUS(out, 1);
    SerializeUS(out, count);
    for (unsigned short i = 0; i < count; ++i)
        m_letters[i]->Serialize(out);
}

void CLetterList::Serialize(std::istream& in)
{
    Clear();
    unsigned short version = SerializeUS(in);
    if (in.fail())
        return;
    if (version != 1)
    {
        WrongVersion();
        return;
    }
    unsigned long count = LimitCount(in, SerializeUS(in), 2);
    for (unsigned long i = 0; i < count && HasMoreData(in); ++i)
    {
        CLetter* p = new CLetter;
        if (!p->Serialize(in))
        {
            if (in.fail())
            {
                // The data ended: no box for a record that is not there.
                delete p;
                break;
            }
            WrongVersion();
        }
        m_letters.push_back(p);
    }
}

} // namespace KV
