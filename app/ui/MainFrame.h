#pragma once
// The program's top-level window (class "FINGERWALTZ").
#include <windows.h>

constexpr const wchar_t* kMainWindowClass = L"FINGERWALTZ";
constexpr const wchar_t* kMainWindowTitle = L"Fingerwaltz";

// Registers the class and creates the window; nullptr on failure.
HWND CreateMainFrame(HINSTANCE instance, int showCommand);
// Runs the message loop until the window is closed; returns the exit code.
int RunMessageLoop();
