#include "kvfwctrl/keyboard/Hands.h"

#include <GL/gl.h>

namespace KV {

namespace {

// Left hand, y pointing down: little, ring, middle, index and thumb (7 points each), palm (11).
const tagPosf kOutline[CHands::kOutlinePoints] = {
    {19, 79},  {1, 43},   {1, 39},    {2, 36},    {7, 35},   {9, 37},   {28, 69},  {33, 67},
    {22, 15},  {24, 11},  {26, 9},    {31, 10},   {33, 12},  {44, 58},  {51, 58},  {51, 6},
    {53, 2},   {57, 0},   {61, 2},    {62, 6},    {65, 58},  {73, 61},  {80, 18},  {82, 14},
    {86, 12},  {91, 15},  {93, 20},   {87, 67},   {98, 86},  {120, 67}, {125, 67}, {131, 68},
    {133, 73}, {131, 80}, {103, 107}, {101, 112}, {97, 127}, {89, 137}, {77, 145}, {62, 149},
    {47, 149}, {34, 144}, {22, 134},  {15, 120},  {13, 110}, {14, 95}};

// Outline points that are the fingertips of little, ring, middle, index, thumb.
const int kTips[5] = {4, 10, 17, 24, 32};

} // namespace

CHands::CHands() : m_Passive(255, 255, 255), m_Active(255, 0, 0), m_fLineWidth(3.0f)
{
    Serialize();
}

CHands::~CHands() = default;

void CHands::Serialize()
{
    m_Outline.assign(kOutline, kOutline + kOutlinePoints);
    m_Fingers.clear();
    for (int tip : kTips)
        m_Fingers.push_back(kOutline[tip]);
}

int CHands::GetSegment(int point)
{
    if (point < 0 || point >= kOutlinePoints)
        return -1;
    return point < 35 ? point / 7 : kPalm;
}

int CHands::GetFingerSegment(unsigned long finger)
{
    if (finger <= 3)
        return static_cast<int>(finger);
    if (finger == 4)
        return 3;
    if (finger == 5)
        return 4;
    return -1;
}

tagPosf CHands::GetPosFingers(const tagHandDraw& hd, int right) const
{
    const int segment = GetFingerSegment(right ? hd.rFinger : hd.lFinger);
    if (segment < 0 || static_cast<size_t>(segment) >= m_Fingers.size())
        return tagPosf{0, 0};
    return m_Fingers[segment];
}

tagPosf CHands::GetPointPos(const tagHandDraw& hd, int right, int point) const
{
    const tagPosf tip = GetPosFingers(hd, right);
    const tagPosf& p = m_Outline[point];
    if (right)
        return tagPosf{hd.rx + kScale * (tip.x - p.x), hd.ry + kScale * (tip.y - p.y)};
    return tagPosf{hd.lx + kScale * (p.x - tip.x), hd.ly + kScale * (tip.y - p.y)};
}

void CHands::GetBounds(const tagHandDraw& hd, int right, float box[4]) const
{
    box[0] = box[1] = 1e30f;
    box[2] = box[3] = -1e30f;
    for (size_t i = 0; i < m_Outline.size(); ++i)
    {
        const tagPosf p = GetPointPos(hd, right, static_cast<int>(i));
        box[0] = p.x < box[0] ? p.x : box[0];
        box[1] = p.y < box[1] ? p.y : box[1];
        box[2] = p.x > box[2] ? p.x : box[2];
        box[3] = p.y > box[3] ? p.y : box[3];
    }
}

void CHands::GetSegmentBounds(const tagHandDraw& hd, int right, int segment, float box[4]) const
{
    box[0] = box[1] = 1e30f;
    box[2] = box[3] = -1e30f;
    auto add = [&](int point) {
        const tagPosf p = GetPointPos(hd, right, point);
        box[0] = p.x < box[0] ? p.x : box[0];
        box[1] = p.y < box[1] ? p.y : box[1];
        box[2] = p.x > box[2] ? p.x : box[2];
        box[3] = p.y > box[3] ? p.y : box[3];
    };
    if (m_Outline.size() != static_cast<size_t>(kOutlinePoints))
        return;
    if (segment == kPalm)
    {
        for (int point = 0; point < kOutlinePoints; ++point)
            if (point >= 35 || point % 7 == 0 || point % 7 == 6)
                add(point);
        return;
    }
    if (segment < 0 || segment > 4)
        return;
    // The finger's points and the outline points either side of it.
    for (int point = segment * 7 - 1; point <= segment * 7 + 7; ++point)
        add((point + kOutlinePoints) % kOutlinePoints);
}

bool CHands::IsSegmentLit(const tagHandDraw& hd, int right, int segment) const
{
    return (right ? hd.rActive : hd.lActive) && segment != kPalm &&
           segment == GetFingerSegment(right ? hd.rFinger : hd.lFinger);
}

bool CHands::IsPointActive(const tagHandDraw& hd, int right, int point) const
{
    if (!(right ? hd.rActive : hd.lActive))
        return false;
    const int segment = GetSegment(point);
    return segment != kPalm && segment == GetFingerSegment(right ? hd.rFinger : hd.lFinger);
}

void CHands::Draw(tagHandDraw& hd)
{
    // In front of everything, the keys showing through the skin.
    const GLboolean depth = glIsEnabled(GL_DEPTH_TEST);
    glDisable(GL_DEPTH_TEST);
    glLineWidth(m_fLineWidth);
    DrawLeftHand(hd);
    DrawRightHand(hd);
    glLineWidth(1.0f);
    if (depth)
        glEnable(GL_DEPTH_TEST);
}

void CHands::DrawLeftHand(tagHandDraw& hd)
{
    DrawHand(hd, 0);
}

void CHands::DrawRightHand(tagHandDraw& hd)
{
    DrawHand(hd, 1);
}

namespace {

// Outline points of each segment in order round it: a finger from its outer base over the tip
// to its inner base; the palm along the finger bases, the thumb's root and the heel.
const int kFinger[5][7] = {{0, 1, 2, 3, 4, 5, 6},
                           {7, 8, 9, 10, 11, 12, 13},
                           {14, 15, 16, 17, 18, 19, 20},
                           {21, 22, 23, 24, 25, 26, 27},
                           {28, 29, 30, 31, 32, 33, 34}};
const int kPalmPoints[] = {0, 6, 7, 13, 14, 20, 21, 27, 28, 34, 35, 36, 37, 38, 39, 40, 41, 42, 43, 44, 45};
const CRGBA kSkin(246, 214, 186);
const float kSkinAlpha = 0.55f;
const float kLitAlpha = 0.6f;

} // namespace

void CHands::FillSegment(const tagHandDraw& hd, int right, int segment, const CRGBA& colour, float alpha) const
{
    const int* points = segment == kPalm ? kPalmPoints : kFinger[segment];
    const int count = segment == kPalm ? static_cast<int>(sizeof kPalmPoints / sizeof kPalmPoints[0]) : 7;
    tagPosf middle = {0, 0};
    for (int i = 0; i < count; ++i)
    {
        const tagPosf p = GetPointPos(hd, right, points[i]);
        middle.x += p.x / count;
        middle.y += p.y / count;
    }
    glColor4ub(colour.r, colour.g, colour.b, static_cast<unsigned char>(alpha * 255.0f));
    glBegin(GL_TRIANGLE_FAN);
    glVertex3f(middle.x, middle.y, hd.z);
    for (int i = 0; i <= count; ++i)
    {
        const tagPosf p = GetPointPos(hd, right, points[i % count]);
        glVertex3f(p.x, p.y, hd.z);
    }
    glEnd();
}

void CHands::DrawHand(tagHandDraw& hd, int right)
{
    if (m_Outline.size() != static_cast<size_t>(kOutlinePoints))
        return;
    // The skin, see-through so that the legends stay readable, the finger to use lit.
    const int lit = (right ? hd.rActive : hd.lActive) ? GetFingerSegment(right ? hd.rFinger : hd.lFinger) : -1;
    const GLboolean blend = glIsEnabled(GL_BLEND);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    FillSegment(hd, right, kPalm, kSkin, kSkinAlpha);
    for (int segment = 0; segment < 5; ++segment)
        FillSegment(hd, right, segment, segment == lit ? m_Active : kSkin, segment == lit ? kLitAlpha : kSkinAlpha);
    if (!blend)
        glDisable(GL_BLEND);
    glBegin(GL_LINE_LOOP);
    for (int i = 0; i < kOutlinePoints; ++i)
    {
        const CRGBA& c = IsPointActive(hd, right, i) ? m_Active : m_Passive;
        const tagPosf p = GetPointPos(hd, right, i);
        glColor3ub(c.r, c.g, c.b);
        glVertex3f(p.x, p.y, hd.z);
    }
    glEnd();
}

} // namespace KV
