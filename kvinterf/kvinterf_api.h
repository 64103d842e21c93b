#pragma once
// Export/import of the kvinterf library's classes and functions.
#ifdef KVINTERF_BUILD
#define KVINTERF_API __declspec(dllexport)
#else
#define KVINTERF_API __declspec(dllimport)
#endif
