#pragma once
// What reached the X server's screen: the root window captured with xwd (under Wine + Xvfb),
// so tests see the pixels a user sees rather than a buffer inside the program.
#include <string>
#include <vector>

namespace fwtest {

class ScreenShot
{
public:
    // Runs xwd on the display of this process; false (and empty) when it cannot.
    bool Capture();
    bool Empty() const { return m_pixels.empty(); }
    int Width() const { return m_width; }
    int Height() const { return m_height; }
    // 0xRRGGBB at screen point (x, y) from the top-left; 0xFF000000 outside.
    unsigned long At(int x, int y) const;
    // Pixels inside [x0, x1) x [y0, y1) within `tolerance` of colour 0xRRGGBB in every channel.
    int Count(unsigned long rgb, int x0, int y0, int x1, int y1, int tolerance = 2) const;
    std::string Error() const { return m_error; }

private:
    int m_width = 0, m_height = 0;
    std::vector<unsigned long> m_pixels;
    std::string m_error;
};

} // namespace fwtest
