// One shown window made from a layout file with one element of each control type, filled as the
// program's pages fill them. FW_SHOW_MS keeps it on screen that long for a screenshot.
#include "control_test_util.h"
#include <gtest/gtest.h>
#include <cstdlib>
#include <typeinfo>

using namespace skintest;

TEST(ControlsWindow, EveryControlTypeIsMadeFromTheLayoutAndShown)
{
    LoadControlLibraries();
    SkinFolder folder;
    for (unsigned id = 110; id <= 114; ++id)
        folder.WritePicture(id, SolidBmp(8, 8, 0xFFFFFF));
    folder.WritePicture(115, SolidBmp(310, 56, 0xE8ECF0));
    const struct
    {
        unsigned id;
        int x, y, w, h;
        unsigned long style;
        const std::type_info& type;
    } layout[] = {
        {110, 10, 10, 180, 200, KV::kSkinTypeTree | 0x11, typeid(KV::CTree)},
        {111, 200, 10, 310, 130, KV::kSkinTypeRichEdit | 0x11, typeid(KV::CRichEdit)},
        {112, 200, 150, 310, 24, KV::kSkinTypeEdit | 0x11, typeid(KV::CEdit)},
        {113, 200, 184, 310, 30, KV::kSkinTypeSlider | 0x11, typeid(KV::CSlider)},
        {114, 10, 220, 180, 140, KV::kSkinTypeSelectBox | 0x11, typeid(KV::CSelectBox)},
        {115, 200, 222, 0, 0, KV::kSkinTypeGradient | 0x2011, typeid(KV::CGradient)},
    };
    Bytes file;
    file.U16(1).Str(folder.name.c_str()).U16((unsigned)(sizeof(layout) / sizeof(layout[0])));
    for (const auto& e : layout)
        file.Record(e.id, e.x, e.y, e.w, e.h, e.style);
    folder.WriteLayout(file.b);

    KV::CSkinWnd wnd;
    wnd.SetPath(folder.root.c_str());
    ASSERT_EQ(1, wnd.Load(folder.Layout().c_str()));
    ASSERT_NE(nullptr, CreateTestWindow(wnd, 40, 40, 520, 290));
    for (const auto& e : layout)
    {
        KV::CSkin* element = wnd.GetSkinByID((unsigned short)e.id);
        ASSERT_NE(nullptr, element) << e.id;
        EXPECT_EQ(e.type, typeid(*element)) << e.id;
        ASSERT_NE(nullptr, element->GetHwnd()) << e.id;
        RECT rc;
        ::GetWindowRect(element->GetHwnd(), &rc);
        ::MapWindowPoints(HWND_DESKTOP, wnd.GetHwnd(), reinterpret_cast<POINT*>(&rc), 2);
        EXPECT_EQ(e.x, rc.left) << e.id;
        EXPECT_EQ(e.y, rc.top) << e.id;
        if (e.w > 0 && e.type != typeid(KV::CSelectBox)) // a drop-down list keeps its field height
        {
            EXPECT_EQ(e.w, rc.right - rc.left) << e.id;
            EXPECT_EQ(e.h, rc.bottom - rc.top) << e.id;
        }
    }

    auto* tree = dynamic_cast<KV::CTree*>(wnd.GetSkinByID(110));
    HTREEITEM letters = tree->AddItem(L"Buchstaben", 1);
    tree->AddItem(L"Grundreihe asdf jklö", 11, letters);
    tree->AddItem(L"Obere Reihe", 12, letters);
    HTREEITEM words = tree->AddItem(L"Wörter", 2);
    tree->AddItem(L"Übungstext", 21, words);
    ::SendMessageW(tree->GetHwnd(), TVM_EXPAND, TVE_EXPAND, (LPARAM)letters);
    ::SendMessageW(tree->GetHwnd(), TVM_EXPAND, TVE_EXPAND, (LPARAM)words);
    tree->SelectItem((LPARAM)12);
    auto* rich = dynamic_cast<KV::CRichEdit*>(wnd.GetSkinByID(111));
    rich->SetText(L"Grüße aus Köln! Привет, мир.\r\nThe quick brown fox jumps over the lazy dog.");
    wnd.GetSkinByID(112)->SetWindowTextW(L"Anna Müller");
    auto* slider = dynamic_cast<KV::CSlider*>(wnd.GetSkinByID(113));
    slider->SetRange(0, 10);
    slider->SetPosition(7);
    auto* box = dynamic_cast<KV::CSelectBox*>(wnd.GetSkinByID(114));
    for (const wchar_t* text : {L"Deutsch", L"English", L"Русский"})
        box->AddString(text);
    box->SelectString(L"Eng");
    auto* gauge = dynamic_cast<KV::CGradient*>(wnd.GetSkinByID(115));
    gauge->SetColors(230, 60, 50, 250, 210, 60, 60, 180, 80);
    gauge->SetCurPos(70);
    gauge->SetLabels(L"0", L"100", L"200", L">300", L"-1");
    EXPECT_EQ(1, box->GetCurSel());
    EXPECT_EQ(7, slider->GetPosition());

    ::ShowWindow(wnd.GetHwnd(), SW_SHOWNOACTIVATE);
    ::UpdateWindow(wnd.GetHwnd());
    const char* show = std::getenv("FW_SHOW_MS");
    Pump(show ? (DWORD)std::atoi(show) : 50);
    for (const auto& e : layout)
        EXPECT_TRUE(::IsWindowVisible(wnd.GetSkinByID((unsigned short)e.id)->GetHwnd())) << e.id;
}
