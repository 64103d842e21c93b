#include "common/fwtest.h"
#include "../gl_test_window.h"
#include "kvfwctrl/level/Level.h"
#include "kvstruct/image/Image.h"

#include <gtest/gtest.h>
#include <cstdlib>
#include <memory>
#include <sstream>
#include <string>

using KV::CFigure;
using KV::CImage;
using KV::CLevel;
using KV::CLevelFW;
using KV::CRGBA;

namespace {

std::string US(unsigned v)
{
    return std::string{char(v & 0xFF), char((v >> 8) & 0xFF)};
}
std::string UL(unsigned long v)
{
    return US(v & 0xFFFF) + US(v >> 16);
}

// A picture in its stream form: every pixel the same colour, opaque.
std::string PictureBytes(unsigned short w, unsigned short h, CRGBA c, unsigned char alpha = 255)
{
    std::string s = UL(1) + US(h) + US(w);
    for (int i = 0; i < w * h; ++i)
        s += std::string{char(c.r), char(c.g), char(c.b), char(alpha)};
    return s;
}

CImage* MakePicture(unsigned short w, unsigned short h, CRGBA c)
{
    std::istringstream in(PictureBytes(w, h, c));
    CImage* picture = new CImage();
    picture->Serialize(in);
    return picture;
}

CFigure* MakeFigure(unsigned short kind, unsigned short w, unsigned short h, CRGBA c, int pictures = 1)
{
    CFigure* f = new CFigure();
    f->SetKind(kind);
    for (int i = 0; i < pictures; ++i)
        f->AddPicture(MakePicture(w, h, CRGBA(c.r, c.g, static_cast<unsigned char>(c.b + i))));
    return f;
}

std::string Write(CLevel& level)
{
    std::ostringstream out;
    level.Serialize(static_cast<std::ostream&>(out));
    return out.str();
}

void Read(CLevel& level, const std::string& bytes)
{
    std::istringstream in(bytes);
    level.Serialize(static_cast<std::istream&>(in));
}

SYSTEMTIME AtMs(unsigned ms)
{
    SYSTEMTIME t = {};
    t.wSecond = static_cast<WORD>(ms / 1000 % 60);
    t.wMilliseconds = static_cast<WORD>(ms % 1000);
    return t;
}

// One figure record of a small level, as written.
std::string FigureRecord(unsigned version = 1)
{
    return US(version) + US(7) + US(3) + US(1) + US(2) + US(3) + US(40) + US(20) + US(5) + US(12) + US(3) +
           US(9) + US(4) + US(1) + US(255) + US(0) + US(255) + US(1) + PictureBytes(2, 1, CRGBA(10, 20, 30));
}

std::string LevelBytes(const std::string& figures, unsigned count)
{
    return US(1) + US(1) + US(L'L') + US(count) + figures + US(1) + US(2) + US(1) + US(2) + US(3) + US(250) +
           US(251) + US(252);
}

} // namespace

TEST(LevelFile, WritesTheBytesOfEveryField)
{
    CLevel level;
    level.SetName(L"L");
    CFigure* f = level.New();
    f->SetID(7);
    f->SetTiling(3);
    f->SetKind(1);
    f->SetSpeed(2.7f, -3.9f);
    f->SetFramePeriod(40);
    f->SetPartThreshold(20);
    f->SetTileLimit(5);
    f->SetStart(12.9f, 3.2f);
    f->SetStep(9, 4);
    const CRGBA key(255, 0, 255);
    f->SetChromaKey(&key, 1);
    f->AddPicture(MakePicture(2, 1, CRGBA(10, 20, 30)));
    const CRGBA bg[2] = {CRGBA(1, 2, 3), CRGBA(250, 251, 252)};
    level.SetBackground(bg, 2);

    EXPECT_EQ(fwtest::Hex(LevelBytes(FigureRecord(), 1)), fwtest::Hex(Write(level)));
}

