#pragma once
// A named list that owns its items (the keys of a keyboard, the figures of a level), with a
// versioned stream form:
//   UInt16 version 1, name (KV::CString), UInt16 count, then every item by its own Serialize.
// T needs a default constructor, Serialize(std::ostream&) and Serialize(std::istream&);
// Rename also needs T::SetName(const wchar_t*).
#include "kvstruct/core/CString.h"
#include "kvstruct/sys/MsgBox.h"
#include "kvstruct/core/Serialize.h"
#include <istream>
#include <ostream>
#include <vector>

namespace KV {

template <class T>
class CNameObject
{
public:
    CNameObject() : m_name(L"New") {}
    CNameObject(const CNameObject&) = delete;
    CNameObject& operator=(const CNameObject&) = delete;
    virtual ~CNameObject() { Clear(); }

    virtual void Serialize(std::ostream& out)
    {
        SerializeUS(out, 1);
        m_name.Serialize(out);
        // The count is a UInt16: more items than that cannot be stored.
        const size_t count = m_items.size() < 0xFFFF ? m_items.size() : 0xFFFF;
        SerializeUS(out, static_cast<unsigned short>(count));
        for (size_t i = 0; i < count; ++i)
            m_items[i]->Serialize(out);
    }

    // Replaces the items by those read. A wrong version leaves the list empty. The stored count
    // is never trusted: items are read one by one while the data lasts, so a damaged count
    // cannot make us allocate what the stream does not hold; a record cut short is dropped.
    virtual void Serialize(std::istream& in)
    {
        Clear();
        const unsigned short version = SerializeUS(in);
        if (version != 1)
        {
            ShowMsgBox(nullptr, L"Wrong version file: *.wrd", L"", MB_OK);
            return;
        }
        m_name.Serialize(in);
        const unsigned short count = SerializeUS(in);
        if (!in)
            return;
        for (unsigned short i = 0; i < count; ++i)
        {
            if (!in.good() || StreamBytesLeft(in) == 0)
                break;
            T* item = new T();
            item->Serialize(in);
            if (in.fail())
            {
                delete item;
                break;
            }
            m_items.push_back(item);
        }
    }

    // The item, or null when the index is outside the list.
    T* Get(size_t index) const { return index < m_items.size() ? m_items[index] : nullptr; }
    size_t GetCount() const { return m_items.size(); }

    // Takes the entry out of the list without destroying it (the caller owns it now). Returns
    // the item now at that index (or the new last one), null when out of range or now empty.
    T* Delete(size_t index)
    {
        if (index >= m_items.size())
            return nullptr;
        m_items.erase(m_items.begin() + index);
        if (m_items.empty())
            return nullptr;
        return index < m_items.size() ? m_items[index] : m_items.back();
    }

    bool Swap(size_t a, size_t b)
    {
        if (a >= m_items.size() || b >= m_items.size())
            return false;
        T* t = m_items[a];
        m_items[a] = m_items[b];
        m_items[b] = t;
        return true;
    }

    void Clear()
    {
        for (T* item : m_items)
            delete item;
        m_items.clear();
    }

    // Appends a new default item and returns it.
    T* New()
    {
        T* item = new T();
        m_items.push_back(item);
        return item;
    }

    // Appends an item the list takes over.
    T* Add(T* item)
    {
        if (item)
            m_items.push_back(item);
        return item;
    }

    bool Rename(size_t index, const wchar_t* name)
    {
        T* item = Get(index);
        if (!item)
            return false;
        item->SetName(name);
        return true;
    }

    const wchar_t* GetName() const { return m_name; }
    void SetName(const wchar_t* name) { m_name = name ? name : L""; }

    typename std::vector<T*>::const_iterator begin() const { return m_items.begin(); }
    typename std::vector<T*>::const_iterator end() const { return m_items.end(); }

private:
    std::vector<T*> m_items;
    CString m_name;
};

} // namespace KV
