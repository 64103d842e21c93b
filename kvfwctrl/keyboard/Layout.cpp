#include "kvfwctrl/keyboard/Layout.h"
#include "kvstruct/input/KeyboardLayer.h"
#include "kvstruct/sys/MsgBox.h"
#include "kvstruct/core/Serialize.h"

#include "kvstruct/sys/LayoutName.h"

#include <cwchar>

namespace KV {

namespace {

// Display name of a layout from the system; false when it cannot be read.
bool LookupLayoutName(const wchar_t* klid, wchar_t (&name)[MAX_PATH])
{
    LONG status = 0;
    name[0] = 0;
    return GetNameLayout(klid, name, MAX_PATH, &status) == 0;
}

} // namespace

CString GetActiveKLID()
{
    wchar_t klid[KL_NAMELENGTH] = {0};
    if (!GetKeyboardLayer()->GetActiveLayoutName(klid))
        klid[0] = 0;
    klid[KL_NAMELENGTH - 1] = 0;
    return CString(klid);
}

// ---- CLayout ----

CLayout::CLayout() : m_nEnable(1) {}

CLayout::CLayout(const wchar_t* klid, unsigned long enable, const wchar_t* name)
    : m_KLID(klid ? klid : L""), m_nEnable(enable), m_Name(name ? name : L"")
{}

void CLayout::Serialize(std::ostream& out) const
{
    SerializeUS(out, 1);
    m_KLID.Serialize(out);
    SerializeUS(out, static_cast<unsigned short>(m_nEnable & 0xFFFF));
}

int CLayout::Serialize(std::istream& in)
{
    unsigned short version = SerializeUS(in);
    if (!in)
        return 0;
    if (version == 0)
    {
        ShowWarning(L"Wrong version file: *.usr");
        m_KLID.Empty();
        m_nEnable = 1;
        return 0;
    }
    m_KLID.Serialize(in);
    m_nEnable = SerializeUS(in);
    return in ? 1 : 0;
}

// ---- CListLayout ----

CListLayout::CListLayout() = default;
CListLayout::CListLayout(const CListLayout& other) = default;

CListLayout& CListLayout::operator=(const CListLayout& other)
{
    if (this != &other)
    {
        Clear();
        m_aLayouts = other.m_aLayouts;
    }
    return *this;
}

CListLayout::~CListLayout() = default;

CLayout* CListLayout::GetLayout(const wchar_t* klid)
{
    if (!klid)
        return nullptr;
    for (CLayout& l : m_aLayouts)
        if (l.GetKLID() == klid)
            return &l;
    return nullptr;
}

const CLayout* CListLayout::GetLayout(const wchar_t* klid) const
{
    return const_cast<CListLayout*>(this)->GetLayout(klid);
}

void CListLayout::AddLayout(const wchar_t* klid, unsigned long flag, const wchar_t* name)
{
    m_aLayouts.emplace_back(klid, flag, name);
}

void CListLayout::SetKLIDName(const wchar_t* klid, const wchar_t* name)
{
    if (CLayout* l = GetLayout(klid))
        l->SetName(name);
    else
        AddLayout(klid, 1, name);
}

void CListLayout::SetKLIDFlagEnable(const wchar_t* klid, unsigned long flag)
{
    if (CLayout* l = GetLayout(klid))
        l->SetEnable(flag);
    else
        AddLayout(klid, flag, L"");
}

void CListLayout::ClearKLIDFNames()
{
    for (CLayout& l : m_aLayouts)
        l.SetName(L"");
}

void CListLayout::Clear()
{
    m_aLayouts.clear();
}

int CListLayout::Init()
{
    CKeyboardLayer* layer = GetKeyboardLayer();
    ClearKLIDFNames();
    int count = layer->GetLayoutList(0, nullptr);
    if (count <= 0)
        return 1;
    std::vector<HKL> handles(static_cast<size_t>(count));
    count = layer->GetLayoutList(count, handles.data());
    if (count <= 0)
        return 1;
    handles.resize(static_cast<size_t>(count));

    HKL remembered = layer->GetActiveLayout();
    int result = 1;
    for (HKL handle : handles)
    {
        wchar_t klid[KL_NAMELENGTH] = {};
        // Activation names every layout exactly; where it is refused, the handle is named
        // without switching.
        if (layer->ActivateLayout(handle, 0))
            wcsncpy(klid, GetActiveKLID(), KL_NAMELENGTH - 1);
        if (!klid[0] && !layer->GetLayoutKLID(handle, klid))
            continue;
        klid[KL_NAMELENGTH - 1] = 0;
        // No layout is named 00000000: Wine lists such a handle beside the real one.
        if (!klid[0] || std::wcsspn(klid, L"0") == std::wcslen(klid))
            continue;
        wchar_t name[MAX_PATH];
        if (!LookupLayoutName(klid, name))
        {
            result = 0;
            break;
        }
        SetKLIDName(klid, name);
    }
    if (remembered && layer->GetActiveLayout() != remembered)
        layer->ActivateLayout(remembered, 0);
    return result;
}

int CListLayout::IsEnable(const wchar_t* klid) const
{
    const CLayout* l = GetLayout(klid);
    return l && l->GetEnable() ? 1 : 0;
}

int CListLayout::GetLastEnable() const
{
    int found = -1;
    for (size_t i = 0; i < m_aLayouts.size(); ++i)
    {
        if (!m_aLayouts[i].IsInstall() || !m_aLayouts[i].GetEnable())
            continue;
        if (found >= 0)
            return -1;
        found = static_cast<int>(i);
    }
    return found;
}

unsigned long CListLayout::GetSizeInstall() const
{
    unsigned long n = 0;
    for (const CLayout& l : m_aLayouts)
        if (l.IsInstall())
            ++n;
    return n;
}

void CListLayout::Serialize(std::ostream& out) const
{
    SerializeUS(out, 1);
    unsigned long n = GetSizeInstall();
    if (n > 0xFFFF)
        n = 0xFFFF;
    SerializeUS(out, static_cast<unsigned short>(n));
    unsigned long written = 0;
    for (const CLayout& l : m_aLayouts)
    {
        if (written == n)
            break;
        if (l.IsInstall())
        {
            l.Serialize(out);
            ++written;
        }
    }
}

void CListLayout::Serialize(std::istream& in)
{
    unsigned short version = SerializeUS(in);
    if (!in || version == 0)
        return;
    unsigned short count = SerializeUS(in);
    for (unsigned short i = 0; i < count && in; ++i)
    {
        CLayout layout;
        // No writer makes a record of version 0, so one means the stream is damaged: what
        // follows may be stray bytes that would set the flags of real layouts. Stop there;
        // the layouts not read keep their flag (enabled).
        if (!layout.Serialize(in))
            break;
        if (layout.GetKLID().IsEmpty())
            continue;
        SetKLIDFlagEnable(layout.GetKLID(), layout.GetEnable());
    }
}

} // namespace KV