TEST(LevelFile, RoundTripKeepsFiguresPicturesAndColours)
{
    CLevel level;
    Read(level, LevelBytes(FigureRecord() + FigureRecord(), 2));
    ASSERT_EQ(2u, level.GetCount());
    EXPECT_STREQ(L"L", level.GetName());
    const CFigure* f = level.Get(1);
    EXPECT_EQ(7, f->GetID());
    EXPECT_EQ(3, f->GetTiling());
    EXPECT_EQ(1, f->GetKind());
    EXPECT_FLOAT_EQ(2, f->GetSpeedX());
    EXPECT_FLOAT_EQ(3, f->GetSpeedY());
    EXPECT_EQ(40, f->GetFramePeriod());
    EXPECT_EQ(20, f->GetPartThreshold());
    EXPECT_EQ(5, f->GetTileLimit());
    EXPECT_FLOAT_EQ(12, f->GetStartX());
    EXPECT_FLOAT_EQ(3, f->GetStartY());
    EXPECT_EQ(9, f->GetStepX());
    EXPECT_EQ(4, f->GetStepY());
    ASSERT_EQ(1u, f->GetChromaKey().size());
    ASSERT_EQ(1u, f->GetPictureCount());
    EXPECT_EQ(2, f->GetSize().cx);
    EXPECT_EQ(1, f->GetSize().cy);
    ASSERT_EQ(2, level.GetBackgroundCount());
    EXPECT_EQ(CRGBA(250, 251, 252), level.GetBackground()[1]);
    EXPECT_EQ(fwtest::Hex(LevelBytes(FigureRecord() + FigureRecord(), 2)), fwtest::Hex(Write(level)));
}

TEST(LevelFile, ChromaColourBecomesTransparentOnReading)
{
    std::string fig = US(1) + US(0) + US(1) + US(0) + US(0) + US(0) + US(3) + US(3) + US(0) + US(0) + US(0) +
                      US(0) + US(0) + US(1) + US(255) + US(0) + US(255) + US(1) + UL(1) + US(1) + US(2) +
                      std::string{char(255), 0, char(255), char(255), 5, 6, 7, char(255)};
    CLevel level;
    Read(level, LevelBytes(fig, 1));
    ASSERT_EQ(1u, level.GetCount());
    const CImage* picture = level.Get(0)->GetImage();
    ASSERT_NE(nullptr, picture);
    EXPECT_EQ(0, picture->GetPixel(0, 0).a);
    EXPECT_EQ(255, picture->GetPixel(1, 0).a);
}

TEST(LevelFile, FigureOfVersionTwoWarnsAndStopsReading)
{
    fwtest::MsgRecorder rec;
    CLevel level;
    const CRGBA old[1] = {CRGBA(9, 9, 9)};
    level.SetBackground(old, 1);
    Read(level, LevelBytes(FigureRecord() + FigureRecord(2) + FigureRecord(), 3));
    ASSERT_EQ(1u, rec.Count());
    EXPECT_EQ(L"Wrong version file: *.wrd", rec.LastText());
    EXPECT_EQ(L"Fingerwaltz", rec.Boxes()[0].caption);
    EXPECT_EQ(1u, level.GetCount());
    // The background after the figures was not reached.
    ASSERT_EQ(1, level.GetBackgroundCount());
    EXPECT_EQ(CRGBA(9, 9, 9), level.GetBackground()[0]);
}

TEST(LevelFile, BackgroundOfWrongVersionKeepsOldColours)
{
    fwtest::MsgRecorder rec;
    CLevel level;
    const CRGBA old[1] = {CRGBA(9, 9, 9)};
    level.SetBackground(old, 1);
    Read(level, US(1) + US(0) + US(0) + US(3) + US(1) + US(1) + US(1) + US(1));
    ASSERT_EQ(1u, rec.Count());
    EXPECT_EQ(L"Wrong version file: *.wrd", rec.LastText());
    EXPECT_EQ(1, level.GetBackgroundCount());
}

TEST(LevelFile, MissingFileWarnsAndLeavesAnEmptyLevel)
{
    fwtest::MsgRecorder rec;
    CLevelFW level;
    const std::wstring path = fwtest::MakeTempDir(L"lvl") + L"\\nothing.wrd";
    EXPECT_EQ(0, level.Load(path.c_str()));
    ASSERT_EQ(1u, rec.Count());
    EXPECT_EQ(L"Can't open file: *.wrd", rec.LastText());
    EXPECT_EQ(L"Fingerwaltz", rec.Boxes()[0].caption);
    EXPECT_EQ(static_cast<unsigned>(MB_OK | MB_ICONEXCLAMATION), rec.Boxes()[0].type);
    EXPECT_EQ(0u, level.GetCount());
    EXPECT_EQ(nullptr, level.Get(0));
    EXPECT_EQ(0, level.GetBackgroundCount());
}

