#include "kvfwctrl/level/Level.h"
#include "kvstruct/image/Image.h"
#include "kvstruct/sys/MsgBox.h"
#include "kvstruct/files/SafeFile.h"
#include "kvstruct/core/Serialize.h"
#include <GL/gl.h>
#include <fstream>
#include <locale>

namespace KV {

CLevel::CLevel() : m_part(0), m_stillGeneration(0)
{
    SetName(L"");
}

CLevel::~CLevel() = default;

void CLevel::Serialize(std::ostream& out)
{
    CNameObject<CFigure>::Serialize(out);
    SerializeUS(out, 1);
    const size_t count =
        m_background.size() < size_t(MAX_BACKGROUND) ? m_background.size() : size_t(MAX_BACKGROUND);
    SerializeUS(out, static_cast<unsigned short>(count));
    for (size_t i = 0; i < count; ++i)
        m_background[i].Serialize(out);
}

void CLevel::Serialize(std::istream& in)
{
    ++m_stillGeneration;
    CNameObject<CFigure>::Serialize(in);
    // A bad version word or a damaged figure ends the reading there.
    if (!in)
        return;
    const unsigned short version = SerializeUS(in);
    if (!in)
        return;
    if (version != 1)
    {
        ShowWarning(L"Wrong version file: *.wrd");
        return;
    }
    const unsigned short count = SerializeUS(in);
    const long long left = StreamBytesLeft(in);
    if (!in || count > MAX_BACKGROUND || (left >= 0 && left < static_cast<long long>(count) * 6))
        return;
    std::vector<CRGBA> colours(count);
    for (CRGBA& colour : colours)
        colour.Serialize(in);
    if (!in)
        return;
    m_background.swap(colours);
}

int CLevel::Load(const wchar_t* path)
{
    std::ifstream in;
    in.imbue(std::locale::classic());
    if (path)
        in.open(path, std::ios::in | std::ios::binary);
    if (!path || !in.is_open())
    {
        ShowWarning(L"Can't open file: *.wrd");
        return 0;
    }
    Serialize(static_cast<std::istream&>(in));
    return 1;
}

int CLevel::Save(const wchar_t* path)
{
    // The previous file survives a failed or interrupted write.
    CSafeOutFile file;
    if (!path || !file.Open(path))
    {
        ShowWarning(L"Can't save file: *.wrd");
        return 0;
    }
    file.Stream().imbue(std::locale::classic());
    Serialize(static_cast<std::ostream&>(file.Stream()));
    if (!file.Commit())
    {
        ShowWarning(L"Can't save file: *.wrd");
        return 0;
    }
    return 1;
}

void CLevel::Draw(HDC, const CRect&, unsigned short) {}

void CLevel::SetBackground(const CRGBA* colours, unsigned short count)
{
    ++m_stillGeneration;
    m_background.clear();
    if (!colours)
        return;
    if (count > MAX_BACKGROUND)
        count = MAX_BACKGROUND;
    m_background.assign(colours, colours + count);
}

void CLevel::SetPart(unsigned short part)
{
    if (part == m_part)
        return;
    m_part = part;
    for (size_t i = 3; i < GetCount(); ++i)
        Get(i)->SetPart(part);
}

void CLevel::Init(int width, int height)
{
    // The pictures are made again: so is the still part.
    ++m_stillGeneration;
    for (CFigure* figure : *this)
        figure->Init(width, height);
}

void CLevel::Refresh()
{
    ++m_stillGeneration;
    for (CFigure* figure : *this)
        figure->Refresh();
}

size_t CLevel::FirstMovingFigure(unsigned short animate) const
{
    size_t i = 3;
    while (i < GetCount() && Get(i)->IsStill(animate))
        ++i;
    return i < GetCount() ? i : GetCount();
}

void CLevel::DrawBackground(const CRect& view) const
{
    if (m_background.size() < BACKGROUND_COLOURS)
        return;
    const float L = static_cast<float>(view.left), T = static_cast<float>(view.top);
    const float R = static_cast<float>(view.right), B = static_cast<float>(view.bottom);
    const float vx[8] = {L, L, L, R / 2, R, R, R, R / 2};
    const float vy[8] = {T, B / 2, B, B, B, B / 2, T, T};
    glDisable(GL_TEXTURE_2D);
    glShadeModel(GL_SMOOTH);
    glBegin(GL_POLYGON);
    for (int i = 0; i < 8; ++i)
    {
        glColor3ub(m_background[i].r, m_background[i].g, m_background[i].b);
        glVertex3f(vx[i], vy[i], -50.0f);
    }
    glEnd();
}

CLevelFW::CLevelFW()
    : m_letterTotal(0), m_letterCounter(0), m_stepping(0), m_stepFraction(0), m_stepCounter(0),
      m_stepTotal(0), m_pause(0), m_hold(0)
{}

void CLevelFW::SetHold(int hold)
{
    m_hold = hold ? 1 : 0;
    for (CFigure* figure : *this)
        figure->SetHold(hold != 0);
}

CLevelFW::~CLevelFW() = default;

void CLevelFW::SetTotalSpeed(unsigned short total)
{
    m_stepTotal = total ? total : 1;
}

void CLevelFW::ResetSpeed()
{
    m_stepCounter = 0;
    m_stepFraction = 0;
    m_stepping = 0;
}

void CLevelFW::AddSpeed()
{
    if (m_stepCounter >= m_stepTotal)
    {
        // Back to the start at once, without a glide.
        ResetSpeed();
        return;
    }
    m_stepCounter += 1;
    m_stepFraction = 0;
    m_stepping = 1;
}

void CLevelFW::SetTotalSpeedLetter(unsigned short total)
{
    m_letterTotal = total ? total : 1;
}

float CLevelFW::StepIndicators()
{
    float k = m_stepCounter + 1;
    if (m_stepping && m_hold)
        return m_stepCounter + m_stepFraction;
    if (m_stepping)
    {
        m_stepFraction += 0.01f;
        k = m_stepCounter + m_stepFraction;
        // A hundred frames per step; the float sum of 0.01 may fall a hair short of 1.
        if (k >= m_stepCounter + 1 - 0.001f)
        {
            k = m_stepCounter + 1;
            m_stepping = 0;
            m_stepFraction = 0;
        }
    }
    return k;
}

void CLevelFW::GetIndicatorPos(const CRect& view, float k, float pos[6]) const
{
    const float cx = view.right / 2.0f;
    const float cy = view.bottom / 2.0f;
    const CFigure* f0 = Get(0);
    const CFigure* f1 = Get(1);
    const CFigure* f2 = Get(2);
    const float w0 = f0 ? static_cast<float>(f0->GetSize().cx) : 0;
    const float w1 = f1 ? static_cast<float>(f1->GetSize().cx) : 0;
    const float w2 = f2 ? static_cast<float>(f2->GetSize().cx) : 0;
    // A level read before any SetTotal... has totals of 0: count them as 1.
    const float stepTotal = m_stepTotal > 0 ? m_stepTotal : 1;
    const float letterTotal = m_letterTotal > 0 ? m_letterTotal : 1;
    pos[0] = cx - w0;
    pos[1] = cy;
    pos[2] = (cx - w0 - w1) * k / stepTotal;
    pos[3] = cy;
    pos[4] = cx - static_cast<float>(static_cast<int>(w0) / 2);
    pos[5] = cy * m_letterCounter / letterTotal - w2;
}

void CLevelFW::Draw(HDC dc, const CRect& view, unsigned short animate)
{
    DrawStill(dc, view, animate);
    DrawMoving(dc, view, animate);
}

void CLevelFW::DrawStill(HDC dc, const CRect& view, unsigned short animate)
{
    const float R = static_cast<float>(view.right), B = static_cast<float>(view.bottom);
    SYSTEMTIME clock;
    ::GetSystemTime(&clock);
    DrawBackground(view);
    const size_t moving = FirstMovingFigure(animate);
    for (size_t i = 3; i < moving; ++i)
        Get(i)->Draw(dc, R, B, 0, 0, static_cast<float>(i) - 50.0f + 0.2f, clock, animate);
}

void CLevelFW::DrawMoving(HDC dc, const CRect& view, unsigned short animate)
{
    const float R = static_cast<float>(view.right), B = static_cast<float>(view.bottom);
    SYSTEMTIME clock;
    ::GetSystemTime(&clock);
    for (size_t i = FirstMovingFigure(animate); i < GetCount(); ++i)
        Get(i)->Draw(dc, R, B, 0, 0, static_cast<float>(i) - 50.0f + 0.2f, clock, animate);

    if (!animate)
        return;
    const float k = StepIndicators();
    // A level without its three indicators draws none.
    if (m_pause || GetCount() < 3)
        return;
    float pos[6];
    GetIndicatorPos(view, k, pos);
    Get(0)->Draw(dc, R, B, pos[0], pos[1], -21.0f, clock, animate);
    Get(1)->Draw(dc, R, B, pos[2], pos[3], -20.0f, clock, animate);
    Get(2)->Draw(dc, R, B, pos[4], pos[5], -22.0f, clock, animate);
}

} // namespace KV
