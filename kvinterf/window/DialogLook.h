#pragma once
// The look the program's dialogs share with the skinned main window: its palette and the face
// of its texts. Every CDialogColor takes it when it opens; the main window loads it with its skin.
#include "kvinterf/kvinterf_api.h"
#include <windows.h>

namespace KV {

struct DialogLook
{
    COLORREF background; // the dialog's face
    COLORREF text;       // labels, check boxes, group boxes
    COLORREF field;      // edit, list, tree and list view backgrounds
    COLORREF accent;     // links and headings
    wchar_t face[LF_FACESIZE];
};

// The Default skin's look (used until a skin gives its own).
KVINTERF_API DialogLook DefaultDialogLook();
KVINTERF_API const DialogLook& GetDialogLook();
KVINTERF_API void SetDialogLook(const DialogLook& look);
// Reads the look of the skin whose pictures are in folder: picture 4001 holds background, text,
// field and accent left to right. Without that picture the Default skin's look is taken (false).
KVINTERF_API bool LoadDialogLook(const wchar_t* folder);

// The look's face at percent of dialog's text height in weight; shared, never to be deleted.
KVINTERF_API HFONT GetDialogLookFont(HWND dialog, LONG weight = FW_NORMAL, int percent = 100);

// Gives the standard controls directly inside dialog the look's face at the dialog's text height
// (controls that carry a font of their own keep it) and the look's colours to list views and trees.
KVINTERF_API void ApplyDialogLook(HWND dialog);

} // namespace KV