TEST(LevelFile, SaveAndLoadThroughAFile)
{
    fwtest::MsgRecorder rec;
    CLevel level;
    Read(level, LevelBytes(FigureRecord(), 1));
    const std::wstring path = fwtest::MakeTempDir(L"lvl") + L"\\saved.wrd";
    ASSERT_EQ(1, level.Save(path.c_str()));
    EXPECT_EQ(LevelBytes(FigureRecord(), 1), fwtest::ReadFileBytes(path));
    CLevel back;
    ASSERT_EQ(1, back.Load(path.c_str()));
    EXPECT_EQ(1u, back.GetCount());
    EXPECT_EQ(0u, rec.Count());
    EXPECT_EQ(0, level.Save((fwtest::MakeTempDir(L"lvl") + L"\\no\\such\\dir\\x.wrd").c_str()));
    EXPECT_EQ(L"Can't save file: *.wrd", rec.LastText());
}

TEST(LevelFile, ShippedLevelLoads)
{
    fwtest::MsgRecorder rec;
    CLevelFW level;
    ASSERT_EQ(1, level.Load((fwtest::BinDir() + L"\\Data\\0110.wrd").c_str()));
    EXPECT_EQ(0u, rec.Count());
    ASSERT_GE(level.GetCount(), 7u);
    EXPECT_EQ(8, level.GetBackgroundCount());
    int kinds[4] = {0, 0, 0, 0};
    for (size_t i = 0; i < level.GetCount(); ++i)
    {
        const CFigure* f = level.Get(i);
        EXPECT_GE(f->GetPictureCount(), 1u) << i;
        if (i >= 3 && f->GetKind() < 4)
            ++kinds[f->GetKind()];
    }
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(CFigure::KIND_STILL, level.Get(i)->GetKind());
    EXPECT_GE(kinds[1], 1);
    EXPECT_GE(kinds[2], 1);
    EXPECT_GE(kinds[3], 1);
    // Black text stays readable: every background colour is light.
    for (const CRGBA& c : level.GetBackground())
        EXPECT_GT(0.299 * c.r + 0.587 * c.g + 0.114 * c.b, 160.0);
}

TEST(LevelDamage, HugePictureClaimIsRejectedWithoutAllocating)
{
    std::string fig = US(1) + US(0) + US(1) + US(0) + US(0) + US(0) + US(3) + US(3) + US(0) + US(0) + US(0) +
                      US(0) + US(0) + US(0) + US(1) + UL(1) + US(65535) + US(65535) + "abcd";
    CLevel level;
    Read(level, LevelBytes(fig, 1));
    EXPECT_EQ(0u, level.GetCount());
}

TEST(LevelDamage, DamagedCountsAreRefused)
{
    fwtest::MsgRecorder rec;
    // 65,535 figures claimed, one present.
    CLevel a;
    Read(a, LevelBytes(FigureRecord(), 65535));
    EXPECT_LE(a.GetCount(), 1u);
    // A chroma count above 255 and a picture count the data cannot hold.
    std::string chroma = US(1) + US(0) + US(1) + US(0) + US(0) + US(0) + US(3) + US(3) + US(0) + US(0) +
                         US(0) + US(0) + US(0) + US(60000) + "xx";
    CLevel b;
    Read(b, LevelBytes(chroma, 1));
    EXPECT_EQ(0u, b.GetCount());
    std::string pictures = US(1) + US(0) + US(1) + US(0) + US(0) + US(0) + US(3) + US(3) + US(0) + US(0) +
                           US(0) + US(0) + US(0) + US(0) + US(65535) + PictureBytes(1, 1, CRGBA());
    CLevel c;
    Read(c, LevelBytes(pictures, 1));
    EXPECT_EQ(0u, c.GetCount());
    // A background count the data cannot hold leaves the colours alone.
    CLevel d;
    Read(d, US(1) + US(0) + US(0) + US(1) + US(255) + US(1));
    EXPECT_EQ(0, d.GetBackgroundCount());
}

TEST(LevelDamage, EveryCutOfTheShippedLevelReadsSafely)
{
    const std::string bytes = fwtest::ReadFileBytes(fwtest::BinDir() + L"\\Data\\0110.wrd");
    ASSERT_GT(bytes.size(), 100u);
    fwtest::MsgRecorder rec;
    size_t previous = 0;
    for (size_t cut = 0; cut < bytes.size(); cut += 1 + cut / 40)
    {
        CLevel level;
        Read(level, bytes.substr(0, cut));
        EXPECT_GE(level.GetCount(), previous) << cut;
        previous = level.GetCount();
        EXPECT_EQ(0, level.GetBackgroundCount()) << cut;
    }
}

