#pragma once
// Two outline hands drawn over the keyboard; the finger to use is lit in the active colour.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvstruct/core/Colour.h"
#include <vector>

namespace KV {

struct tagPosf
{
    float x;
    float y;
};

// What the keyboard hands to the hands for one frame.
struct tagHandDraw
{
    float lx, ly; // left hand position (where its selected fingertip goes)
    float rx, ry; // right hand position
    float z;      // depth of both outlines
    unsigned long lFinger;
    unsigned long rFinger;
    unsigned long lActive;
    unsigned long rActive;
};

class KVFWCTRL_API CHands
{
public:
    // Size of the box the left hand's outline is given in (y pointing down).
    static constexpr float kBoxWidth = 134.0f;
    static constexpr float kBoxHeight = 151.0f;
    static constexpr int kOutlinePoints = 46;
    // Segment of the palm in GetSegment.
    static constexpr int kPalm = 6;
    // Size of a hand against its outline box: with a fingertip on a key of the lower rows,
    // the palm still ends about at the keyboard's lower edge.
    static constexpr float kScale = 0.72f;

    CHands();
    virtual ~CHands();

    virtual void Draw(tagHandDraw& hd);
    // Fills the fingertip and outline tables (they are fixed).
    virtual void Serialize();

    void SetPassiveColor(unsigned char r, unsigned char g, unsigned char b) { m_Passive.Set(r, g, b, 0); }
    void SetActiveColor(unsigned char r, unsigned char g, unsigned char b) { m_Active.Set(r, g, b, 0); }
    void SetLineWidth(float width) { m_fLineWidth = width; }
    const CRGBA& GetPassiveColor() const { return m_Passive; }
    const CRGBA& GetActiveColor() const { return m_Active; }
    float GetLineWidth() const { return m_fLineWidth; }

    const std::vector<tagPosf>& GetFingers() const { return m_Fingers; }
    const std::vector<tagPosf>& GetOutline() const { return m_Outline; }

    // Segment of an outline point: 0 little, 1 ring, 2 middle, 3 index, 4 thumb, kPalm.
    static int GetSegment(int point);
    // Segment a finger number lights: 3 and 4 share the index; -1 for no finger.
    static int GetFingerSegment(unsigned long finger);
    // Fingertip of the hand's finger number in the hand's own box (y down); (0, 0) for an
    // unknown number.
    tagPosf GetPosFingers(const tagHandDraw& hd, int right) const;
    // Drawing-space position of an outline point of one hand for this frame.
    tagPosf GetPointPos(const tagHandDraw& hd, int right, int point) const;
    // Drawing-space box (x0, y0, x1, y1) of everything one hand draws this frame, lines
    // excepted (they are a few pixels wide whatever the scale).
    void GetBounds(const tagHandDraw& hd, int right, float box[4]) const;
    // Drawing-space box of what one segment (a finger or kPalm) of one hand draws this frame,
    // lines excepted: a finger's box also holds the outline's edges to its neighbours, whose
    // colour follows the finger's. Together the segments cover the hand.
    void GetSegmentBounds(const tagHandDraw& hd, int right, int segment, float box[4]) const;
    // Whether the segment is filled in the active colour this frame.
    bool IsSegmentLit(const tagHandDraw& hd, int right, int segment) const;
    // Whether an outline point is drawn in the active colour for this frame.
    bool IsPointActive(const tagHandDraw& hd, int right, int point) const;

private:
    void DrawLeftHand(tagHandDraw& hd);
    void DrawRightHand(tagHandDraw& hd);
    void DrawHand(tagHandDraw& hd, int right);
    // Fills one segment (a finger or the palm) as a fan around its middle.
    void FillSegment(const tagHandDraw& hd, int right, int segment, const CRGBA& colour, float alpha) const;

    std::vector<tagPosf> m_Fingers;
    std::vector<tagPosf> m_Outline;
    CRGBA m_Passive;
    CRGBA m_Active;
    float m_fLineWidth;
};

} // namespace KV
