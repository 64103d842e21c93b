#pragma once
// Opening the help file beside the program at one of its topics (see HelpTopics.h).
#include "app/ui/HelpTopics.h"

#include <windows.h>
#include <string>

namespace KV {
class CIniTable;
}

constexpr const wchar_t* kHelpFileName = L"Fingerwaltz.chm";

// What the HTML Help control made of a request.
enum class HelpShowResult {
    Shown,          // a help window shows the topic
    ControlMissing, // hhctrl.ocx or its HtmlHelpW entry could not be loaded
    Failed,         // the control refused the file or the topic
};

// Shows an HTML Help address ("<file>::/<topic>"); tests replace it with a recorder.
typedef HelpShowResult (*HelpViewer)(HWND owner, const wchar_t* address);

// Replaces the viewer and returns the previous one; nullptr restores the HTML Help control.
HelpViewer SetHelpViewer(HelpViewer viewer);

// The address of `topic` in the help file of `folder` (which ends in a backslash).
std::wstring HelpAddress(const std::wstring& folder, const wchar_t* topic);

// Opens the help file in `folder` (the program folder when empty) at `topic`. When the file or
// the HTML Help control is missing, or the topic cannot be shown, the user is told in a message
// box over `owner`. Returns true when the topic is shown.
bool ShowHelpTopic(HWND owner, const wchar_t* topic, const std::wstring& folder = std::wstring());

// The language table of the help's messages (the table is borrowed; nullptr: English).
void SetHelpLanguage(const KV::CIniTable* lang);

// Closes every help window the program opened (before the program ends).
void CloseHelpWindows();
