#include "kvfwctrl/level/Figure.h"
#include "kvstruct/image/Image.h"
#include "kvstruct/sys/MsgBox.h"
#include "kvstruct/core/Serialize.h"
#include "kvstruct/core/TextCopy.h"
#include <GL/gl.h>
#include <cmath>
#include <cstdlib>
#include <cwchar>

namespace KV {

namespace {

const float kNotDrawn = -32768.0f;
// Smallest figure record: fifteen UInt16 words.
const long long kMinFigureBytes = 30;
// Smallest picture record: UInt32 version and two UInt16 sizes.
const long long kMinPictureBytes = 8;

// Whole-number form of a float for a UInt16 field (towards zero).
unsigned short TruncUS(float value)
{
    return static_cast<unsigned short>(static_cast<long>(value));
}

} // namespace

float FigureRandom()
{
    return static_cast<float>(std::rand() % 32768) / 32767.0f;
}

int FigureRandomChoice()
{
    // A draw of 32767 gives 2, which counts as 1.
    return static_cast<int>(FigureRandom() * 2.0f) != 0 ? 1 : 0;
}

CFigure::CFigure()
    : m_id(0), m_tiling(TILE_BY_WIDTH), m_kind(KIND_PLACED), m_speedX(0.6f), m_speedY(0.6f), m_period(3),
      m_threshold(3), m_tileLimit(0), m_startX(0), m_startY(0), m_stepX(0), m_stepY(0), m_frameCount(0),
      m_part(0), m_direction(0), m_x(0), m_y(0), m_now(0), m_frame(0), m_lastChange(0), m_frameDirection(1),
      m_top(0), m_bottom(0), m_tilesDrawn(0), m_hold(false)
{}

CFigure::~CFigure()
{
    FreeIt();
}

void CFigure::SetName(const wchar_t* text)
{
    m_id = text ? static_cast<unsigned short>(std::wcstoul(text, nullptr, 10)) : 0;
}

void CFigure::GetName(wchar_t* buffer, size_t size) const
{
    wchar_t text[16];
    std::swprintf(text, 16, L"%u", static_cast<unsigned>(m_id));
    CopyToBuffer(buffer, size, text);
}

CSize CFigure::GetSize() const
{
    return m_pictures.empty() ? CSize(0, 0) : m_pictures[0]->GetSize();
}

CImage* CFigure::GetImage() const
{
    return m_pictures.empty() ? nullptr : m_pictures[0];
}

int CFigure::AddPicture(const wchar_t* path, int warn)
{
    CImage* picture = new CImage();
    const int result = picture->ReadBMPFile(path, warn);
    if (!result || picture->IsEmpty())
    {
        delete picture;
        return 0;
    }
    m_pictures.push_back(picture);
    return result;
}

void CFigure::AddPicture(CImage* picture)
{
    if (picture)
        m_pictures.push_back(picture);
}

void CFigure::RemovePictures()
{
    for (CImage* picture : m_pictures)
        delete picture;
    m_pictures.clear();
    m_frameCount = 0;
    m_frame = 0;
    m_frameDirection = 1;
}

void CFigure::SetChromaKey(const CRGBA* colours, unsigned short count)
{
    m_chroma.clear();
    if (!colours)
        return;
    if (count > MAX_CHROMA)
        count = MAX_CHROMA;
    m_chroma.assign(colours, colours + count);
}

void CFigure::FreeIt()
{
    m_chroma.clear();
    RemovePictures();
}

void CFigure::Init(int, int)
{
    m_frameCount = static_cast<unsigned short>(m_pictures.size());
    if (m_frameCount == 0)
        return;
    if (m_frame >= m_frameCount)
        m_frame = 0;
    for (CImage* picture : m_pictures)
        picture->CreateTexture();
    Refresh();
}

void CFigure::Refresh()
{
    m_direction = static_cast<unsigned char>(FigureRandomChoice());
    m_top = 495.0f;
    m_bottom = 5.0f;
    // Far off the view, so the first animated draw brings the figure in at an edge.
    if (m_direction == 1)
        m_x = FigureRandom() * 495.0f - 3000.0f;
    else
        m_x = FigureRandom() * 495.0f + 3000.0f;
    m_y = FigureRandom() * 194.0f;
    SYSTEMTIME now;
    ::GetSystemTime(&now);
    m_lastChange = now.wMilliseconds;
}

void CFigure::DrawPicture(CImage* picture, float x, float y, float z, int upright)
{
    if (picture)
        picture->DrawTexture(x, y, z, upright, 0);
}

void CFigure::Drift(float width, float height)
{
    if (m_x < -130.0f || m_x > width + 130.0f)
    {
        m_x = m_x < -130.0f ? width + 130.0f : -130.0f;
        m_direction = static_cast<unsigned char>(FigureRandomChoice());
        m_y = height * FigureRandom();
        m_speedY = FigureRandomChoice() ? std::fabs(m_speedY) : -std::fabs(m_speedY);
    }
    if (m_y <= m_bottom)
    {
        m_speedY = std::fabs(m_speedY);
    }
    else
    {
        float top = m_top;
        if (top == height / 2.0f - 10.0f && m_frame < m_pictures.size())
            top -= m_pictures[m_frame]->GetHeight();
        if (m_y >= top)
            m_speedY = -std::fabs(m_speedY);
    }
    m_x += m_speedX * 0.1f * (m_direction == 1 ? -1.0f : 1.0f);
    m_y += m_speedY * 0.1f;
}

CPoint CFigure::Draw(HDC, float width, float height, float x, float y, float z, const SYSTEMTIME& clock,
                     int animate)
{
    CPoint drawn(static_cast<int>(kNotDrawn), static_cast<int>(kNotDrawn));
    CImage* current = m_frame < m_pictures.size() ? m_pictures[m_frame] : nullptr;
    m_tilesDrawn = 0;

    switch (m_kind)
    {
    case KIND_STILL:
        if (current)
        {
            DrawPicture(current, x, y, z, 0);
            drawn = CPoint(static_cast<int>(x), static_cast<int>(y));
        }
        break;
    case KIND_DRIFT:
        if (!animate)
            break;
        if (m_part >= m_threshold && !m_hold)
            Drift(width, height);
        current = m_frame < m_pictures.size() ? m_pictures[m_frame] : nullptr;
        if (current)
        {
            DrawPicture(current, m_x, m_y, z, m_direction);
            drawn = CPoint(static_cast<int>(m_x), static_cast<int>(m_y));
        }
        break;
    case KIND_PLACED:
        if (width > m_startX)
        {
            if (!m_pictures.empty())
            {
                DrawPicture(m_pictures[0], m_startX, m_startY, z, 0);
                drawn = CPoint(static_cast<int>(m_startX), static_cast<int>(m_startY));
            }
            return drawn; // a placed figure keeps its first picture
        }
        break;
    case KIND_TILED: {
        CImage* picture = GetImage();
        if (!picture)
            break;
        float dx = 0, dy = 0;
        if (m_tiling == TILE_BY_WIDTH)
            dx = picture->GetWidth();
        else if (m_tiling == TILE_BY_HEIGHT)
            dy = picture->GetHeight();
        else if (m_tiling == TILE_BY_STEP)
        {
            dx = m_stepX;
            dy = m_stepY;
        }
        const bool advances = dx > 0 || dy > 0;
        float tx = m_startX, ty = m_startY;
        while (tx < width && ty < height && (m_tileLimit == 0 || m_tilesDrawn < m_tileLimit))
        {
            DrawPicture(picture, tx, ty, z, 0);
            drawn = CPoint(static_cast<int>(tx), static_cast<int>(ty));
            ++m_tilesDrawn;
            if (!advances)
                break; // a tiling that does not move draws one tile
            tx += dx;
            ty += dy;
        }
        break;
    }
    default:
        break;
    }
    if (!m_hold)
        StepFrame(clock);
    return drawn;
}

bool CFigure::IsStill(int animate) const
{
    switch (m_kind)
    {
    case KIND_PLACED:
    case KIND_TILED:
        return true; // always their first picture, in the same places
    case KIND_STILL:
        return m_pictures.size() <= 1;
    case KIND_DRIFT:
        return !animate; // not drawn at all then
    default:
        return true;
    }
}

void CFigure::StepFrame(const SYSTEMTIME& clock)
{
    m_now = clock.wMilliseconds % 1000;
    // Time since the last change, across the wrap of the millisecond value.
    const unsigned elapsed = (m_now + 1000u - m_lastChange % 1000u) % 1000u;
    if (elapsed < m_period)
        return;
    m_lastChange = m_now;
    if (m_frameCount <= 1 || m_pictures.size() <= 1)
        return;
    const unsigned last = (m_frameCount < m_pictures.size() ? m_frameCount : m_pictures.size()) - 1;
    if (m_frame >= last)
        m_frameDirection = 0;
    else if (m_frame == 0)
        m_frameDirection = 1;
    if (m_frameDirection)
        ++m_frame;
    else
        --m_frame;
    if (m_frame > last)
        m_frame = static_cast<unsigned short>(last);
}

void CFigure::Serialize(std::ostream& out)
{
    SerializeUS(out, 1);
    SerializeUS(out, m_id);
    SerializeUS(out, m_tiling);
    SerializeUS(out, m_kind);
    // A vertical speed turned negative by the drift is stored by its size.
    SerializeUS(out, TruncUS(std::fabs(m_speedX)) & 0xFF);
    SerializeUS(out, TruncUS(std::fabs(m_speedY)) & 0xFF);
    SerializeUS(out, m_period);
    SerializeUS(out, m_threshold);
    SerializeUS(out, m_tileLimit);
    SerializeUS(out, TruncUS(m_startX));
    SerializeUS(out, TruncUS(m_startY));
    SerializeUS(out, m_stepX);
    SerializeUS(out, m_stepY);
    const size_t chroma = m_chroma.size() < size_t(MAX_CHROMA) ? m_chroma.size() : size_t(MAX_CHROMA);
    SerializeUS(out, static_cast<unsigned short>(chroma));
    for (size_t i = 0; i < chroma; ++i)
        m_chroma[i].Serialize(out);
    const size_t pictures = m_pictures.size() < 0xFFFF ? m_pictures.size() : 0xFFFF;
    SerializeUS(out, static_cast<unsigned short>(pictures));
    for (size_t i = 0; i < pictures; ++i)
        m_pictures[i]->Serialize(out);
}

void CFigure::Serialize(std::istream& in)
{
    const unsigned short version = SerializeUS(in);
    if (!in)
        return;
    if (version != 1)
    {
        ShowWarning(L"Wrong version file: *.wrd");
        in.setstate(std::ios::failbit);
        return;
    }
    const long long left = StreamBytesLeft(in);
    if (left >= 0 && left < kMinFigureBytes - 2)
    {
        in.setstate(std::ios::failbit);
        return;
    }
    m_id = SerializeUS(in);
    m_tiling = SerializeUS(in);
    m_kind = SerializeUS(in);
    m_speedX = SerializeUS(in);
    m_speedY = SerializeUS(in);
    m_period = SerializeUS(in);
    m_threshold = SerializeUS(in);
    m_tileLimit = SerializeUS(in);
    // Positions are signed in practice: a tiling may start left of or below the view.
    m_startX = static_cast<short>(SerializeUS(in));
    m_startY = static_cast<short>(SerializeUS(in));
    m_stepX = SerializeUS(in);
    m_stepY = SerializeUS(in);

    const unsigned short chroma = SerializeUS(in);
    if (!in || chroma > MAX_CHROMA)
    {
        in.setstate(std::ios::failbit);
        return;
    }
    const long long chromaLeft = StreamBytesLeft(in);
    if (chromaLeft >= 0 && chromaLeft < static_cast<long long>(chroma) * 6)
    {
        in.setstate(std::ios::failbit);
        return;
    }
    m_chroma.clear();
    m_chroma.resize(chroma);
    for (CRGBA& colour : m_chroma)
        colour.Serialize(in);

    const unsigned short count = SerializeUS(in);
    const long long picturesLeft = StreamBytesLeft(in);
    if (!in || count > MAX_PICTURES ||
        (picturesLeft >= 0 && picturesLeft < static_cast<long long>(count) * kMinPictureBytes))
    {
        in.setstate(std::ios::failbit);
        return;
    }
    RemovePictures();
    for (unsigned short i = 0; i < count; ++i)
    {
        CImage* picture = new CImage();
        if (!picture->Serialize(in) || !in || picture->GetWidth() > MAX_PICTURE_SIDE ||
            picture->GetHeight() > MAX_PICTURE_SIDE)
        {
            delete picture;
            in.setstate(std::ios::failbit);
            return;
        }
        if (!m_chroma.empty())
            picture->EmbedChromaKey(m_chroma.data(), static_cast<unsigned long>(m_chroma.size()));
        m_pictures.push_back(picture);
    }
}

} // namespace KV
