#pragma once
// The user's keyboard layouts: every layout the system has installed plus those remembered
// from earlier runs, each with a flag saying whether the user trains on it.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvstruct/core/CString.h"
#include <istream>
#include <ostream>
#include <vector>

namespace KV {

class KVFWCTRL_API CLayout
{
public:
    CLayout();
    CLayout(const wchar_t* klid, unsigned long enable, const wchar_t* name);

    // Installed now: the system gave it a name.
    int IsInstall() const { return !m_Name.IsEmpty(); }

    const CString& GetKLID() const { return m_KLID; }
    const CString& GetName() const { return m_Name; }
    unsigned long GetEnable() const { return m_nEnable; }
    void SetKLID(const wchar_t* klid) { m_KLID = klid ? klid : L""; }
    void SetName(const wchar_t* name) { m_Name = name ? name : L""; }
    void SetEnable(unsigned long enable) { m_nEnable = enable; }

    // UInt16 version 1, KLID, UInt16 low 16 bits of the flag.
    void Serialize(std::ostream& out) const;
    // 1 when read; 0 for a version word of 0 (after the "Wrong version file: *.usr" warning,
    // nothing more read) or a damaged record.
    int Serialize(std::istream& in);

private:
    CString m_KLID;
    unsigned long m_nEnable;
    CString m_Name;
};

class KVFWCTRL_API CListLayout
{
public:
    CListLayout();
    CListLayout(const CListLayout& other);
    CListLayout& operator=(const CListLayout& other);
    virtual ~CListLayout();

    // Names every installed layout from the system (new ones enabled); the thread's active
    // layout is the same afterwards. 1, or 0 when a layout's name could not be read.
    int Init();
    // Flag (0 or 1) of the first entry with that KLID; 0 when none.
    int IsEnable(const wchar_t* klid) const;
    // Index of the only enabled installed entry; -1 when there are none or several.
    int GetLastEnable() const;
    unsigned long GetSizeInstall() const;

    // The entries in the order they were first added; the options dialog sets their flags.
    size_t GetSize() const { return m_aLayouts.size(); }
    CLayout* GetAt(size_t index) { return index < m_aLayouts.size() ? &m_aLayouts[index] : nullptr; }
    const CLayout* GetAt(size_t index) const
    {
        return index < m_aLayouts.size() ? &m_aLayouts[index] : nullptr;
    }
    std::vector<CLayout>& GetLayouts() { return m_aLayouts; }
    const std::vector<CLayout>& GetLayouts() const { return m_aLayouts; }

    // UInt16 version 1, UInt16 count, the installed entries' records.
    void Serialize(std::ostream& out) const;
    // Applies stored flags by KLID; unknown KLIDs are added as not installed.
    void Serialize(std::istream& in);

protected:
    CLayout* GetLayout(const wchar_t* klid);
    const CLayout* GetLayout(const wchar_t* klid) const;
    void AddLayout(const wchar_t* klid, unsigned long flag, const wchar_t* name);
    void SetKLIDName(const wchar_t* klid, const wchar_t* name);
    void SetKLIDFlagEnable(const wchar_t* klid, unsigned long flag);
    void ClearKLIDFNames();
    void Clear();

private:
    std::vector<CLayout> m_aLayouts;
};

// The KLID of the layout active for this thread; empty when the system cannot say.
KVFWCTRL_API CString GetActiveKLID();

} // namespace KV
