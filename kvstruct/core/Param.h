#pragma once
// Configurable items (table columns, graphs) and lists of IDs.
#include "kvstruct/kvstruct_api.h"
#include "kvstruct/core/CString.h"
#include <istream>
#include <ostream>
#include <vector>

namespace KV {

class KVSTRUCT_API CParam
{
public:
    enum : unsigned long {
        Show = 0x00000001,
        Pic = 0x00000010,
        Check = 0x00000100,
        Hide = 0x00010000,
        Key = 0x00100000,
    };

    CParam() : id(0), style(0) {}
    CParam(unsigned long i, unsigned long s, const wchar_t* n, const wchar_t* d)
        : id(i), style(s), name(n), description(d)
    {}

    unsigned long GetID() const { return id; }
    void SetID(unsigned long value) { id = value; }
    const wchar_t* GetName() const { return name; }
    void SetName(const wchar_t* text) { name = text; }
    const wchar_t* GetDescription() const { return description; }
    void SetDescription(const wchar_t* text) { description = text; }

    void SetShow(int on) { SetBit(Show, on); }
    void SetPic(int on) { SetBit(Pic, on); }
    void SetCheck(int on) { SetBit(Check, on); }
    void SetHide(int on) { SetBit(Hide, on); }
    void SetKey(int on) { SetBit(Key, on); }
    void SetStyle(unsigned long value) { style = value; }
    unsigned long GetStyle(unsigned long mask = 0xFFFFFFFF) const { return style & mask; }
    // Shown when any of the low four bits is set.
    bool IsShown() const { return (style & 0x0F) != 0; }
    // Used by tables and graphs: shown and not hidden.
    bool IsUsed() const { return IsShown() && !(style & Hide); }
    bool Matches(unsigned long value, unsigned long mask) const { return (style & mask) == value; }

    // Version 1, id, style (10 bytes); the name and description are set again by the owner.
    void Serialize(std::ostream& out) const;
    void Serialize(std::istream& in);

    unsigned long id;
    unsigned long style;
    CString name;
    CString description;

private:
    void SetBit(unsigned long bit, int on) { style = on ? (style | bit) : (style & ~bit); }
};

class KVSTRUCT_API CListParam
{
public:
    CListParam() = default;
    CListParam(const CListParam& other) = default;
    CListParam& operator=(const CListParam& other) = default;
    virtual ~CListParam();

    void Add(unsigned long id, unsigned long style, const wchar_t* name, const wchar_t* description);
    unsigned long GetSize() const { return static_cast<unsigned long>(m_items.size()); }
    CParam* GetAt(unsigned long index) { return index < m_items.size() ? &m_items[index] : nullptr; }
    const CParam* GetAt(unsigned long index) const
    {
        return index < m_items.size() ? &m_items[index] : nullptr;
    }
    CParam* Find(unsigned long id);
    const CParam* Find(unsigned long id) const;
    void Clear() { m_items.clear(); }

    unsigned long GetShowSize() const;
    int SetShow(unsigned long id, int show);
    int SetHide(unsigned long id, int hide);
    int SetCheck(unsigned long id);
    int SetPicID(unsigned long id, const wchar_t* name, const wchar_t* description);
    unsigned long GetStyle(unsigned long id, unsigned long mask) const;
    int IsStyle(unsigned long id, unsigned long value, unsigned long mask) const;
    unsigned long GetFirstID(unsigned long value, unsigned long mask) const;
    unsigned long GetLastID(unsigned long value, unsigned long mask) const;
    unsigned long GetNextID(unsigned long id, unsigned long value, unsigned long mask) const;
    unsigned long GetPrevID(unsigned long id, unsigned long value, unsigned long mask) const;
    unsigned long GetNumID(unsigned long id) const;
    unsigned long GetNumID(unsigned long id, unsigned long value, unsigned long mask) const;
    int MoveUp(unsigned long id);
    int MoveDown(unsigned long id);

    void Serialize(std::ostream& out) const;
    void Serialize(std::istream& in);

    std::vector<CParam> m_items;
};

class KVSTRUCT_API CListID
{
public:
    CListID() = default;
    CListID(const CListID&) = default;
    CListID& operator=(const CListID&) = default;
    virtual ~CListID();

    void Add(unsigned long id) { m_ids.push_back(id); }
    void Reset() { m_ids.clear(); }
    unsigned long GetSize() const { return static_cast<unsigned long>(m_ids.size()); }
    // 0xFFFFFFFF on an empty list, 0 past the end of a non-empty one.
    unsigned long GetID(unsigned long index) const;
    unsigned long GetLastID() const;

    std::vector<unsigned long> m_ids;
};

} // namespace KV
