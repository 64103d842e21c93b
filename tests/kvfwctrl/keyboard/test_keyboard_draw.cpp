#include "common/fwtest.h"
#include "../keyboard_test_util.h"
#include "kvfwctrl/keyboard/Keyboard.h"
#include "kvtesting/KeyboardLayerTable.h"

#include <GL/gl.h>
#include <gtest/gtest.h>
#include <cmath>
#include <cstdlib>
#include <vector>

namespace {

const KV::CRGBA kBackground(0, 0, 90);
const KV::CRGBA kHighlight(250, 250, 0);
const KV::CRGBA kLetter(0, 255, 255);
const KV::CRGBA kActiveLetter(255, 0, 255);

KV::CRGBA FingerColour(int f)
{
    return KV::CRGBA(static_cast<unsigned char>(30 + 30 * f), 100, static_cast<unsigned char>(200 - 30 * f));
}

// Face and shade alike, so that the smooth 3D top is one exact colour.
KV::CListRGBA TestScheme()
{
    KV::CListRGBA s;
    for (int i = 0; i < 12; ++i)
        s.push_back(FingerColour(i % 6));
    s.push_back(kHighlight);
    s.push_back(kHighlight);
    s.push_back(kBackground);
    s.push_back(kLetter);
    s.push_back(kActiveLetter);
    return s;
}

// One keyboard window for every drawing test: a context costs seconds under Wine.
class Harness
{
public:
    static Harness& Get()
    {
        static Harness* h = new Harness();
        return *h;
    }

    void Resize(int w, int h)
    {
        // The window stays 600 x 300 (a GL drawable does not follow a resize at once under
        // Wine); a smaller client area is the viewport in its lower-left corner.
        kb.OnSize(0, w, h);
        m_w = w;
        m_h = h;
    }

    // Draws one frame into the back buffer and reads it.
    bool Frame()
    {
        kb.GetGLC().MakeCurrentDC();
        // Only the view: the context keeps the keys' picture beside it.
        glClearColor(1.0f, 0.0f, 1.0f, 0.0f);
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, 0, m_w, m_h);
        glClear(GL_COLOR_BUFFER_BIT);
        glDisable(GL_SCISSOR_TEST);
        const bool drawn = kb.Render(m_w, m_h);
        Grab(GL_BACK);
        return drawn;
    }

    void Grab(GLenum buffer)
    {
        glFinish();
        m_px.assign(static_cast<size_t>(m_w) * m_h * 4, 0);
        glReadBuffer(buffer);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, m_w, m_h, GL_RGBA, GL_UNSIGNED_BYTE, m_px.data());
    }

    const std::vector<unsigned char>& Pixels() const { return m_px; }

    // The keys labelled as on a United States layout, the hands shown.
    void ShowUsTextsAndHands()
    {
        KV::CTableKeyboardLayer us(L"00000409");
        KV::CKeyboardLayer* previous = KV::SetKeyboardLayer(&us);
        kb.ShowKeyText(1);
        kb.RefreshTextKey();
        KV::SetKeyboardLayer(previous);
        kb.SetShowHands(1);
    }

    KV::CRGBA At(int x, int y) const
    {
        if (x < 0 || y < 0 || x >= m_w || y >= m_h)
            return KV::CRGBA(1, 2, 3);
        const unsigned char* p = &m_px[(static_cast<size_t>(y) * m_w + x) * 4];
        return KV::CRGBA(p[0], p[1], p[2]);
    }

    // Pixel at a point given in keyboard units.
    KV::CRGBA AtUnits(float x, float y) const
    {
        float tx, ty, s;
        kb.GetViewTransform(m_w, m_h, tx, ty, s);
        return At(static_cast<int>(std::floor(tx + s * x)), static_cast<int>(std::floor(ty + s * y)));
    }

    int Count(const KV::CRGBA& c, const KV::CKey* key) const
    {
        float tx, ty, s;
        kb.GetViewTransform(m_w, m_h, tx, ty, s);
        int n = 0;
        for (int y = static_cast<int>(ty + s * key->GetOriginY());
             y <= static_cast<int>(ty + s * key->GetFarY()); ++y)
            for (int x = static_cast<int>(tx + s * key->GetOriginX());
                 x <= static_cast<int>(tx + s * key->GetFarX()); ++x)
                n += Near(At(x, y), c) ? 1 : 0;
        return n;
    }

    static bool Near(const KV::CRGBA& a, const KV::CRGBA& b)
    {
        return std::abs(a.r - b.r) <= 3 && std::abs(a.g - b.g) <= 3 && std::abs(a.b - b.b) <= 3;
    }

    // A clean state for each test: the small keyboard, no texts, no hands, no highlight.
    void Reset()
    {
        kbtest::Fill(kb);
        kb.ShowKeyText(0);
        kb.SetShowHands(0);
        kb.SetTypeView(0);
        kb.SetContrast(0);
        kb.SetColourShema(TestScheme());
        Resize(600, 80);
    }

    KV::CKeyboard kb;