TEST(LevelSpeed, ZeroTotalCountsAsOneAndWraps)
{
    CLevelFW level;
    level.SetTotalSpeed(0);
    EXPECT_FLOAT_EQ(1, level.GetStepTotal());
    level.AddSpeed();
    EXPECT_FLOAT_EQ(1, level.GetStepCounter());
    EXPECT_TRUE(level.IsStepping());
    level.AddSpeed();
    EXPECT_FLOAT_EQ(0, level.GetStepCounter());
    EXPECT_FALSE(level.IsStepping());
    level.SetTotalSpeedLetter(0);
    EXPECT_FLOAT_EQ(1, level.GetLetterTotal());
    level.AddSpeedLetter();
    level.AddSpeedLetter();
    EXPECT_FLOAT_EQ(2, level.GetLetterCounter());
    level.ResetSpeedLetter();
    EXPECT_FLOAT_EQ(0, level.GetLetterCounter());
}

TEST(LevelSpeed, StepGlidesOverAHundredFrames)
{
    CLevelFW level;
    level.SetTotalSpeed(4);
    EXPECT_FLOAT_EQ(1, level.StepIndicators());
    level.AddSpeed();
    EXPECT_FLOAT_EQ(1, level.GetStepCounter());
    float k = 0;
    for (int frame = 1; frame <= 99; ++frame)
    {
        k = level.StepIndicators();
        EXPECT_NEAR(1 + frame * 0.01f, k, 1e-4) << frame;
        EXPECT_TRUE(level.IsStepping()) << frame;
    }
    EXPECT_FLOAT_EQ(2, level.StepIndicators());
    EXPECT_FALSE(level.IsStepping());
    EXPECT_FLOAT_EQ(2, level.StepIndicators());
    level.ResetSpeed();
    EXPECT_FLOAT_EQ(1, level.StepIndicators());
}

class LevelDraw : public ::testing::Test
{
protected:
    LevelDraw() : win(fwtest::SharedGLWindow()) {}
    fwtest::GLTestWindow& win;
};

TEST_F(LevelDraw, TravellerGlidesFromAQuarterToAHalf)
{
    CLevelFW level;
    level.Add(MakeFigure(0, 10, 10, CRGBA(200, 0, 0)));
    level.Add(MakeFigure(0, 10, 10, CRGBA(0, 0, 200)));
    level.Add(MakeFigure(0, 10, 10, CRGBA(0, 200, 0)));
    level.Init(800, 200);
    level.SetTotalSpeed(4);
    level.SetTotalSpeedLetter(10);
    const KV::CRect view(0, 0, 800, 200);
    const CRGBA blue(0, 0, 200);

    win.Clear(255, 255, 255);
    level.Draw(win.Dc(), view, 1);
    win.Grab();
    // (cx - w0 - w1) * k / total with cx 400: 380 / 4 = 95.
    EXPECT_EQ(95, win.FirstX(blue, 105));
    EXPECT_EQ(390, win.FirstX(CRGBA(200, 0, 0), 105));

    level.AddSpeed();
    for (int frame = 1; frame <= 50; ++frame)
    {
        win.Clear(255, 255, 255);
        level.Draw(win.Dc(), view, 1);
    }
    win.Grab();
    EXPECT_NEAR(142.5, win.FirstX(blue, 105), 1.0);
    for (int frame = 51; frame <= 100; ++frame)
    {
        win.Clear(255, 255, 255);
        level.Draw(win.Dc(), view, 1);
    }
    win.Grab();
    EXPECT_EQ(190, win.FirstX(blue, 105));
    win.Clear(255, 255, 255);
    level.Draw(win.Dc(), view, 1);
    win.Grab();
    EXPECT_EQ(190, win.FirstX(blue, 105));
}

