#pragma once
// One figure of a background level: a few pictures (chroma-keyed) that stand still, drift,
// sit at a place or are tiled, animated back and forth frame by frame.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvstruct/core/Colour.h"
#include "kvstruct/core/Geometry.h"
#include <windows.h>
#include <istream>
#include <ostream>
#include <vector>

namespace KV {

class CImage;

class KVFWCTRL_API CFigure
{
public:
    enum { KIND_STILL = 0, KIND_DRIFT = 1, KIND_PLACED = 2, KIND_TILED = 3 };
    enum { TILE_BY_WIDTH = 1, TILE_BY_HEIGHT = 2, TILE_BY_STEP = 3 };
    // Every picture of a level file is one of these at most: a bigger claim is damage.
    enum { MAX_PICTURE_SIDE = 4096, MAX_CHROMA = 255, MAX_PICTURES = 1024 };

    CFigure();
    CFigure(const CFigure&) = delete;
    CFigure& operator=(const CFigure&) = delete;
    virtual ~CFigure();

    // Draws the figure for one frame. Returns the place of the last picture drawn, or
    // (-32768, -32768) when nothing was drawn.
    virtual CPoint Draw(HDC dc, float width, float height, float x, float y, float z, const SYSTEMTIME& clock,
                        int animate);
    virtual void Serialize(std::ostream& out);
    // A bad version word or damaged counts set the stream's fail state (the list stops there).
    virtual void Serialize(std::istream& in);

    void Init(int width, int height);
    void Refresh();
    void SetPart(unsigned short part) { m_part = part; }
    // A held figure is drawn where it is, with its present picture.
    void SetHold(bool hold) { m_hold = hold; }
    // True when the figure looks the same in every frame (until the view changes size).
    bool IsStill(int animate) const;
    unsigned short GetPart() const { return m_part; }

    unsigned short GetID() const { return m_id; }
    void SetID(unsigned short id) { m_id = id; }
    void SetName(const wchar_t* text);
    // Writes the ID in decimal into buffer (at least 8 units).
    // The ID in decimal, cut to size units; without a size at most 8.
    void GetName(wchar_t* buffer, size_t size) const;
    void GetName(wchar_t* buffer) const { GetName(buffer, 8); }
    CSize GetSize() const;
    CImage* GetImage() const;
    CImage* GetImage(size_t index) const { return index < m_pictures.size() ? m_pictures[index] : nullptr; }
    size_t GetPictureCount() const { return m_pictures.size(); }

    // Editing.
    int AddPicture(const wchar_t* path, int warn);
    // Takes over a picture made elsewhere.
    void AddPicture(CImage* picture);
    void RemovePictures();
    void SetChromaKey(const CRGBA* colours, unsigned short count);
    const std::vector<CRGBA>& GetChromaKey() const { return m_chroma; }
    void FreeIt();

    // Parameters.
    unsigned short GetTiling() const { return m_tiling; }
    void SetTiling(unsigned short tiling) { m_tiling = tiling; }
    unsigned short GetKind() const { return m_kind; }
    void SetKind(unsigned short kind) { m_kind = kind; }
    float GetSpeedX() const { return m_speedX; }
    float GetSpeedY() const { return m_speedY; }
    void SetSpeed(float sx, float sy)
    {
        m_speedX = sx;
        m_speedY = sy;
    }
    unsigned short GetFramePeriod() const { return m_period; }
    void SetFramePeriod(unsigned short ms) { m_period = ms; }
    unsigned short GetPartThreshold() const { return m_threshold; }
    void SetPartThreshold(unsigned short percent) { m_threshold = percent; }
    unsigned short GetTileLimit() const { return m_tileLimit; }
    void SetTileLimit(unsigned short limit) { m_tileLimit = limit; }
    float GetStartX() const { return m_startX; }
    float GetStartY() const { return m_startY; }
    void SetStart(float x, float y)
    {
        m_startX = x;
        m_startY = y;
    }
    unsigned short GetStepX() const { return m_stepX; }
    unsigned short GetStepY() const { return m_stepY; }
    void SetStep(unsigned short sx, unsigned short sy)
    {
        m_stepX = sx;
        m_stepY = sy;
    }

    // Animation state.
    unsigned short GetFrameCount() const { return m_frameCount; }
    unsigned short GetFrame() const { return m_frame; }
    unsigned char GetDirection() const { return m_direction; }
    float GetX() const { return m_x; }
    float GetY() const { return m_y; }
    void SetPos(float x, float y)
    {
        m_x = x;
        m_y = y;
    }
    void SetDirection(unsigned char direction) { m_direction = direction ? 1 : 0; }
    unsigned short GetLastChange() const { return m_lastChange; }
    void SetLastChange(unsigned short ms) { m_lastChange = ms; }
    float GetTop() const { return m_top; }
    float GetBottom() const { return m_bottom; }
    // Tiles drawn by the last Draw of a tiled figure.
    unsigned int GetTilesDrawn() const { return m_tilesDrawn; }

private:
    void StepFrame(const SYSTEMTIME& clock);
    void Drift(float width, float height);
    void DrawPicture(CImage* picture, float x, float y, float z, int upright);

    std::vector<CRGBA> m_chroma;
    unsigned short m_id;
    unsigned short m_tiling;
    unsigned short m_kind;
    float m_speedX;
    float m_speedY;
    unsigned short m_period;
    unsigned short m_threshold;
    unsigned short m_tileLimit;
    float m_startX;
    float m_startY;
    unsigned short m_stepX;
    unsigned short m_stepY;
    std::vector<CImage*> m_pictures;
    unsigned short m_frameCount;
    unsigned short m_part;
    unsigned char m_direction;
    float m_x;
    float m_y;
    unsigned short m_now;
    unsigned short m_frame;
    unsigned short m_lastChange;
    unsigned long m_frameDirection;
    float m_top;
    float m_bottom;
    unsigned int m_tilesDrawn;
    bool m_hold;
};

// A random value from 0 to 1 and a random choice of 0 and 1, from the standard generator.
KVFWCTRL_API float FigureRandom();
KVFWCTRL_API int FigureRandomChoice();

} // namespace KV
