#pragma once
// The product's web pages: feedback, error reports and published results, opened in the
// default browser (values are percent-encoded as UTF-8; addresses are cut to 4,095 characters).
#include "kvstruct/kvstruct_api.h"

#include <cstddef>

namespace KV {

// Contact page of the product's web site.
KVSTRUCT_API const wchar_t* GetContactPage();
KVSTRUCT_API const wchar_t* GetStatisticsPage();
KVSTRUCT_API int SendFeedBack(const wchar_t* page, const wchar_t* text, const wchar_t* version,
                              const wchar_t* name, const wchar_t* mail);
KVSTRUCT_API int SendBugs(const wchar_t* page, const wchar_t* version, const wchar_t* text);
KVSTRUCT_API int SendStatistics(const wchar_t* page, const wchar_t* rating, const wchar_t* name,
                                const wchar_t* wpm, const wchar_t* cpm, const wchar_t* accuracy,
                                const wchar_t* seconds, const wchar_t* length);
// The digit permutation of the statistics check code, in place (the length never changes).
KVSTRUCT_API wchar_t* ConvertNum(wchar_t* text);
// Percent-encoding of a value (UTF-8; letters, digits and - _ . ~ kept), cut at a whole character.
KVSTRUCT_API void UrlEncode(const wchar_t* value, wchar_t* dest, size_t destSize);

} // namespace KV
