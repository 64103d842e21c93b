#pragma once
// Export/import of the kvfwctrl library's classes and functions.
#ifdef KVFWCTRL_BUILD
#define KVFWCTRL_API __declspec(dllexport)
#else
#define KVFWCTRL_API __declspec(dllimport)
#endif
