#pragma once
// A background level of the typing view: eight blended background colours and a list of
// figures; figures 0, 1 and 2 are progress indicators, the rest decoration.
#include "kvfwctrl/kvfwctrl_api.h"
#include "kvfwctrl/level/Figure.h"
#include "kvfwctrl/keyboard/NameObject.h"
#include "kvstruct/core/Colour.h"
#include "kvstruct/core/Geometry.h"
#include <windows.h>
#include <istream>
#include <ostream>
#include <vector>

namespace KV {

class KVFWCTRL_API CLevel : public CNameObject<CFigure>
{
public:
    enum { MAX_BACKGROUND = 255, BACKGROUND_COLOURS = 8 };

    CLevel();
    virtual ~CLevel();

    void Serialize(std::ostream& out) override;
    void Serialize(std::istream& in) override;
    // 1, or 0 after "Can't open file: *.wrd" / "Can't save file: *.wrd".
    virtual int Load(const wchar_t* path);
    virtual int Save(const wchar_t* path);
    // Draws nothing here; see CLevelFW.
    virtual void Draw(HDC dc, const CRect& view, unsigned short animate);

    void SetBackground(const CRGBA* colours, unsigned short count);
    const std::vector<CRGBA>& GetBackground() const { return m_background; }
    unsigned short GetBackgroundCount() const { return static_cast<unsigned short>(m_background.size()); }
    void FreeIt() { m_background.clear(); }

    // Percent of the lesson done; handed to the decorative figures when it changes.
    void SetPart(unsigned short part);
    unsigned short GetPart() const { return m_part; }

    void Init(int width, int height);
    void Refresh();

    // Index (3 or more) of the first decorative figure whose picture or place changes from
    // frame to frame; the count when none does.
    size_t FirstMovingFigure(unsigned short animate) const;
    // Changes whenever what the still part of a frame shows may have changed (other figures,
    // background or pictures); the still part also follows the view's size and animate.
    unsigned long GetStillGeneration() const { return m_stillGeneration; }

protected:
    void DrawBackground(const CRect& view) const;

    std::vector<CRGBA> m_background;
    unsigned short m_part;
    unsigned long m_stillGeneration;
};

class KVFWCTRL_API CLevelFW : public CLevel
{
public:
    CLevelFW();
    virtual ~CLevelFW();

    // A whole frame: the still part, then the moving one.
    void Draw(HDC dc, const CRect& view, unsigned short animate) override;
    // The still part of a frame: the background and the decorative figures before the first
    // moving one (see FirstMovingFigure); the same in every frame of one generation and size.
    void DrawStill(HDC dc, const CRect& view, unsigned short animate);
    // The rest: the moving figures and the indicators, in front of the still part.
    void DrawMoving(HDC dc, const CRect& view, unsigned short animate);

    void SetPause(int pause) { m_pause = pause ? 1 : 0; }
    int GetPause() const { return m_pause; }

    void SetTotalSpeed(unsigned short total);
    void ResetSpeed();
    void AddSpeed();
    void SetTotalSpeedLetter(unsigned short total);
    void ResetSpeedLetter() { m_letterCounter = 0; }
    void AddSpeedLetter() { m_letterCounter += 1; }

    float GetStepTotal() const { return m_stepTotal; }
    float GetStepCounter() const { return m_stepCounter; }
    float GetStepFraction() const { return m_stepFraction; }
    bool IsStepping() const { return m_stepping != 0; }
    float GetLetterTotal() const { return m_letterTotal; }
    float GetLetterCounter() const { return m_letterCounter; }

    // Advances a step in progress by one frame and returns the position factor k of the
    // traveller (figure 1 stands at (cx - w0 - w1) * k / total).
    float StepIndicators();
    // While held, frames show every figure where it is, without moving or animating it (a
    // frame that only shows a typed key must not run the level faster).
    void SetHold(int hold);
    bool IsHeld() const { return m_hold != 0; }
    // Where the three indicators stand for a view and a factor k (x, y of figures 0, 1, 2).
    void GetIndicatorPos(const CRect& view, float k, float pos[6]) const;

private:
    float m_letterTotal;
    float m_letterCounter;
    unsigned long m_stepping;
    float m_stepFraction;
    float m_stepCounter;
    float m_stepTotal;
    unsigned long m_pause;
    unsigned long m_hold;
};

} // namespace KV
