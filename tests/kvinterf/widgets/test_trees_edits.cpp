// Trees, rich edits and edits as skin elements: finding, adding and marking items, label edits,
// text round trips and the dialog-control helpers.
#include "control_test_util.h"
#include <gtest/gtest.h>
#include <string>

using namespace skintest;

namespace {

struct TreeWindow : ControlWindow
{
    KV::CTree* tree = nullptr;
    HTREEITEM A, a1, a2, deep, B, b1;
    TreeWindow()
    {
        tree = AddControl<KV::CTree>(wnd, KV::kSkinTypeTree, 0, 0, 200, 200);
        if (!tree || !Create())
            return;
        // A (a1, a2 (deep)), B (b1); parameters repeat on purpose.
        A = tree->AddItem(L"Letter", 1);
        a1 = tree->AddItem(L"a1", 11, A);
        a2 = tree->AddItem(L"Übung", 7, A);
        deep = tree->AddItem(L"deep", 7, a2);
        B = tree->AddItem(L"B", 2);
        b1 = tree->AddItem(L"b1", 21, B, TVI_LAST, 4);
    }
    std::wstring Text(HTREEITEM item) const
    {
        wchar_t buffer[KV::CTree::kTextSize];
        return tree->GetItemText(item, buffer);
    }
    int Image(HTREEITEM item, bool selected) const
    {
        TVITEMW tv = {};
        tv.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
        tv.hItem = item;
        ::SendMessageW(tree->GetHwnd(), TVM_GETITEMW, 0, (LPARAM)&tv);
        return selected ? tv.iSelectedImage : tv.iImage;
    }
};

} // namespace

