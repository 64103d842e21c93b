#include "kvfwctrl/keyboard/Keyboard.h"

#include "kvstruct/image/Bitmap.h"
#include "kvstruct/input/KeyboardLayer.h"
#include "kvstruct/files/SafeFile.h"
#include "kvstruct/core/Serialize.h"

#include <GL/gl.h>
#include <algorithm>
#include <cmath>
#include <cstring>
#include <cwchar>
#include <fstream>
#include <locale>

namespace KV {

namespace {

// Used for scheme entries the loaded scheme lacks, so that a missing or short bitmap still
// gives a readable keyboard.
const CRGBA kDefaultScheme[CKeyboard::kSchemeSize] = {
    CRGBA(236, 112, 99), CRGBA(245, 176, 65), CRGBA(244, 208, 63),  CRGBA(88, 214, 141),  CRGBA(72, 201, 176),
    CRGBA(93, 173, 226), CRGBA(146, 43, 33),  CRGBA(156, 100, 12),  CRGBA(154, 125, 10),  CRGBA(25, 111, 61),
    CRGBA(17, 120, 100), CRGBA(26, 82, 118),  CRGBA(255, 255, 255), CRGBA(120, 120, 120), CRGBA(40, 40, 48),
    CRGBA(0, 0, 0),      CRGBA(200, 0, 0)};

const UINT kMapScanToVk = 1; // MAPVK_VSC_TO_VK

} // namespace

CKeyboard::CKeyboard()
    : m_pLeftShift(nullptr), m_pRightShift(nullptr), m_pCurrentKey(nullptr), m_pLeftHome(nullptr),
      m_pRightHome(nullptr), m_nScheme(0), m_nShowKeyText(1), m_pHands(nullptr), m_nShowHands(1),
      m_nCodePage(1252), m_nListBase(1), m_nClientWidth(0), m_nClientHeight(0), m_nTypeView(0),
      m_nContrast(0), m_bFrameKept(false)
{}

CKeyboard::~CKeyboard()
{
    delete m_pHands;
    m_pHands = nullptr;
}

// --- window ---

HWND CKeyboard::Create(HINSTANCE instance, HWND parent, DWORD style, const RECT& rect, UINT id)
{
    HWND hwnd = CWnd::Create(0, L"STATIC", L"", style | WS_CHILD, rect.left, rect.top, rect.right - rect.left,
                             rect.bottom - rect.top, parent,
                             reinterpret_cast<HMENU>(static_cast<ULONG_PTR>(id)), instance);
    if (!m_pHands)
        m_pHands = new CHands();
    SetContrast(m_nContrast);
    return hwnd;
}

void CKeyboard::CreateGL()
{
    m_GL.Create(m_hWnd);
    InitGL();
    m_nListBase = m_GL.GetFontBase();
    RefreshTextKey();
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CKeyboard::InitGL()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClearDepth(1.0);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    glShadeModel(GL_SMOOTH);
}

LRESULT CKeyboard::OnDestroy()
{
    // The keys' picture goes with the context.
    m_bFrameKept = false;
    m_GL.Destroy(m_hWnd);
    return CSkin::OnDestroy();
}

LRESULT CKeyboard::OnSize(UINT type, int width, int height)
{
    CSkin::OnSize(type, width, height);
    m_nClientWidth = width;
    m_nClientHeight = height;
    if (m_GL.IsCreated())
    {
        m_GL.MakeCurrentDC();
        m_GL.Ortho(0, width, 0, height, -60, 60);
        m_nListBase = m_GL.GetFontBase();
    }
    RefreshSizeKey();
    return 0;
}

LRESULT CKeyboard::OnTimer(UINT_PTR)
{
    Invalidate(FALSE);
    return 0;
}

void CKeyboard::StartMove(UINT_PTR id, UINT period)
{
    if (m_hWnd)
        ::SetTimer(m_hWnd, id, period, nullptr);
}

void CKeyboard::StopMove(UINT_PTR id)
{
    if (m_hWnd)
        ::KillTimer(m_hWnd, id);
}

void CKeyboard::Repaint()
{
    if (!m_hWnd)
        return;
    if (!m_GL.KeepsFrame() || !m_bFrameKept)
    {
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
        return;
    }
    GetChangedParts(m_Parts);
    for (const RECT& part : m_Parts)
        ::InvalidateRect(m_hWnd, &part, FALSE);
}

void CKeyboard::SetLOGFONT(const LOGFONTW* font)
{
    LOGFONTW lf = {};
    lf.lfHeight = -18;
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = DEFAULT_CHARSET;
    lf.lfOutPrecision = OUT_DEFAULT_PRECIS;
    lf.lfClipPrecision = CLIP_DEFAULT_PRECIS;
    lf.lfQuality = DEFAULT_QUALITY;
    lf.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
    if (font)
    {
        wcsncpy(lf.lfFaceName, font->lfFaceName, LF_FACESIZE - 1);
        lf.lfCharSet = font->lfCharSet;
    }
    else
    {
        wcscpy(lf.lfFaceName, L"Arial");
    }
    m_GL.SetLOGFONT(&lf);
}

void CKeyboard::SetCP(unsigned int codePage)
{
    m_nCodePage = codePage;
    // The glyph lists stand for the bytes of the same code page as the drawn texts.
    m_GL.SetCodePage(codePage);
}

// --- files ---

int CKeyboard::Load(const wchar_t* path)
{
    if (!path)
        return 0;
    std::ifstream in;
    in.imbue(std::locale::classic());
    in.open(path, std::ios::in | std::ios::binary);
    if (!in.is_open())
        return 0;
    Serialize(in);
    RefreshTextKey();
    return 1;
}

int CKeyboard::Save(const wchar_t* path)
{
    if (!path)
        return 0;
    CSafeOutFile file;
    if (!file.Open(path))
        return 0;
    file.Stream().imbue(std::locale::classic());
    Serialize(file.Stream());
    return file.Commit() ? 1 : 0;
}

void CKeyboard::Serialize(std::ostream& out)
{
    SerializeUS(out, 1);
    m_Keys.Serialize(out);
}

void CKeyboard::Serialize(std::istream& in)
{
    const unsigned short version = SerializeUS(in);
    if (version != 0)
    {
        m_pCurrentKey = nullptr;
        m_Keys.Serialize(in);
        AssignRoles();
        m_pCurrentKey = nullptr;
    }
    for (CKey* key : m_Keys)
    {
        key->SetpParent(this);
        key->SetTypeView(m_nTypeView);
        key->SetContrast(m_nContrast);
    }
}

void CKeyboard::AssignRoles()
{
    m_pLeftShift = m_pRightShift = m_pLeftHome = m_pRightHome = nullptr;
    for (CKey* key : m_Keys)
    {
        if (key->GetShift() == CKey::kShiftLeftKey)
            m_pLeftShift = key;
        if (key->GetShift() == CKey::kShiftRightKey)
            m_pRightShift = key;
        if (key->GetCode() == kLeftHome)
            m_pLeftHome = key;
        if (key->GetCode() == kRightHome)
            m_pRightHome = key;
    }
}

CKey* CKeyboard::DeleteKey(unsigned long index)
{
    // The key is handed over to the caller like any item the key list gives up.
    CKey* gone = m_Keys.Get(index);
    if (!gone)
        return nullptr;
    CKey* next = m_Keys.Delete(index);
    if (m_pCurrentKey == gone)
        m_pCurrentKey = nullptr;
    gone->SetpParent(nullptr);
    AssignRoles();
    return next;
}

void CKeyboard::Clear()
{
    m_Keys.Clear();
    m_pCurrentKey = nullptr;
    AssignRoles();
}

CKey* CKeyboard::AddKey(const wchar_t* code, const wchar_t* width, const wchar_t* height, unsigned long type,
                        unsigned long finger, unsigned long shift)
{
    CKey* key = m_Keys.New();
    key->SetpParent(this);
    key->SetDate(code, width, height, type, shift, finger);
    key->SetTypeView(m_nTypeView);
    key->SetContrast(m_nContrast);
    AssignRoles();
    return key;
}

// --- texts and highlights ---

void CKeyboard::RefreshTextKey()
{
    if (!m_nShowKeyText)
        return;
    CKeyboardLayer* layer = GetKeyboardLayer();
    HKL layout = layer->GetActiveLayout();
    BYTE state[256] = {};
    layer->GetKeyboardState(state);
    state[VK_CAPITAL] = 0;
    // Only the Shift and Control entries below decide; held side keys must not interfere.
    state[VK_LSHIFT] = state[VK_RSHIFT] = state[VK_LCONTROL] = state[VK_RCONTROL] = 0;

    auto translate = [&](UINT vk, UINT scan, wchar_t* out) {
        wchar_t buffer[8] = {};
        int n = layer->ToUnicode(vk, scan, state, buffer, 8, 0, layout);
        out[0] = out[1] = 0;
        if (n != 0 && buffer[0] >= 0x20)
            out[0] = buffer[0];
        if (n < 0)
        {
            // A dead key stays pending in the layout: a space takes it away again.
            BYTE plain[256] = {};
            wchar_t flush[8] = {};
            layer->ToUnicode(VK_SPACE, 0x39, plain, flush, 8, 0, layout);
        }
    };

    for (CKey* key : m_Keys)
    {
        wchar_t text1[2] = {}, text2[2] = {};
        if (key->GetCode() != 0x1C)
        {
            const UINT vk = layer->MapVirtualKey(key->GetCode(), kMapScanToVk, layout);
            if (vk)
            {
                state[VK_SHIFT] = 0x01;
                state[VK_CONTROL] = 0;
                translate(vk, key->GetCode(), text1);
                state[VK_SHIFT] = 0x80;
                state[VK_CONTROL] = 0x01;
                translate(vk, key->GetCode(), text2);
            }
        }
        key->SetText(text1, text2, m_nCodePage);
    }
    Repaint();
}

void CKeyboard::SetActiveKey(const wchar_t* text, unsigned char shiftByte)
{
    if (!text || !text[0] || !m_pLeftShift || !m_pRightShift)
        return;
    // The same key lit again (a run of one letter) needs no new frame.
    m_ActiveBefore.clear();
    for (const CKey* key : m_Keys)
        m_ActiveBefore.push_back(key->GetActive());
    m_pLeftShift->ResetActive();
    m_pRightShift->ResetActive();
    CKey* matched = nullptr;
    for (CKey* key : m_Keys)
    {
        if (key->SetActiveOnlyOne(text))
            matched = key;
    }
    if (matched)
    {
        m_pCurrentKey = matched;
        if (shiftByte)
        {
            if (matched->GetShift() == CKey::kShiftLeftGoes)
                m_pLeftShift->SetActiveShift(1);
            else if (matched->GetShift() == CKey::kShiftRightGoes)
                m_pRightShift->SetActiveShift(1);
        }
    }
    size_t i = 0;
    for (const CKey* key : m_Keys)
        if (key->GetActive() != m_ActiveBefore[i++])
        {
            Repaint();
            return;
        }
}

void CKeyboard::SetActiveKeys(const wchar_t* text)
{
    if (!m_pLeftShift || !m_pRightShift)
        return;
    ResetActiveKeys();
    if (!text || !text[0])
        return;
    for (const wchar_t* p = text; *p; ++p)
    {
        const wchar_t one[2] = {*p, 0};
        for (CKey* key : m_Keys)
        {
            const unsigned long role = key->SetActive(one);
            if (role == CKey::kShiftLeftGoes)
                m_pLeftShift->SetActiveShift(1);
            else if (role == CKey::kShiftRightGoes)
                m_pRightShift->SetActiveShift(1);
        }
    }
    Repaint();
}

void CKeyboard::ResetActiveKeys()
{
    if (!m_pLeftShift || !m_pRightShift)
        return;
    m_pLeftShift->ResetActive();
    m_pRightShift->ResetActive();
    for (CKey* key : m_Keys)
        key->ResetActive();
    m_pCurrentKey = nullptr;
    Repaint();
}

unsigned long CKeyboard::GetCurrentShiftState() const
{
    return m_pCurrentKey ? m_pCurrentKey->GetShift() : 0;
}

COLORREF CKeyboard::GetCurrentKeyColor() const
{
    if (!m_pCurrentKey)
        return 255;
    return GetSchemeColour(m_pCurrentKey->GetNumFinger()).GetCOLORREF();
}

// --- colour scheme ---

int CKeyboard::LoadBitmapW(const wchar_t* file, int pictures, int reload)
{
    // The bitmap holds colour schemes, not the keyboard's look: a keyboard that was never
    // given a placement keeps the size it was created with.
    if (!LoadPictures(file, pictures, reload, HasPlacement()))
        return 0;
    if (!m_hWnd && (!m_dib.IsLoad() || reload))
    {
        // Without a window the element itself loads nothing; the scheme is still wanted.
        CDib dib;
        if (!file || !dib.Load(file) || !dib.IsLoad())
            return 0;
        m_dib = dib;
    }
    return FillColourShema();
}

int CKeyboard::FillColourShema()
{
    m_Scheme.clear();
    const int ok = ImportDibToRGBA(m_dib, m_Scheme, m_nScheme, kAllDib);
    Repaint();
    return ok;
}

unsigned long CKeyboard::GetCountColourShema() const
{
    return m_dib.IsLoad() ? static_cast<unsigned long>(m_dib.GetHeight()) : 0;
}

CRGBA CKeyboard::GetSchemeColour(unsigned long index) const
{
    if (index < m_Scheme.size())
        return m_Scheme[index];
    if (index < static_cast<unsigned long>(kSchemeSize))
        return kDefaultScheme[index];
    return CRGBA(0, 0, 0);
}

void CKeyboard::SetContrast(int on)
{
    m_nContrast = on ? 1 : 0;
    for (CKey* key : m_Keys)
        key->SetContrast(m_nContrast);
    if (m_pHands)
    {
        if (m_nContrast)
        {
            m_pHands->SetLineWidth(4.0f);
            m_pHands->SetPassiveColor(0, 0, 0);
        }
        else
        {
            m_pHands->SetLineWidth(3.0f);
            m_pHands->SetPassiveColor(255, 255, 255);
        }
    }
    Repaint();
}

void CKeyboard::SetTypeView(unsigned short view)
{
    m_nTypeView = view;
    for (CKey* key : m_Keys)
        key->SetTypeView(view);
    Repaint();
}

// --- layout and drawing ---

void CKeyboard::RefreshSizeKey()
{
    RefreshSizeKey(m_nClientHeight);
}

void CKeyboard::RefreshSizeKey(int clientHeight)
{
    m_nClientHeight = clientHeight;
    CKey* first = m_Keys.Get(0);
    if (!first)
        return;
    tagKeyDraw cursor;
    cursor.x = 0.0f;
    cursor.y = static_cast<float>(clientHeight) - 2.0f * first->GetHight();
    for (CKey* key : m_Keys)
        key->Calculate(cursor);
}

float CKeyboard::GetLength() const
{
    float length = 0.0f;
    for (CKey* key : m_Keys)
    {
        length += 2.0f * key->GetLength();
        if (key->GetType() == CKey::kTypeRowEnd)
            return length;
    }
    return 0.0f;
}

float CKeyboard::GetHight() const
{
    float height = 0.0f;
    for (CKey* key : m_Keys)
    {
        if (key->GetType() == CKey::kTypeRowEnd)
            height += 2.0f * key->GetHight();
    }
    return height;
}

void CKeyboard::GetViewTransform(int width, int height, float& tx, float& ty, float& s) const
{
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    const float len = GetLength();
    const float hk = GetHight() + 8.0f;
    tx = ty = 0.0f;
    s = 1.0f;
    if (w * hk * 0.002f < h)
    {
        // Room to grow: scaled with the width and centred on the keyboard's own middle, so
        // that it stays inside the window whatever its size (the keys hang from the top).
        // Raised by what room there is above, up to half the palms' room below the keys (for
        // hands whose thumbs are on the space bar).
        const float palms = 40.0f;
        s = w * 0.0017f;
        tx = w / 2.0f - s * len / 2.0f;
        ty = h / 2.0f - s * (h - hk / 2.0f) + std::min(s * palms / 2.0f, h / 2.0f - s * hk / 2.0f);
    }
    else if (w * len * 0.0017f < w)
    {
        tx = (w - len) / 2.0f;
        s = 0.0017f * 590.0f;
    }
}

bool CKeyboard::tagOverlay::operator==(const tagOverlay& o) const
{
    return EqualRect(&box, &o.box) && std::equal(look, look + 5, o.look);
}

namespace {

unsigned long FloatBits(float f)
{
    unsigned long u;
    static_assert(sizeof(u) == sizeof(f), "32-bit float");
    memcpy(&u, &f, sizeof(u));
    return u;
}

// Client rectangle (y down) of a drawing-space box, widened by pad pixels.
RECT ClientBox(const float box[4], int height, float tx, float ty, float s, int pad)
{
    RECT r;
    r.left = static_cast<LONG>(std::floor(tx + s * box[0])) - pad;
    r.right = static_cast<LONG>(std::ceil(tx + s * box[2])) + pad;
    r.top = height - static_cast<LONG>(std::ceil(ty + s * box[3])) - pad;
    r.bottom = height - static_cast<LONG>(std::floor(ty + s * box[1])) + pad;
    return r;
}

long Area(const RECT& r)
{
    return (r.right - r.left) * (r.bottom - r.top);
}

// Joins rectangles that overlap, and those whose bounding box costs no more to draw, read
// back and copy than the two apart (each part has a fixed cost of about this many pixels),
// until no two join: the parts left never overlap.
void MergeParts(std::vector<RECT>& parts)
{
    const long kPartCost = 6000;
    for (bool merged = true; merged;)
    {
        merged = false;
        for (size_t i = 0; i < parts.size() && !merged; ++i)
            for (size_t j = i + 1; j < parts.size() && !merged; ++j)
            {
                RECT both;
                const bool overlap = IntersectRect(&both, &parts[i], &parts[j]) != 0;
                UnionRect(&both, &parts[i], &parts[j]);
                if (overlap || Area(both) <= Area(parts[i]) + Area(parts[j]) + kPartCost)
                {
                    parts[i] = both;
                    parts.erase(parts.begin() + static_cast<long>(j));
                    merged = true;
                }
            }
    }
}

} // namespace

bool CKeyboard::Render(int width, int height)
{
    const float len = GetLength();
    if (len == 0.0f)
        return false;
    float tx, ty, s;
    GetViewTransform(width, height, tx, ty, s);
    // The keys as they are without highlight change only with the layout, size or colours:
    // they are drawn once and their picture reused; a frame draws the hands and the lit keys.
    if (!IsUnlitCurrent(width, height, tx, ty, s))
        PrepareUnlit(width, height, tx, ty, s);

    // The picture is copied before the depth is cleared: the copy waits for what is drawn
    // before it.
    m_GL.DrawPicture();
    glClear(GL_DEPTH_BUFFER_BIT);
    PushTransform(tx, ty, s);
    DrawOverlays();
    glPopMatrix();
    CollectOverlays(width, height, m_Drawn);
    m_bFrameKept = true;
    return true;
}

void CKeyboard::DrawOverlays()
{
    // The hands last, over the lit keys.
    for (CKey* key : m_Keys)
        if (key->GetActive())
            key->Draw();
    if (m_nShowHands)
        DrawHand();
}

void CKeyboard::RenderParts(const std::vector<RECT>& parts)
{
    float tx, ty, s;
    GetViewTransform(m_nClientWidth, m_nClientHeight, tx, ty, s);
    // The parts do not overlap: their pictures are all copied first, as a copy waits for
    // what is drawn before it.
    for (const RECT& part : parts)
        m_GL.DrawPicture(&part);
    for (const RECT& part : parts)
    {
        glEnable(GL_SCISSOR_TEST);
        glScissor(part.left, m_nClientHeight - part.bottom, part.right - part.left, part.bottom - part.top);
        glClear(GL_DEPTH_BUFFER_BIT);
        PushTransform(tx, ty, s);
        DrawOverlays();
        glPopMatrix();
        glDisable(GL_SCISSOR_TEST);
    }
    CollectOverlays(m_nClientWidth, m_nClientHeight, m_Drawn);
}

void CKeyboard::CollectOverlays(int width, int height, std::vector<tagOverlay>& out) const
{
    out.clear();
    float tx, ty, s;
    GetViewTransform(width, height, tx, ty, s);
    tagHandDraw hd;
    if (m_nShowHands && m_pHands && GetHandDraw(hd))
    {
        // Lines keep their width in pixels whatever the scale.
        const int pad = static_cast<int>(m_pHands->GetLineWidth()) + 2;
        // Segment by segment: a hand that stays where it is redraws only the fingers whose
        // colour changed, one that moves its outline rather than its whole box.
        const int segments[] = {0, 1, 2, 3, 4, CHands::kPalm};
        for (int right = 0; right < 2; ++right)
            for (int segment : segments)
            {
                tagOverlay o;
                float box[4];
                m_pHands->GetSegmentBounds(hd, right, segment, box);
                o.box = ClientBox(box, height, tx, ty, s, pad);
                o.look[0] = 1 + static_cast<unsigned long>(right);
                o.look[1] = static_cast<unsigned long>(segment) |
                            (m_pHands->IsSegmentLit(hd, right, segment) ? 0x100u : 0u);
                o.look[2] = right ? hd.rFinger : hd.lFinger;
                o.look[3] = FloatBits(right ? hd.rx : hd.lx);
                o.look[4] = FloatBits(right ? hd.ry : hd.ly);
                out.push_back(o);
            }
    }
    unsigned long index = 0;
    for (const CKey* key : m_Keys)
    {
        ++index;
        if (!key->GetActive() || !key->IsDrawn())
            continue;
        tagOverlay o;
        const float box[4] = {key->GetOriginX(), key->GetOriginY(), key->GetFarX(), key->GetFarY()};
        o.box = ClientBox(box, height, tx, ty, s, 2);
        o.look[0] = 3;
        o.look[1] = index;
        o.look[2] = key->GetActive();
        o.look[3] = o.look[4] = 0;
        out.push_back(o);
    }
}

void CKeyboard::GetChangedParts(std::vector<RECT>& parts)
{
    parts.clear();
    const int w = m_nClientWidth, h = m_nClientHeight;
    if (w <= 0 || h <= 0 || GetLength() == 0.0f)
        return;
    float tx, ty, s;
    GetViewTransform(w, h, tx, ty, s);
    if (!m_GL.KeepsFrame() || !m_bFrameKept || !IsUnlitCurrent(w, h, tx, ty, s))
    {
        parts.push_back(RECT{0, 0, w, h});
        return;
    }
    // What was drawn and is no more, and what is new, each where it was or is.
    CollectOverlays(w, h, m_Overlays);
    for (const tagOverlay& o : m_Drawn)
        if (std::find(m_Overlays.begin(), m_Overlays.end(), o) == m_Overlays.end())
            parts.push_back(o.box);
    for (const tagOverlay& o : m_Overlays)
        if (std::find(m_Drawn.begin(), m_Drawn.end(), o) == m_Drawn.end())
            parts.push_back(o.box);
    for (RECT& part : parts)
    {
        part.left = part.left < 0 ? 0 : part.left;
        part.top = part.top < 0 ? 0 : part.top;
        part.right = part.right > w ? w : part.right;
        part.bottom = part.bottom > h ? h : part.bottom;
    }
    parts.erase(std::remove_if(parts.begin(), parts.end(), [](const RECT& r) { return IsRectEmpty(&r); }),
                parts.end());
    MergeParts(parts);
}

void CKeyboard::BeginFrame(float tx, float ty, float s)
{
    GetSchemeColour(kBackground).ClearColorGL();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    PushTransform(tx, ty, s);
}

void CKeyboard::PushTransform(float tx, float ty, float s)
{
    glPushMatrix();
    glTranslatef(tx, ty, 0.0f);
    // z scaled by 0: one depth for everything, so that what is drawn first stays in front.
    glScalef(s, s, 0.0f);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
}

bool CKeyboard::IsUnlitCurrent(int width, int height, float tx, float ty, float s)
{
    // Everything the unlit keys' picture depends on, in one comparable row of numbers.
    std::vector<unsigned long>& snapshot = m_KeysScratch;
    snapshot.clear();
    snapshot.push_back(static_cast<unsigned long>(width));
    snapshot.push_back(static_cast<unsigned long>(height));
    snapshot.push_back(FloatBits(tx));
    snapshot.push_back(FloatBits(ty));
    snapshot.push_back(FloatBits(s));
    snapshot.push_back(m_nListBase);
    for (unsigned long i = 0; i < kSchemeSize; ++i)
        snapshot.push_back(GetSchemeColour(i).GetCOLORREF());
    for (const CKey* k : m_Keys)
    {
        snapshot.push_back(k->GetType());
        snapshot.push_back(k->GetNumFinger());
        snapshot.push_back(k->GetOneKey() | (static_cast<unsigned long>(k->GetTypeView()) << 8) |
                           (static_cast<unsigned long>(k->GetContrast()) << 24));
        unsigned long texts = 0;
        for (int j = 0; j < 2; ++j)
        {
            texts = (texts << 8) | static_cast<unsigned char>(k->GetAText1()[j]);
            texts = (texts << 8) | static_cast<unsigned char>(k->GetAText2()[j]);
        }
        snapshot.push_back(texts);
        snapshot.push_back((k->GetText1()[0] ? 1u : 0u) | (k->GetText2()[0] ? 2u : 0u));
        snapshot.push_back(FloatBits(k->GetOriginX()));
        snapshot.push_back(FloatBits(k->GetOriginY()));
        snapshot.push_back(FloatBits(k->GetFarX()));
        snapshot.push_back(FloatBits(k->GetFarY()));
        snapshot.push_back(FloatBits(k->GetInnerX0()));
        snapshot.push_back(FloatBits(k->GetInnerY0()));
        snapshot.push_back(FloatBits(k->GetInnerX1()));
        snapshot.push_back(FloatBits(k->GetInnerY1()));
    }
    return m_GL.HasPicture(width, height) && snapshot == m_KeysSnapshot;
}

void CKeyboard::PrepareUnlit(int width, int height, float tx, float ty, float s)
{
    // IsUnlitCurrent left the present snapshot in the scratch row.
    m_KeysSnapshot.swap(m_KeysScratch);
    m_bFrameKept = false;

    BeginFrame(tx, ty, s);
    std::vector<unsigned long> lit;
    lit.reserve(GetCount());
    for (CKey* key : m_Keys)
    {
        lit.push_back(key->GetActive());
        key->ResetActive();
        key->Draw();
    }
    size_t i = 0;
    for (CKey* key : m_Keys)
        key->SetActiveShift(static_cast<int>(lit[i++]));
    glPopMatrix();
    m_GL.KeepPicture(width, height);
}

void CKeyboard::Draw(HDC)
{
    if (GetLength() == 0.0f || !m_GL.IsCreated())
        return;
    m_GL.MakeCurrentDC();
    // Only what changed since the last frame is drawn and shown; with nothing changed the
    // view shows its last frame again.
    GetChangedParts(m_Parts);
    if (m_Parts.empty())
        return;
    const RECT& first = m_Parts.front();
    if (m_Parts.size() == 1 && first.left == 0 && first.top == 0 && first.right == m_nClientWidth &&
        first.bottom == m_nClientHeight)
    {
        // The size of the last OnSize, which also set the viewport.
        Render(m_nClientWidth, m_nClientHeight);
        glFinish();
        m_GL.SwapBuffers();
        return;
    }
    RenderParts(m_Parts);
    glFinish();
    m_GL.SwapBuffers(m_Parts.data(), static_cast<int>(m_Parts.size()));
}

bool CKeyboard::GetHandDraw(tagHandDraw& hd) const
{
    if (!m_pLeftHome || !m_pRightHome)
        return false;
    hd.lFinger = hd.rFinger = 3;
    hd.lActive = hd.rActive = 0;
    hd.lx = m_pLeftHome->GetCenterX();
    hd.ly = m_pLeftHome->GetCenterY();
    hd.rx = m_pRightHome->GetCenterX();
    hd.ry = m_pRightHome->GetCenterY();
    hd.z = 70.0f;

    const CKey* k = m_pCurrentKey;
    if (!k)
        return true;
    const unsigned long f = k->GetNumFinger();
    hd.lFinger = hd.rFinger = f;
    hd.lActive = hd.rActive = 1;
    switch (k->GetShift())
    {
    case CKey::kShiftRightGoes: // a left-hand key
        hd.lx = k->GetCenterX();
        hd.ly = k->GetCenterY();
        hd.rFinger = 3;
        hd.rActive = 0;
        if (k->GetReqShift() && m_pRightShift)
        {
            hd.rx = m_pRightShift->GetCenterX();
            hd.ry = m_pRightShift->GetCenterY();
            hd.rFinger = 0;
            hd.rActive = 1;
        }
        break;
    case CKey::kShiftLeftGoes: // a right-hand key
        hd.rx = k->GetCenterX();
        hd.ry = k->GetCenterY();
        hd.lFinger = 3;
        hd.lActive = 0;
        if (k->GetReqShift() && m_pLeftShift)
        {
            hd.lx = m_pLeftShift->GetCenterX();
            hd.ly = m_pLeftShift->GetCenterY();
            hd.lFinger = 0;
            hd.lActive = 1;
        }
        break;
    case CKey::kShiftNone: // the thumbs
        hd.lFinger = hd.rFinger = 5;
        hd.lx = hd.rx = k->GetCenterX();
        hd.ly = hd.ry = k->GetCenterY();
        break;
    default:
        break;
    }
    return true;
}

void CKeyboard::DrawHand()
{
    tagHandDraw hd;
    if (!m_pHands || !GetHandDraw(hd))
        return;
    m_pHands->Draw(hd);
}

} // namespace KV
