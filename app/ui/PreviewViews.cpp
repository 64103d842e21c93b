#include "app/ui/PreviewViews.h"
#include "app/doc/OptionsDoc.h"
#include "kvfwctrl/keyboard/Keyboard.h"
#include "kvfwctrl/level/Level.h"
#include "kvfwctrl/typing/BaseInput.h"

#include <algorithm>

namespace {

// Home-row drill: typed up to the caret, with one wrong and one late letter, so every colour
// of the options shows.
const char kSampleLine[] = "fjfj dkdk slsl a;a; ghgh fjfj";
const unsigned long kSampleCaret = 12;
const unsigned long kSampleWrong = 3, kSampleLate = 8;
const short kMarkWrong = 1, kMarkLate = 2;

} // namespace

void ApplyKeyboardLook(KV::CKeyboard& keyboard, const COptionsDoc& options)
{
    keyboard.SetNumColourShema(options.m_nKeyboardScheme);
    keyboard.FillColourShema();
    keyboard.SetContrast(options.m_nKeyboardContrast);
    keyboard.SetTypeView(options.m_nKeyboardView);
    keyboard.SetShowHands(options.m_nShowHands);
    keyboard.RefreshTextKey();
}

void ApplyTypingLook(KV::CBaseInput& view, const COptionsDoc& options)
{
    view.SetFlagAnimation(options.m_nAnimation);
    view.SetSimpleColors(options.m_nBackColour, options.m_nTextColour, options.m_nGoodColour,
                         options.m_nBadColour, options.m_nArhythmColour);
}

CPreviewViews::CPreviewViews() : m_nCodePage(1252), m_marks(sizeof kSampleLine, 0)
{
    m_marks[kSampleWrong] = kMarkWrong;
    m_marks[kSampleLate] = kMarkLate;
}

CPreviewViews::~CPreviewViews()
{
    DestroyAll();
}

void CPreviewViews::SetSources(const std::wstring& dataFolder, const std::wstring& skinFolder, UINT codePage)
{
    m_dataFolder = dataFolder;
    m_skinFolder = skinFolder;
    m_nCodePage = codePage;
}

bool CPreviewViews::Create(HWND page, const RECT& area, int kind, const COptionsDoc& options)
{
    if (kind != ViewKeyboard && kind != ViewTyping)
        return false;
    Destroy(page);
    std::unique_ptr<tagView> view(new tagView());
    view->page = page;
    view->area = area;
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    const UINT id = kind == ViewKeyboard ? 304 : 303;
    if (kind == ViewKeyboard)
    {
        view->keyboard.reset(new KV::CKeyboard());
        KV::CKeyboard& keyboard = *view->keyboard;
        if (!keyboard.Create(instance, page, WS_VISIBLE, area, id))
            return false;
        keyboard.SetCP(m_nCodePage);
        keyboard.SetLOGFONT(nullptr);
        keyboard.CreateGL();
        keyboard.LoadBitmapW((m_skinFolder + L"304.bmp").c_str(), 1, 0);
    }
    else
    {
        view->typing.reset(new KV::CBaseInput());
        KV::CBaseInput& typing = *view->typing;
        if (!typing.Create(instance, page, WS_VISIBLE, area, id))
            return false;
        typing.SetLOGFONT(&options.m_font.GetLOGFONT());
        KV::CLevelFW* level = new KV::CLevelFW();
        level->Load((m_dataFolder + L"0110.wrd").c_str());
        typing.SetLevel(level);
        typing.CreateGL();
        typing.SetFlagDraw(1);
        typing.SetTypeLetterZone(KV::CBaseInput::ZONE_COLOURED);
        typing.SetMainText(kSampleLine, kSampleCaret);
        typing.SetpStatError(m_marks.data());
        typing.RefreshLevel();
    }
    ApplyTo(*view, options);
    m_views.push_back(std::move(view));
    return true;
}

void CPreviewViews::Destroy(HWND page)
{
    auto it = std::find_if(m_views.begin(), m_views.end(),
                           [page](const std::unique_ptr<tagView>& view) { return view->page == page; });
    if (it == m_views.end())
        return;
    // The windows go first: their contexts are released while the objects still stand.
    if ((*it)->keyboard)
        (*it)->keyboard->DestroyWindow();
    if ((*it)->typing)
        (*it)->typing->DestroyWindow();
    m_views.erase(it);
}

void CPreviewViews::DestroyAll()
{
    while (!m_views.empty())
        Destroy(m_views.back()->page);
}

void CPreviewViews::Apply(const COptionsDoc& options)
{
    for (auto& view : m_views)
        ApplyTo(*view, options);
}

void CPreviewViews::ApplyTo(tagView& view, const COptionsDoc& options)
{
    if (KV::CKeyboard* keyboard = view.keyboard.get())
    {
        const std::wstring type = options.m_sKeyboardType.GetW();
        if (type != view.keyboardType)
            LoadKeyboard(view, type);
        ApplyKeyboardLook(*keyboard, options);
        ::InvalidateRect(keyboard->GetHwnd(), nullptr, FALSE);
    }
    if (KV::CBaseInput* typing = view.typing.get())
    {
        ApplyTypingLook(*typing, options);
        typing->RefreshLevel();
        ::InvalidateRect(typing->GetHwnd(), nullptr, FALSE);
    }
}

void CPreviewViews::LoadKeyboard(tagView& view, const std::wstring& type)
{
    KV::CKeyboard& keyboard = *view.keyboard;
    view.keyboardType = type;
    keyboard.Load((m_dataFolder + type + L".kbd").c_str());
    // The keyboard scales with its width only where the height holds all its rows; a wide,
    // low area gets a narrower keyboard in its middle.
    const RECT& area = view.area;
    int width = area.right - area.left;
    const int height = area.bottom - area.top;
    const float perWidth = (keyboard.GetHight() + 8.0f) * 0.002f;
    if (perWidth > 0.0f && width * perWidth >= height)
        width = std::max(1, static_cast<int>(height / perWidth) - 1);
    const int left = area.left + (area.right - area.left - width) / 2;
    ::MoveWindow(keyboard.GetHwnd(), left, area.top, width, height, TRUE);
    keyboard.OnSize(0, width, height);
}

const CPreviewViews::tagView* CPreviewViews::Find(HWND page) const
{
    for (const auto& view : m_views)
        if (view->page == page)
            return view.get();
    return nullptr;
}

KV::CKeyboard* CPreviewViews::GetKeyboard(HWND page) const
{
    const tagView* view = Find(page);
    return view ? view->keyboard.get() : nullptr;
}

KV::CBaseInput* CPreviewViews::GetTypingView(HWND page) const
{
    const tagView* view = Find(page);
    return view ? view->typing.get() : nullptr;
}