private:
    Harness()
    {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = ::DefWindowProcW;
        wc.hInstance = ::GetModuleHandleW(nullptr);
        wc.lpszClassName = L"FwKeyboardTestParent";
        ::RegisterClassW(&wc);
        m_parent = ::CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0,
                                     600, 300, nullptr, nullptr, wc.hInstance, nullptr);
        RECT rc = {0, 0, 600, 300};
        kb.Create(wc.hInstance, m_parent, WS_VISIBLE, rc, 304);
        kb.SetLOGFONT(nullptr);
        kb.ShowKeyText(0);
        kb.CreateGL();
        m_w = 600;
        m_h = 80;
    }

    HWND m_parent;
    int m_w, m_h;
    std::vector<unsigned char> m_px;
};

class KeyboardDraw : public ::testing::Test
{
protected:
    KeyboardDraw() : h(Harness::Get()), kb(h.kb) { h.Reset(); }
    Harness& h;
    KV::CKeyboard& kb;
    KV::CKey* Key(int i) { return kb.GetKey(i); }
};

} // namespace

TEST_F(KeyboardDraw, PlainKeysShowTheirFingerColourOnTheBackground)
{
    ASSERT_TRUE(h.Frame());
    EXPECT_EQ(h.AtUnits(Key(kbtest::kK)->GetCenterX(), Key(kbtest::kK)->GetCenterY()), FingerColour(2));
    EXPECT_EQ(h.AtUnits(Key(kbtest::kA)->GetCenterX(), Key(kbtest::kA)->GetCenterY()), FingerColour(0));
    EXPECT_EQ(h.AtUnits(Key(kbtest::kSpace)->GetCenterX(), Key(kbtest::kSpace)->GetCenterY()),
              FingerColour(5));
    EXPECT_EQ(h.At(3, 3), kBackground);
    EXPECT_EQ(h.At(597, 40), kBackground);
}

TEST_F(KeyboardDraw, HighlightedKeyShowsTheHighlightColours)
{
    Key(kbtest::kG)->SetActiveShift(1);
    ASSERT_TRUE(h.Frame());
    EXPECT_EQ(h.AtUnits(Key(kbtest::kG)->GetCenterX(), Key(kbtest::kG)->GetCenterY()), kHighlight);
    // The body around the top keeps the finger colour.
    EXPECT_EQ(h.AtUnits(Key(kbtest::kG)->GetOriginX() + 1.5f, Key(kbtest::kG)->GetCenterY()),
              FingerColour(4));
    EXPECT_EQ(h.AtUnits(Key(kbtest::kF)->GetCenterX(), Key(kbtest::kF)->GetCenterY()), FingerColour(3));
}

TEST_F(KeyboardDraw, FlatStyleFillsWithTheShadeAndOutlinesInBlack)
{
    KV::CListRGBA scheme = TestScheme();
    scheme[6 + 2] = KV::CRGBA(10, 200, 30); // shade of the middle finger
    scheme[13] = KV::CRGBA(200, 10, 10);
    kb.SetColourShema(scheme);
    kb.SetTypeView(1);
    Key(kbtest::kA)->SetActiveShift(1);
    ASSERT_TRUE(h.Frame());
    const KV::CKey* k = Key(kbtest::kK);
    EXPECT_EQ(h.AtUnits(k->GetCenterX(), k->GetCenterY()), KV::CRGBA(10, 200, 30));
    EXPECT_EQ(h.AtUnits(Key(kbtest::kA)->GetCenterX(), Key(kbtest::kA)->GetCenterY()),
              KV::CRGBA(200, 10, 10));
    EXPECT_GT(h.Count(KV::CRGBA(0, 0, 0), k), 20); // the outline
}