TEST_F(LevelDraw, HesitationIndicatorRisesAndPauseHidesIndicators)
{
    CLevelFW level;
    level.Add(MakeFigure(0, 10, 10, CRGBA(200, 0, 0)));
    level.Add(MakeFigure(0, 10, 10, CRGBA(0, 0, 200)));
    level.Add(MakeFigure(0, 20, 20, CRGBA(0, 200, 0)));
    level.Init(800, 200);
    level.SetTotalSpeed(4);
    level.SetTotalSpeedLetter(4);
    const KV::CRect view(0, 0, 800, 200);
    const CRGBA green(0, 200, 0);
    // x = cx - w0 / 2 = 395; y = cy * counter / total - w2.
    level.AddSpeedLetter();
    level.AddSpeedLetter();
    win.Clear(255, 255, 255);
    level.Draw(win.Dc(), view, 1);
    win.Grab();
    EXPECT_TRUE(fwtest::GLTestWindow::Same(green, win.At(400, 30 + 10)));
    EXPECT_FALSE(fwtest::GLTestWindow::Same(green, win.At(400, 30 + 22)));
    EXPECT_EQ(395, win.FirstX(green, 40));

    level.SetPause(1);
    win.Clear(255, 255, 255);
    level.Draw(win.Dc(), view, 1);
    win.Grab();
    EXPECT_EQ(0, win.Count(green, 0, 0, 800, 200));
    EXPECT_EQ(0, win.Count(CRGBA(0, 0, 200), 0, 0, 800, 200));
    // Without animation the indicators are not drawn either.
    level.SetPause(0);
    win.Clear(255, 255, 255);
    level.Draw(win.Dc(), view, 0);
    win.Grab();
    EXPECT_EQ(0, win.Count(green, 0, 0, 800, 200));
}

TEST_F(LevelDraw, BackgroundNeedsEightColours)
{
    CLevelFW level;
    CRGBA colours[8];
    for (auto& c : colours)
        c = CRGBA(40, 80, 120);
    const KV::CRect view(0, 0, 800, 200);
    level.SetBackground(colours, 7);
    win.Clear(255, 255, 255);
    level.Draw(win.Dc(), view, 1);
    win.Grab();
    EXPECT_TRUE(fwtest::GLTestWindow::Same(CRGBA(255, 255, 255), win.At(400, 100)));
    level.SetBackground(colours, 8);
    win.Clear(255, 255, 255);
    level.Draw(win.Dc(), view, 1);
    win.Grab();
    EXPECT_TRUE(fwtest::GLTestWindow::Same(CRGBA(40, 80, 120), win.At(400, 100)));
    EXPECT_TRUE(fwtest::GLTestWindow::Same(CRGBA(40, 80, 120), win.At(2, 2)));
    EXPECT_TRUE(fwtest::GLTestWindow::Same(CRGBA(40, 80, 120), win.At(797, 197)));
}

TEST_F(LevelDraw, ShippedLevelDrawsItsBackgroundAndFigures)
{
    fwtest::MsgRecorder rec;
    CLevelFW level;
    ASSERT_EQ(1, level.Load((fwtest::BinDir() + L"\\Data\\0110.wrd").c_str()));
    level.Init(800, 200);
    level.SetTotalSpeed(10);
    level.SetTotalSpeedLetter(10);
    win.Clear(0, 0, 0);
    level.Draw(win.Dc(), KV::CRect(0, 0, 800, 200), 1);
    win.Grab();
    // No black left anywhere: the background covers the whole view.
    EXPECT_EQ(0, win.Count(CRGBA(0, 0, 0), 0, 0, 800, 200, 0));
    // The chroma colour never shows.
    EXPECT_EQ(0, win.Count(CRGBA(255, 0, 255), 0, 0, 800, 200, 0));
}

TEST(FigureFrames, TwoPicturesPingPong)
{
    fwtest::GLTestWindow& win = fwtest::SharedGLWindow();
    CFigure* f = MakeFigure(0, 4, 4, CRGBA(10, 10, 10), 2);
    std::unique_ptr<CFigure> owner(f);
    f->Init(200, 100);
    f->SetLastChange(0);
    std::string seen;
    for (int i = 1; i <= 6; ++i)
    {
        seen += char('0' + f->GetFrame());
        f->Draw(win.Dc(), 200, 100, 0, 0, 0, AtMs(i * 10), 1);
    }
    EXPECT_EQ("010101", seen);
}

TEST(FigureFrames, ThreePicturesPingPong)
{
    fwtest::GLTestWindow& win = fwtest::SharedGLWindow();
    std::unique_ptr<CFigure> f(MakeFigure(0, 4, 4, CRGBA(10, 10, 10), 3));
    f->Init(200, 100);
    f->SetLastChange(0);
    std::string seen;
    for (int i = 1; i <= 8; ++i)
    {
        seen += char('0' + f->GetFrame());
        f->Draw(win.Dc(), 200, 100, 0, 0, 0, AtMs(i * 10), 1);
    }
    EXPECT_EQ("01210121", seen);
}

