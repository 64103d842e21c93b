#include "app/ui/PageSwitcher.h"

#include "app/ui/Commands.h"
#include "app/ui/Help.h"
#include "app/ui/SkinPages.h"
#include "kvinterf/skin/SkinWnd.h"
#include "kvinterf/widgets/Button.h"

#include <algorithm>
#include <iterator>
#include <set>

namespace {

struct PageElements
{
    unsigned page;
    const unsigned short* begin;
    const unsigned short* end;
};

const PageElements kPages[] = {
    {kCmdTypingPage, std::begin(kTypingPageElements), std::end(kTypingPageElements)},
    {kCmdStatisticsPage, std::begin(kStatisticsPageElements), std::end(kStatisticsPageElements)},
    {kCmdLessonPage, std::begin(kLessonPageElements), std::end(kLessonPageElements)},
};

// Frame buttons that belong to one page: hidden, they show their hidden picture.
struct PageButton
{
    unsigned short id;
    unsigned page;
};
const PageButton kPageButtons[] = {{kExportButton, kCmdStatisticsPage}, {kCmdKeyboardPanel, kCmdTypingPage}};

} // namespace

unsigned CPageSwitcher::PageOfCommand(unsigned command)
{
    for (const PageElements& p : kPages)
        if (p.page == command)
            return command;
    return 0;
}

bool CPageSwitcher::IsOnPage(unsigned short id, unsigned page)
{
    for (const PageElements& p : kPages)
        if (p.page == page)
            return std::find(p.begin, p.end, id) != p.end;
    return false;
}

SIZE CPageSwitcher::ClientSize() const
{
    RECT rc = {0, 0, 0, 0};
    if (m_wnd.GetHwnd())
        ::GetClientRect(m_wnd.GetHwnd(), &rc);
    return SIZE{rc.right, rc.bottom};
}

void CPageSwitcher::Park(KV::CSkin& element)
{
    if (element.GetHwnd())
        ::ShowWindow(element.GetHwnd(), SW_HIDE);
    if (m_parked.count(element.GetID()))
        return;
    Parked parked{element.DestRect(), {}, element.GetStyle(), ClientSize()};
    for (int side = 0; side < 4; ++side)
        parked.links[side] = element.GetAssociation(side);
    m_parked[element.GetID()] = parked;
    // Without links, anchors and size the element keeps no place while the window is resized.
    element.ClearAssociation();
    element.SetStyleWord((parked.style & ~(KV::kSkinAnchorH | KV::kSkinAnchorV)) | KV::kSkinLeft |
                         KV::kSkinTop);
    element.DestRect().right = 0;
    element.DestRect().bottom = 0;
    element.SetRectRgn();
}

void CPageSwitcher::Unpark(KV::CSkin& element)
{
    auto it = m_parked.find(element.GetID());
    if (it != m_parked.end())
    {
        const Parked& parked = it->second;
        element.DestRect() = parked.dest;
        element.SetStyleWord(parked.style);
        element.SetAssociation(parked.links[0], parked.links[1], parked.links[2], parked.links[3]);
        const SIZE now = ClientSize();
        // Catch up with the window's resizing while the element was parked.
        element.Resize(KV::CSize(now.cx - parked.client.cx, now.cy - parked.client.cy), nullptr, 0);
        element.SetRectRgn();
        m_parked.erase(it);
    }
    element.MoveSkin();
    if (element.GetHwnd())
        ::ShowWindow(element.GetHwnd(), SW_SHOW);
}

bool CPageSwitcher::ShowPage(unsigned page)
{
    if (!PageOfCommand(page))
        return false;
    if (page == kCmdLessonPage && !m_lessonViewsMade && m_lessonViews)
    {
        m_lessonViewsMade = true;
        m_lessonViews(m_wnd);
    }
    m_page = page;
    std::set<unsigned short> all;
    for (const PageElements& p : kPages)
        all.insert(p.begin, p.end);
    // Park first, so that a shared element (the page edges) ends up shown.
    for (unsigned short id : all)
        if (!IsOnPage(id, page))
            if (KV::CSkin* element = m_wnd.GetSkinByID(id))
                Park(*element);
    for (unsigned short id : all)
        if (IsOnPage(id, page))
            if (KV::CSkin* element = m_wnd.GetSkinByID(id))
                Unpark(*element);
    m_wnd.ApplyAssociations();
    for (unsigned short id : all)
        if (IsOnPage(id, page))
            if (KV::CSkin* element = m_wnd.GetSkinByID(id))
                element->MoveSkin();
    for (const PageElements& p : kPages)
        if (auto* button = dynamic_cast<KV::CButton*>(m_wnd.GetSkinByID((unsigned short)p.page)))
            button->SetCheck(p.page == page ? 1 : 0);
    for (const PageButton& b : kPageButtons)
        if (auto* button = dynamic_cast<KV::CButton*>(m_wnd.GetSkinByID(b.id)))
            button->ShowWindow(b.page == page ? 1 : 0);
    m_wnd.BuildRegion(0);
    // The window's own pictures change with the page; child windows that were shown or moved
    // paint themselves, the ones that stayed (title, window buttons) keep what they show.
    if (m_wnd.GetHwnd())
        ::RedrawWindow(m_wnd.GetHwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE);
    return true;
}

const wchar_t* HelpTopicOfPage(unsigned page)
{
    switch (page)
    {
    case kCmdStatisticsPage:
        return kHelpStatisticsPage;
    case kCmdLessonPage:
        return kHelpLessonPage;
    default:
        return kHelpTypingPage;
    }
}

bool ShowPageHelp(HWND owner, unsigned page, const std::wstring& folder)
{
    return ShowHelpTopic(owner, HelpTopicOfPage(page), folder);
}
