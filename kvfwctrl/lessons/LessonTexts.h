#pragma once
// Interface texts of the lesson views: looked up in the language table by key, with the English
// text standing in when there is no table or the key is missing.
#include "kvstruct/files/IniTable.h"

namespace KV {

inline const wchar_t* LessonText(const CIniTable* table, const wchar_t* key, const wchar_t* english)
{
    const wchar_t* text = table ? table->GetW(key) : nullptr;
    return text && text[0] ? text : english;
}

} // namespace KV
