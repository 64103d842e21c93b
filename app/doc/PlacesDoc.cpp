#include "app/doc/PlacesDoc.h"
#include "kvstruct/core/Serialize.h"
#include "kvstruct/sys/MsgBox.h"

namespace {

// A split is a percentage of the window; 0 or a full window would hide a pane.
unsigned short ReviseSplit(unsigned short value, unsigned short fallback)
{
    return value == 0 || value >= 100 ? fallback : value;
}

} // namespace

CPlacesDoc::CPlacesDoc()
{
    SetDefault();
}

CPlacesDoc::~CPlacesDoc() = default;

void CPlacesDoc::SetDefault()
{
    m_position = KV::CPoint(200, 200);
    m_size = KV::CSize(657, 325);
    m_nWindowState = 0;
    m_nSplitA = 68;
    m_nSplitB = 45;
    for (KV::CRect& rect : m_rects)
        rect.SetRectEmpty();
    for (unsigned short& view : m_nView)
        view = 0;
    m_nLastSetting = 0;
}

void CPlacesDoc::Serialize(std::ostream& out) const
{
    KV::SerializeUS(out, 8);
    m_position.SerializeUS(out);
    m_size.SerializeUS(out);
    KV::SerializeUS(out, static_cast<unsigned short>(m_nWindowState & 0xFFFF));
    KV::SerializeUS(out, m_nSplitA);
    KV::SerializeUS(out, m_nSplitB);
    for (int i = RectAvatars; i <= RectResults; ++i)
        m_rects[i].SerializeUS(out);
    for (unsigned short view : m_nView)
        KV::SerializeUS(out, view);
    m_rects[RectOptions].SerializeUS(out);
    m_rects[RectAbout].SerializeUS(out);
    KV::SerializeUS(out, m_nLastSetting);
}

int CPlacesDoc::Serialize(std::istream& in)
{
    const unsigned short version = KV::SerializeUS(in);
    if (in.fail())
        return 0;
    if (version == 0)
    {
        KV::ShowWarning(L"Wrong version file: winpos");
        return 0;
    }
    m_position.SerializeUS(in);
    m_size.SerializeUS(in);
    m_nWindowState = KV::SerializeUS(in);
    m_nSplitA = ReviseSplit(KV::SerializeUS(in), 65);
    m_nSplitB = ReviseSplit(KV::SerializeUS(in), 45);
    if (version >= 3)
        for (int i = RectAvatars; i <= RectResults; ++i)
            m_rects[i].SerializeUS(in);
    if (version >= 5)
        for (int i = 0; i < 4; ++i)
            m_nView[i] = KV::SerializeUS(in);
    if (version >= 6)
        m_nView[4] = KV::SerializeUS(in);
    if (version >= 7)
    {
        m_rects[RectOptions].SerializeUS(in);
        m_rects[RectAbout].SerializeUS(in);
    }
    if (version >= 8)
        m_nLastSetting = KV::SerializeUS(in);
    return in.fail() ? 0 : 1;
}
