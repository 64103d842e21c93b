#pragma once
// Export/import of the kvstruct library's classes and functions.
#ifdef KVSTRUCT_BUILD
#define KVSTRUCT_API __declspec(dllexport)
#else
#define KVSTRUCT_API __declspec(dllimport)
#endif
