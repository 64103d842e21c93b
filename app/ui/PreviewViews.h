#pragma once
// Keyboards and typing views made inside option and wizard pages: they show the options being
// edited before the main window has views of its own (the first-run wizard) or beside them.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

class COptionsDoc;
namespace KV {
class CBaseInput;
class CKeyboard;
} // namespace KV

// The options' look on a keyboard (scheme, contrast, view, hands) and on a typing view
// (animation and colours); the main window's views take them the same way.
void ApplyKeyboardLook(KV::CKeyboard& keyboard, const COptionsDoc& options);
void ApplyTypingLook(KV::CBaseInput& view, const COptionsDoc& options);

class CPreviewViews
{
public:
    enum : int { ViewKeyboard = 1, ViewTyping = 2 };

    CPreviewViews();
    ~CPreviewViews();
    CPreviewViews(const CPreviewViews&) = delete;
    CPreviewViews& operator=(const CPreviewViews&) = delete;

    // Where the views find the keyboard files and the level ("Data\"), the keyboard's colour
    // schemes (the skin folder) and the code page of the keyboard's letters.
    void SetSources(const std::wstring& dataFolder, const std::wstring& skinFolder, UINT codePage);
    // A view of kind as a child of page over area; a page holds one view, a second replaces it.
    // False when kind is unknown or the window cannot be made.
    bool Create(HWND page, const RECT& area, int kind, const COptionsDoc& options);
    void Destroy(HWND page);
    void DestroyAll();
    // Shows options on every view: keyboard type, view, scheme, contrast and hands; the typing
    // view's colours, animation and font.
    void Apply(const COptionsDoc& options);
    size_t Count() const { return m_views.size(); }
    KV::CKeyboard* GetKeyboard(HWND page) const;
    KV::CBaseInput* GetTypingView(HWND page) const;

private:
    struct tagView
    {
        HWND page;
        RECT area;
        std::unique_ptr<KV::CKeyboard> keyboard;
        std::unique_ptr<KV::CBaseInput> typing;
        std::wstring keyboardType;
    };
    void ApplyTo(tagView& view, const COptionsDoc& options);
    // Loads a keyboard file and fits the keyboard into the page's area, keeping its proportions.
    void LoadKeyboard(tagView& view, const std::wstring& type);
    const tagView* Find(HWND page) const;

    std::wstring m_dataFolder;
    std::wstring m_skinFolder;
    UINT m_nCodePage;
    std::vector<std::unique_ptr<tagView>> m_views;
    // The sample line's error marks: the view borrows them.
    std::vector<short> m_marks;
};
