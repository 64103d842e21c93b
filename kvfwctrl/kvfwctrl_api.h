#pragma once
// Export/import of the kvfwctrl library's classes and functions.
#include <windows.h>

#ifdef KVFWCTRL_BUILD
#define KVFWCTRL_API __declspec(dllexport)
#else
#define KVFWCTRL_API __declspec(dllimport)
#endif

namespace KV {

// The module handle of kvfwctrl, for resources kept in the library.
KVFWCTRL_API HINSTANCE GetFwctrlInstance();

} // namespace KV
