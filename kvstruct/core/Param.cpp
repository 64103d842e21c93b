#include "kvstruct/core/Param.h"
#include "kvstruct/core/Serialize.h"

#include <utility>

namespace KV {

void CParam::Serialize(std::ostream& out) const
{
    SerializeUS(out, 1);
    SerializeUL(out, id);
    SerializeUL(out, style);
}

void CParam::Serialize(std::istream& in)
{
    if (SerializeUS(in) == 0)
        return;
    id = SerializeUL(in);
    style = SerializeUL(in);
}

CListParam::~CListParam() = default;

void CListParam::Add(unsigned long id, unsigned long style, const wchar_t* name, const wchar_t* description)
{
    m_items.emplace_back(id, style, name, description);
}

CParam* CListParam::Find(unsigned long id)
{
    for (CParam& p : m_items)
        if (p.id == id)
            return &p;
    return nullptr;
}

const CParam* CListParam::Find(unsigned long id) const
{
    for (const CParam& p : m_items)
        if (p.id == id)
            return &p;
    return nullptr;
}

unsigned long CListParam::GetShowSize() const
{
    unsigned long n = 0;
    for (const CParam& p : m_items)
        if (p.IsShown())
            ++n;
    return n;
}

int CListParam::SetShow(unsigned long id, int show)
{
    if (!show && GetShowSize() <= 1)
        return 0;
    CParam* p = Find(id);
    if (!p)
        return 0;
    p->SetShow(show);
    return 1;
}

int CListParam::SetHide(unsigned long id, int hide)
{
    if (!hide && GetShowSize() <= 1)
        return 0;
    CParam* p = Find(id);
    if (!p)
        return 0;
    p->SetHide(hide);
    return 1;
}

int CListParam::SetCheck(unsigned long id)
{
    for (CParam& p : m_items)
        p.SetCheck(p.id == id);
    return 1;
}

int CListParam::SetPicID(unsigned long id, const wchar_t* name, const wchar_t* description)
{
    CParam* p = Find(id);
    if (!p)
        return 0;
    p->name = name;
    p->description = description;
    return 1;
}

unsigned long CListParam::GetStyle(unsigned long id, unsigned long mask) const
{
    const CParam* p = Find(id);
    return p ? p->GetStyle(mask) : 0;
}

int CListParam::IsStyle(unsigned long id, unsigned long value, unsigned long mask) const
{
    const CParam* p = Find(id);
    return p && p->Matches(value, mask) ? 1 : 0;
}

unsigned long CListParam::GetFirstID(unsigned long value, unsigned long mask) const
{
    for (const CParam& p : m_items)
        if (p.Matches(value, mask))
            return p.id;
    return 0;
}

unsigned long CListParam::GetLastID(unsigned long value, unsigned long mask) const
{
    unsigned long last = 0;
    for (const CParam& p : m_items)
        if (p.Matches(value, mask))
            last = p.id;
    return last;
}

unsigned long CListParam::GetNextID(unsigned long id, unsigned long value, unsigned long mask) const
{
    size_t i = 0;
    for (; i < m_items.size(); ++i)
        if (m_items[i].id == id)
            break;
    if (i < m_items.size())
        for (size_t j = i + 1; j < m_items.size(); ++j)
            if (m_items[j].Matches(value, mask))
                return m_items[j].id;
    return GetFirstID(value, mask);
}

unsigned long CListParam::GetPrevID(unsigned long id, unsigned long value, unsigned long mask) const
{
    unsigned long kept = GetLastID(value, mask);
    for (const CParam& p : m_items)
    {
        if (!p.Matches(value, mask))
            continue;
        if (p.id == id)
            return kept;
        kept = p.id;
    }
    return 0;
}

unsigned long CListParam::GetNumID(unsigned long id) const
{
    for (size_t i = 0; i < m_items.size(); ++i)
        if (m_items[i].id == id)
            return static_cast<unsigned long>(i);
    return 0;
}

unsigned long CListParam::GetNumID(unsigned long id, unsigned long value, unsigned long mask) const
{
    unsigned long n = 0;
    for (const CParam& p : m_items)
    {
        if (!p.Matches(value, mask))
            continue;
        ++n;
        if (p.id == id)
            return n;
    }
    return n;
}

int CListParam::MoveUp(unsigned long id)
{
    for (size_t i = 0; i < m_items.size(); ++i)
    {
        if (m_items[i].id != id)
            continue;
        if (!m_items[i].IsShown())
            return 0;
        for (size_t j = i; j-- > 0;)
            if (m_items[j].IsShown())
            {
                std::swap(m_items[i], m_items[j]);
                return 1;
            }
        return 0;
    }
    return 0;
}

int CListParam::MoveDown(unsigned long id)
{
    for (size_t i = 0; i < m_items.size(); ++i)
    {
        if (m_items[i].id != id)
            continue;
        if (!m_items[i].IsShown())
            return 0;
        for (size_t j = i + 1; j < m_items.size(); ++j)
            if (m_items[j].IsShown())
            {
                std::swap(m_items[i], m_items[j]);
                return 1;
            }
        return 0;
    }
    return 0;
}

void CListParam::Serialize(std::ostream& out) const
{
    SerializeUS(out, 1);
    SerializeUS(out, static_cast<unsigned short>(m_items.size()));
    for (const CParam& p : m_items)
        p.Serialize(out);
}

void CListParam::Serialize(std::istream& in)
{
    m_items.clear();
    if (SerializeUS(in) == 0)
        return;
    unsigned short n = SerializeUS(in);
    for (unsigned short i = 0; i < n && in.good(); ++i)
    {
        CParam p;
        p.Serialize(in);
        if (in.fail())
            break;
        m_items.push_back(p);
    }
}

CListID::~CListID() = default;

unsigned long CListID::GetID(unsigned long index) const
{
    if (m_ids.empty())
        return 0xFFFFFFFF;
    return index < m_ids.size() ? m_ids[index] : 0;
}

unsigned long CListID::GetLastID() const
{
    return m_ids.empty() ? 0xFFFFFFFF : m_ids.back();
}

} // namespace KV