TEST(FigureFrames, FrameWaitsForItsPeriodAcrossTheSecond)
{
    fwtest::GLTestWindow& win = fwtest::SharedGLWindow();
    std::unique_ptr<CFigure> f(MakeFigure(0, 4, 4, CRGBA(10, 10, 10), 2));
    f->Init(200, 100);
    f->SetFramePeriod(100);
    f->SetLastChange(950);
    f->Draw(win.Dc(), 200, 100, 0, 0, 0, AtMs(1020), 1); // 70 ms later
    EXPECT_EQ(0, f->GetFrame());
    f->Draw(win.Dc(), 200, 100, 0, 0, 0, AtMs(1050), 1); // 100 ms later
    EXPECT_EQ(1, f->GetFrame());
    EXPECT_EQ(50, f->GetLastChange());
}

TEST(FigureFrames, PlacedFigureKeepsItsFirstPicture)
{
    fwtest::GLTestWindow& win = fwtest::SharedGLWindow();
    std::unique_ptr<CFigure> f(MakeFigure(2, 4, 4, CRGBA(10, 10, 10), 2));
    f->Init(200, 100);
    f->SetStart(20, 5);
    f->SetLastChange(0);
    for (int i = 1; i <= 3; ++i)
    {
        const KV::CPoint at = f->Draw(win.Dc(), 200, 100, 0, 0, 0, AtMs(i * 10), 1);
        EXPECT_EQ(20, at.x);
        EXPECT_EQ(5, at.y);
        EXPECT_EQ(0, f->GetFrame());
    }
    // Beyond the view's width it is not drawn.
    EXPECT_EQ(-32768, f->Draw(win.Dc(), 10, 100, 0, 0, 0, AtMs(50), 1).x);
}

TEST(FigureTiles, TilesAcrossTheViewAndStopsAtTheLimit)
{
    fwtest::GLTestWindow& win = fwtest::SharedGLWindow();
    std::unique_ptr<CFigure> f(MakeFigure(3, 50, 20, CRGBA(0, 150, 0)));
    f->Init(200, 100);
    win.Clear(255, 255, 255);
    f->Draw(win.Dc(), 200, 100, 0, 0, 0, AtMs(0), 1);
    win.Grab();
    EXPECT_EQ(4u, f->GetTilesDrawn());
    EXPECT_EQ(200 * 20, win.Count(CRGBA(0, 150, 0), 0, 0, 200, 100));

    f->SetTileLimit(2);
    win.Clear(255, 255, 255);
    f->Draw(win.Dc(), 200, 100, 0, 0, 0, AtMs(0), 1);
    win.Grab();
    EXPECT_EQ(2u, f->GetTilesDrawn());
    EXPECT_TRUE(fwtest::GLTestWindow::Same(CRGBA(0, 150, 0), win.At(75, 10)));
    EXPECT_TRUE(fwtest::GLTestWindow::Same(CRGBA(255, 255, 255), win.At(125, 10)));
}

TEST(FigureTiles, StepsAndHeightsAndStandstill)
{
    fwtest::GLTestWindow& win = fwtest::SharedGLWindow();
    std::unique_ptr<CFigure> f(MakeFigure(3, 10, 30, CRGBA(0, 150, 0)));
    f->SetTiling(2);
    f->Draw(win.Dc(), 200, 100, 0, 0, 0, AtMs(0), 1);
    EXPECT_EQ(4u, f->GetTilesDrawn()); // y 0, 30, 60, 90
    f->SetTiling(3);
    f->SetStep(60, 0);
    f->SetStart(10, 0);
    f->Draw(win.Dc(), 200, 100, 0, 0, 0, AtMs(0), 1);
    EXPECT_EQ(4u, f->GetTilesDrawn()); // x 10, 70, 130, 190
    f->SetStep(0, 0);
    f->Draw(win.Dc(), 200, 100, 0, 0, 0, AtMs(0), 1);
    EXPECT_EQ(1u, f->GetTilesDrawn());
    f->SetTiling(9);
    f->Draw(win.Dc(), 200, 100, 0, 0, 0, AtMs(0), 1);
    EXPECT_EQ(1u, f->GetTilesDrawn());
}

