#pragma once
// The one door through which the libraries show message boxes and end the program.
// Tests install handlers that record instead, so nothing ever waits on a modal box.
#include "kvstruct/kvstruct_api.h"
#include <windows.h>

namespace KV {

// The caption of every box the libraries show.
constexpr const wchar_t* kAppCaption = L"Fingerwaltz";

typedef int (*MsgBoxHandler)(HWND owner, const wchar_t* text, const wchar_t* caption, unsigned int type);
typedef void (*ExitHandler)(unsigned int exitCode);

// Shows a box (MessageBoxW by default) and returns the button pressed (IDOK, IDYES, ...).
KVSTRUCT_API int ShowMsgBox(HWND owner, const wchar_t* text, const wchar_t* caption, unsigned int type);
// The usual warning: caption "Fingerwaltz", exclamation icon, OK, no owner.
KVSTRUCT_API int ShowWarning(const wchar_t* text);
// Replaces the handler and returns the previous one; nullptr restores MessageBoxW.
KVSTRUCT_API MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler);
// The installed handler; nullptr while boxes go to MessageBoxW.
KVSTRUCT_API MsgBoxHandler GetMsgBoxHandler();

// Ends the process (ExitProcess by default); tests replace it to stay alive.
KVSTRUCT_API void ExitProgram(unsigned int exitCode);
KVSTRUCT_API ExitHandler SetExitHandler(ExitHandler handler);

} // namespace KV
