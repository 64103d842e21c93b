#pragma once
// The two lesson libraries of a keyboard layout: the course from the shared and the layout's
// own folders below the lesson root, and the user's own lessons.
#include <string>

class CWaltzDoc;
namespace KV {
class CIniTable;
}

// Fills both libraries of doc for layout klid below lessonPath; creates the layout's folder
// (other than the English one) and its "User" folder when missing. Returns the layout's
// folder relative to the root ("LocalLanguage\En").
std::wstring BuildLessonLibraries(CWaltzDoc& doc, KV::CIniTable* language, const std::wstring& lessonPath,
                                  const wchar_t* klid);