TEST(FigureDrift, BelowItsPartThresholdStaysButIsDrawn)
{
    fwtest::GLTestWindow& win = fwtest::SharedGLWindow();
    std::unique_ptr<CFigure> f(MakeFigure(1, 10, 10, CRGBA(0, 0, 180)));
    f->Init(200, 100);
    f->SetPartThreshold(50);
    f->SetPart(10);
    f->SetPos(40, 30);
    win.Clear(255, 255, 255);
    const KV::CPoint at = f->Draw(win.Dc(), 200, 100, 0, 0, 0, AtMs(0), 1);
    win.Grab();
    EXPECT_FLOAT_EQ(40, f->GetX());
    EXPECT_FLOAT_EQ(30, f->GetY());
    EXPECT_EQ(40, at.x);
    EXPECT_EQ(100, win.Count(CRGBA(0, 0, 180), 0, 0, 200, 100));
    // Not drawn at all without animation.
    EXPECT_EQ(-32768, f->Draw(win.Dc(), 200, 100, 0, 0, 0, AtMs(0), 0).x);
    // From the threshold on it moves: 0.1 of its speed per frame.
    f->SetPart(50);
    f->SetDirection(1);
    f->SetSpeed(10, 5);
    f->Draw(win.Dc(), 200, 100, 0, 0, 0, AtMs(0), 1);
    EXPECT_FLOAT_EQ(39, f->GetX());
    EXPECT_FLOAT_EQ(30.5f, f->GetY());
}

TEST(FigureDrift, LeavesAndReentersAtTheOtherEdgeAndBounces)
{
    fwtest::GLTestWindow& win = fwtest::SharedGLWindow();
    std::unique_ptr<CFigure> f(MakeFigure(1, 10, 10, CRGBA(0, 0, 180)));
    f->Init(200, 100);
    f->SetPart(100);
    f->SetPos(-131, 50);
    f->Draw(win.Dc(), 200, 100, 0, 0, 0, AtMs(0), 1);
    EXPECT_NEAR(330, f->GetX(), 0.1);
    f->SetPos(331, 50);
    f->Draw(win.Dc(), 200, 100, 0, 0, 0, AtMs(0), 1);
    EXPECT_NEAR(-130, f->GetX(), 0.1);
    f->SetPos(0, 2);
    f->SetSpeed(1, -4);
    f->Draw(win.Dc(), 200, 100, 0, 0, 0, AtMs(0), 1);
    EXPECT_GT(f->GetSpeedY(), 0);
    f->SetPos(0, 495);
    f->Draw(win.Dc(), 200, 100, 0, 0, 0, AtMs(0), 1);
    EXPECT_LT(f->GetSpeedY(), 0);
}

TEST(FigureRefresh, StartsOffTheViewInsideItsBounds)
{
    std::srand(7);
    for (int i = 0; i < 20; ++i)
    {
        CFigure f;
        f.Refresh();
        EXPECT_FLOAT_EQ(495, f.GetTop());
        EXPECT_FLOAT_EQ(5, f.GetBottom());
        EXPECT_LE(f.GetDirection(), 1);
        if (f.GetDirection() == 1)
        {
            EXPECT_LE(f.GetX(), -2505);
        }
        else
        {
            EXPECT_GE(f.GetX(), 3000);
        }
        EXPECT_GE(f.GetY(), 0);
        EXPECT_LE(f.GetY(), 194);
    }
}

TEST(FigureName, NameIsTheIdInDecimal)
{
    CFigure f;
    f.SetName(L"42");
    EXPECT_EQ(42, f.GetID());
    wchar_t buffer[8];
    f.GetName(buffer);
    EXPECT_STREQ(L"42", buffer);
    CLevel level;
    level.New();
    EXPECT_TRUE(level.Rename(0, L"9"));
    EXPECT_EQ(9, level.Get(0)->GetID());
    EXPECT_STREQ(L"", level.GetName());
}

TEST(LevelPart, DecorationFollowsThePartIndicatorsDoNot)
{
    CLevel level;
    for (int i = 0; i < 5; ++i)
        level.New();
    level.SetPart(40);
    EXPECT_EQ(40, level.GetPart());
    EXPECT_EQ(0, level.Get(2)->GetPart());
    EXPECT_EQ(40, level.Get(3)->GetPart());
    EXPECT_EQ(40, level.Get(4)->GetPart());
}