TEST_F(KeyboardDraw, ContrastBrightensTheKeys)
{
    kb.SetContrast(1);
    ASSERT_TRUE(h.Frame());
    const KV::CRGBA c = FingerColour(2);
    EXPECT_EQ(h.AtUnits(Key(kbtest::kK)->GetCenterX(), Key(kbtest::kK)->GetCenterY()),
              KV::CRGBA(static_cast<unsigned char>(c.r + 50), static_cast<unsigned char>(c.g + 50),
                        static_cast<unsigned char>(c.b + 50 > 255 ? 255 : c.b + 50)));
}

TEST_F(KeyboardDraw, KeyboardWithoutRowEndDrawsNothing)
{
    kb.Clear();
    kb.AddKey(L"30", L"15", L"15", 0, 0, 2);
    kb.RefreshSizeKey();
    EXPECT_FALSE(h.Frame());
    EXPECT_EQ(h.At(10, 10), KV::CRGBA(255, 0, 255)); // not even cleared
    kb.Draw(nullptr);                                // no clear, no swap, no crash
}

TEST_F(KeyboardDraw, HandsLightTheIndexForFingerFour)
{
    h.ShowUsTextsAndHands();
    kb.SetActiveKey(L"g", 0); // left index, second colour
    ASSERT_TRUE(h.Frame());
    KV::tagHandDraw hd;
    ASSERT_TRUE(kb.GetHandDraw(hd));
    ASSERT_EQ(hd.lFinger, 4u);
    const KV::CHands& hands = *kb.GetpHands();
    auto mid = [&](int right, int a, int b) {
        const KV::tagPosf p = hands.GetPointPos(hd, right, a);
        const KV::tagPosf q = hands.GetPointPos(hd, right, b);
        return h.AtUnits((p.x + q.x) / 2, (p.y + q.y) / 2);
    };
    EXPECT_EQ(mid(0, 21, 22), KV::CRGBA(255, 0, 0));     // left index: lit
    EXPECT_EQ(mid(0, 0, 1), KV::CRGBA(255, 255, 255));   // left little: passive
    EXPECT_EQ(mid(1, 21, 22), KV::CRGBA(255, 255, 255)); // right hand at home, inactive
    // The lit key's capital is drawn in the highlighted letter colour, in front of the key.
    EXPECT_GT(h.Count(kActiveLetter, Key(kbtest::kG)), 10);
    EXPECT_GT(h.Count(kLetter, Key(kbtest::kK)), 10);
}

TEST_F(KeyboardDraw, TallWindowKeepsTheKeyboardInside)
{
    h.Resize(300, 300);
    ASSERT_TRUE(h.Frame());
    float tx, ty, s;
    kb.GetViewTransform(300, 300, tx, ty, s);
    EXPECT_FLOAT_EQ(s, 300 * 0.0017f);
    for (unsigned long i = 0; i < kb.GetCount(); ++i)
    {
        const KV::CKey* k = kb.GetKey(i);
        if (!k->IsDrawn())
            continue;
        EXPECT_GE(tx + s * k->GetOriginX(), 0.0f);
        EXPECT_LE(tx + s * k->GetFarX(), 300.0f);
        EXPECT_GE(ty + s * k->GetOriginY(), 0.0f);
        EXPECT_LE(ty + s * k->GetFarY(), 300.0f);
    }
    EXPECT_EQ(h.AtUnits(Key(kbtest::kK)->GetCenterX(), Key(kbtest::kK)->GetCenterY()), FingerColour(2));
}

