#pragma once
// An options host whose views are the pages' own previews, made as the main window makes them.
#include "app/ui/OptionsHost.h"
#include "app/ui/PreviewViews.h"
#include "common/fwtest.h"

namespace fwtest {

class PreviewHost : public IOptionsHost
{
public:
    PreviewHost()
    {
        m_views.SetSources(fwtest::BinDir() + L"\\Data\\", fwtest::BinDir() + L"\\Skin\\Default\\", 1252);
    }
    void Preview(const COptionsDoc& options) override { m_views.Apply(options); }
    void CreateView(HWND page, const RECT& area, int kind, const COptionsDoc& options) override
    {
        m_views.Create(page, area, kind, options);
    }
    void DestroyView(HWND page) override { m_views.Destroy(page); }
    void OptionsApplied(bool) override {}
    int SaveUser() override { return 1; }
    CPreviewViews m_views;
};

} // namespace fwtest