TEST(Tree, IsCreatedFromItsTypeWithItsColours)
{
    TreeWindow t;
    ASSERT_NE(nullptr, t.tree);
    HWND h = t.tree->GetHwnd();
    ASSERT_NE(nullptr, h);
    EXPECT_EQ(KV::CTree::kTextColour, (COLORREF)::SendMessageW(h, TVM_GETTEXTCOLOR, 0, 0));
    EXPECT_EQ(KV::CTree::kBackColour, (COLORREF)::SendMessageW(h, TVM_GETBKCOLOR, 0, 0));
    EXPECT_EQ(100, (int)::SendMessageW(h, TVM_GETSCROLLTIME, 0, 0));
    EXPECT_TRUE(::GetWindowLongW(h, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
}

TEST(Tree, FindsItemsInDisplayOrderAtAnyDepth)
{
    TreeWindow t;
    ASSERT_NE(nullptr, t.tree->GetHwnd());
    const struct
    {
        const wchar_t* text;
        HTREEITEM want;
    } byText[] = {
        {L"letter", t.A},   {L"LETTER", t.A},      {L"übung", t.a2}, {L"DEEP", t.deep},
        {L"b1", t.b1}, // after a branch three levels deep
        {L"Lett", nullptr}, {L"Letters", nullptr}, {L"", nullptr},   {nullptr, nullptr},
    };
    for (const auto& c : byText)
        EXPECT_EQ(c.want, t.tree->GetItem(c.text)) << (c.text ? c.text : L"(null)");
    const struct
    {
        LPARAM parameter;
        HTREEITEM want;
    } byParam[] = {{1, t.A}, {7, t.a2}, {21, t.b1}, {2, t.B}, {99, nullptr}};
    for (const auto& c : byParam)
        EXPECT_EQ(c.want, t.tree->GetItem(c.parameter)) << c.parameter;
}

TEST(Tree, SelectsAndMarksItems)
{
    TreeWindow t;
    HWND h = t.tree->GetHwnd();
    ASSERT_NE(nullptr, h);
    auto caret = [h] { return (HTREEITEM)::SendMessageW(h, TVM_GETNEXTITEM, TVGN_CARET, 0); };
    EXPECT_EQ(1, t.tree->SelectItem((LPARAM)21));
    EXPECT_EQ(t.b1, caret());
    EXPECT_EQ(1, t.tree->SelectItem(L"a1"));
    EXPECT_EQ(t.a1, caret());
    EXPECT_EQ(0, t.tree->SelectItem(L"nothing"));
    EXPECT_EQ(0, t.tree->SelectItem((LPARAM)99));
    EXPECT_EQ(t.a1, caret());

    EXPECT_EQ(4, t.Image(t.b1, false)); // given when added
    EXPECT_EQ(4, t.Image(t.b1, true));
    EXPECT_EQ(1, t.tree->SetIconState(t.a1, 3));
    EXPECT_EQ(3, t.Image(t.a1, false));
    EXPECT_EQ(3, t.Image(t.a1, true));
    EXPECT_EQ(11, (int)t.tree->GetItemParam(t.a1));
}

TEST(Tree, RenamesOnlyLiveItems)
{
    TreeWindow t;
    ASSERT_NE(nullptr, t.tree->GetHwnd());
    EXPECT_EQ(1, t.tree->SetTreeItemText(t.a1, L"Zeichen"));
    EXPECT_EQ(L"Zeichen", t.Text(t.a1));
    EXPECT_EQ(1, KV::SetTreeItemText(t.tree->GetHwnd(), (LPARAM)21, L"Wörter"));
    EXPECT_EQ(L"Wörter", t.Text(t.b1));
    EXPECT_EQ(1, t.tree->SetTreeItemText(t.b1, std::wstring(3000, L'x').c_str()));
    EXPECT_EQ(std::wstring(KV::CTree::kTextSize - 1, L'x'), t.Text(t.b1));

    ::SendMessageW(t.tree->GetHwnd(), TVM_DELETEITEM, 0, (LPARAM)t.a1);
    EXPECT_EQ(0, t.tree->SetTreeItemText(t.a1, L"gone"));
    EXPECT_EQ(nullptr, t.tree->GetItem(L"gone"));
    EXPECT_EQ(0, KV::SetTreeItemText(t.tree->GetHwnd(), (LPARAM)11, L"gone"));
    EXPECT_EQ(1, t.tree->DeleteAllItems());
    EXPECT_EQ(nullptr, t.tree->GetItem(L"Letter"));
}

TEST(Tree, OneLabelEditEndsOnceForTheOwner)
{
    TreeWindow t;
    ASSERT_NE(nullptr, t.tree->GetHwnd());
    t.wnd.forwardResult = 0; // begin: allowed; end: the answer below
    t.tree->SetStyle(TVS_EDITLABELS, 0);
    HWND edit = t.tree->EditLabel(t.a1);
    ASSERT_NE(nullptr, edit);
    EXPECT_EQ(1u, t.wnd.Count((UINT)TVN_BEGINLABELEDITW));
    ::SetWindowTextW(edit, L"Silben");
    t.wnd.forwardResult = TRUE; // the owner accepts the new text
    ::SendMessageW(t.tree->GetHwnd(), TVM_ENDEDITLABELNOW, FALSE, 0);
    Pump();
    EXPECT_EQ(1u, t.wnd.Count((UINT)TVN_ENDLABELEDITW));
    EXPECT_EQ(L"Silben", t.Text(t.a1));
}

TEST(Tree, SelectionChangesReachTheHooksAndTheParent)
{
    struct Hooked : KV::CTree
    {
        int changed = 0, changing = 0;
        LRESULT OnSelchanged(NMTREEVIEWW*) override { return ++changed; }
        LRESULT OnSelchanging(NMTREEVIEWW*) override { return ++changing; }
    };
    ControlWindow w;
    auto* tree = new Hooked;
    RECT place = {0, 0, 150, 150};
    tree->SetParam(40, place, KV::kSkinTypeTree | 0x11);
    w.wnd.AddSkin(tree);
    ASSERT_TRUE(w.Create());
    HTREEITEM one = tree->AddItem(L"one", 1);
    tree->AddItem(L"two", 2);
    tree->Select(one);
    tree->SelectItem(L"two");
    EXPECT_EQ(2, tree->changed);
    EXPECT_EQ(2, tree->changing);
    EXPECT_EQ(2u, w.wnd.Count((UINT)TVN_SELCHANGEDW));
}

TEST(RichEdit, TextRoundTripsWithAnyScript)
{
    ControlWindow w;
    auto* edit = AddControl<KV::CRichEdit>(w.wnd, KV::kSkinTypeRichEdit, 10, 10, 300, 200);
    ASSERT_NE(nullptr, edit);
    ASSERT_TRUE(w.Create());
    ASSERT_NE(nullptr, edit->GetHwnd()) << "RichEdit20W not registered";
    RECT rc;
    ::GetClientRect(edit->GetHwnd(), &rc);
    EXPECT_GT(rc.right, 250); // placed by the skin, not left at size 0
    const wchar_t* texts[] = {
        L"Grüße aus Köln: ÄÖÜ äöü ß",
        L"Привет, мир! Съешь же ещё",
        L"Ελληνικά, עברית, 日本語の文章",
        L"first line\r\nsecond line\r\n\r\nfourth",
        L"",
    };
    wchar_t buffer[512];
    for (const wchar_t* text : texts)
    {
        w.wnd.commands.clear();
        edit->SetText(text);
        EXPECT_EQ(std::wstring(text).size(), (size_t)edit->GetText(buffer, 512));
        EXPECT_EQ(std::wstring(text), buffer);
        EXPECT_EQ(std::wstring(text).size(), (size_t)edit->GetTextLength());
        for (WORD code : w.wnd.commands)
            EXPECT_NE(EN_CHANGE, code) << "SetText must not report a change";
    }
    EXPECT_EQ((DWORD)ENM_CHANGE, edit->SetMaskEvent(ENM_CHANGE));

    // 8-bit lesson text in its code page.
    edit->SetTextEx("Gr\xFC\xDF"
                    "e",
                    ST_DEFAULT, 1252);
    edit->GetText(buffer, 512);
    EXPECT_EQ(std::wstring(L"Grüße"), buffer);
    // A short buffer gets the start of the text, terminated.
    edit->SetText(L"abcdefgh");
    EXPECT_EQ(3, edit->GetText(buffer, 4));
    EXPECT_EQ(std::wstring(L"abc"), buffer);
    EXPECT_EQ(0, edit->GetText(nullptr, 10));
    EXPECT_EQ(0, edit->GetText(buffer, 0));
}

TEST(Edit, HasAFontAndGivesItsFirstLineToDialogs)
{
    ControlWindow w;
    auto* edit = AddControl<KV::CEdit>(w.wnd, KV::kSkinTypeEdit, 10, 10, 200, 24, 41);
    ASSERT_NE(nullptr, edit);
    ASSERT_TRUE(w.Create());
    ASSERT_NE(nullptr, edit->GetHwnd());
    EXPECT_NE(nullptr, edit->GetFont());
    EXPECT_EQ((LRESULT)edit->GetFont(), ::SendMessageW(edit->GetHwnd(), WM_GETFONT, 0, 0));
    EXPECT_EQ(1, edit->SetFont(18, FW_BOLD));
    EXPECT_EQ((LRESULT)edit->GetFont(), ::SendMessageW(edit->GetHwnd(), WM_GETFONT, 0, 0));

    KV::CString text;
    const struct
    {
        const wchar_t* set;
        const wchar_t* want;
    } cases[] = {{L"Anna Müller", L"Anna Müller"}, {L"", L""}};
    for (const auto& c : cases)
    {
        edit->SetWindowTextW(c.set);
        EXPECT_EQ((int)std::wstring(c.want).size(), KV::GetEditText(w.wnd.GetHwnd(), 41, text));
        EXPECT_EQ(std::wstring(c.want), text.GetW());
    }
    EXPECT_EQ(0, KV::GetEditText(w.wnd.GetHwnd(), 999, text));
    EXPECT_EQ(1, KV::EnableDlgCtrl(w.wnd.GetHwnd(), 41, 0));
    EXPECT_FALSE(::IsWindowEnabled(edit->GetHwnd()));
    EXPECT_EQ(0, KV::EnableDlgCtrl(w.wnd.GetHwnd(), 999, 1));
}

TEST(DialogControls, IconListTakesAStandInForAMissingFile)
{
    LoadControlLibraries();
    HIMAGELIST list = ::ImageList_Create(32, 32, ILC_COLOR32 | ILC_MASK, 4, 4);
    ASSERT_NE(nullptr, list);
    const std::wstring dir = fwtest::MakeTempDir(L"icons");
    fwtest::WriteFileBytes(dir + L"\\broken.ico", "not an icon");
    EXPECT_EQ(1, KV::AddIconToImageList(list, (dir + L"\\missing.ico").c_str(), 32, 32));
    EXPECT_EQ(1, KV::AddIconToImageList(list, (dir + L"\\broken.ico").c_str(), 32, 32));
    EXPECT_EQ(1, KV::AddIconToImageList(list, nullptr, 32, 32));
    EXPECT_EQ(3, ::ImageList_GetImageCount(list));
    EXPECT_EQ(0, KV::AddIconToImageList(nullptr, nullptr, 32, 32));
    ::ImageList_Destroy(list);

    const struct
    {
        const wchar_t* kind;
        const wchar_t* name;
        const wchar_t* pattern;
    } filters[] = {{L"ICO", L"Icon Files", L"*.ico"},
                   {L"txt", L"Text Files", L"*.txt"},
                   {L"All", L"All Files", L"*"},
                   {nullptr, L"All Files", L"*"}};
    for (const auto& f : filters)
    {
        const wchar_t* filter = KV::FileBrowseFilter(f.kind);
        EXPECT_EQ(std::wstring(f.name), filter);
        EXPECT_EQ(std::wstring(f.pattern), filter + std::wcslen(filter) + 1);
    }
}