TEST_F(KeyboardDraw, DrawLeavesTheGLStateBalanced)
{
    kb.SetShowHands(1);
    Key(kbtest::kK)->SetActiveShift(1);
    kb.Draw(nullptr);
    GLint depth = 0;
    glGetIntegerv(GL_MODELVIEW_STACK_DEPTH, &depth);
    EXPECT_EQ(depth, 1);
    GLfloat width = 0;
    glGetFloatv(GL_LINE_WIDTH, &width);
    EXPECT_EQ(width, 1.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// The scheme bitmap is not the keyboard's look: a keyboard made in code keeps its size.
TEST_F(KeyboardDraw, LoadingTheSchemeKeepsTheCreatedSize)
{
    const std::wstring path = fwtest::BinDir() + L"\\Data\\KeyboardScheme.bmp";
    ASSERT_EQ(kb.LoadBitmapW(path.c_str(), 1, 1), 1);
    RECT rc = {};
    ::GetClientRect(kb.GetHwnd(), &rc);
    EXPECT_EQ(rc.right, 600);
    EXPECT_EQ(rc.bottom, 300);
}

TEST_F(KeyboardDraw, SchemeRowComesFromTheBitmap)
{
    const std::wstring path = fwtest::BinDir() + L"\\Data\\KeyboardScheme.bmp";
    kb.SetNumColourShema(1);
    ASSERT_EQ(kb.LoadBitmapW(path.c_str(), 1, 1), 1);
    EXPECT_GE(kb.GetCountColourShema(), 4u);
    EXPECT_GE(kb.GetColourShema().size(), 17u);
    ASSERT_TRUE(h.Frame());
    EXPECT_EQ(h.At(3, 3), kb.GetSchemeColour(14));
    fwtest::MsgRecorder rec;
    kb.SetNumColourShema(99);
    EXPECT_EQ(kb.FillColourShema(), 0);
    EXPECT_EQ(rec.LastText(), L"Picture wrong size");
    // A missing row leaves built-in colours, never an unreadable keyboard.
    EXPECT_NE(kb.GetSchemeColour(14), kb.GetSchemeColour(15));
}

// Typing lights one key after another: each frame redraws only what changed where the last
// frame is kept, and must look exactly like a whole frame drawn from scratch.
TEST_F(KeyboardDraw, FramesOfChangedPartsMatchWholeFrames)
{
    h.ShowUsTextsAndHands();
    kb.Draw(nullptr); // a whole frame to start from
    // Most frames move a hand; from j to f both hands stay home and only their index fingers
    // and the two keys change.
    const struct
    {
        const wchar_t* ch;
        unsigned char shift;
        long maxArea;
    } steps[] = {{L"g", 0, 600 * 80},  {L"K", 1, 600 * 80}, {L"k", 0, 600 * 80}, {L" ", 0, 600 * 80},
                 {L"A", 1, 600 * 80}, {L"1", 0, 600 * 80}, {L"j", 0, 600 * 80}, {L"f", 0, 600 * 20}};
    for (const auto& step : steps)
    {
        SCOPED_TRACE(static_cast<char>(step.ch[0]));
        kb.SetActiveKey(step.ch, step.shift);
        std::vector<RECT> parts;
        kb.GetChangedParts(parts);
        ASSERT_FALSE(parts.empty());
        if (kb.GetGLC().KeepsFrame())
        {
            long area = 0;
            for (const RECT& r : parts)
                area += (r.right - r.left) * (r.bottom - r.top);
            EXPECT_LT(area, step.maxArea);
            // The parts never overlap (each one's picture is copied before any is drawn on).
            for (size_t i = 0; i < parts.size(); ++i)
                for (size_t j = i + 1; j < parts.size(); ++j)
                {
                    RECT both;
                    EXPECT_FALSE(::IntersectRect(&both, &parts[i], &parts[j]));
                }
        }
        kb.Draw(nullptr);
        h.Grab(GL_BACK);
        const std::vector<unsigned char> partial = h.Pixels();
        ASSERT_TRUE(h.Frame());
        EXPECT_TRUE(partial == h.Pixels());
        // Nothing changed since: nothing to draw.
        kb.GetChangedParts(parts);
        EXPECT_TRUE(parts.empty());
    }
}

TEST_F(KeyboardDraw, KeysWithoutACharacterShowTheirName)
{
    ASSERT_TRUE(h.Frame());
    EXPECT_STREQ(L"Shift", Key(kbtest::kLShift)->GetName());
    EXPECT_STREQ(L"Shift", Key(kbtest::kRShift)->GetName());
    EXPECT_STREQ(L"", Key(kbtest::kSpace)->GetName());
    EXPECT_STREQ(L"", Key(kbtest::kA)->GetName());
    EXPECT_GT(h.Count(kLetter, Key(kbtest::kLShift)), 10);
    EXPECT_EQ(0, h.Count(kLetter, Key(kbtest::kSpace)));
}
