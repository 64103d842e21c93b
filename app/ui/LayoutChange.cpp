#include "app/ui/LayoutChange.h"

#include "app/doc/WaltzDoc.h"

#include <cwchar>

LayoutFollow FollowKeyboardLayout(CWaltzDoc& doc, bool forced, const LayoutFollowSteps& steps)
{
    COptionsDoc& options = doc.GetOptions();
    const KV::CString active = GetActiveKLID();
    if (!forced && wcscmp(active, options.m_sKLID) == 0)
        return LayoutFollow::Same;
    // An empty name means the layer could not read it: nothing to follow.
    if (active.IsEmpty() || !options.m_layouts.IsEnable(active))
        return LayoutFollow::NotEnabled;
    if (steps.pauseLesson)
        steps.pauseLesson();
    options.m_sKLID = active;
    doc.GetStat().SetKLID(active);
    if (steps.rebuildLibraries)
        steps.rebuildLibraries(doc);
    if (steps.refreshViews)
        steps.refreshViews();
    return LayoutFollow::Switched;
}
