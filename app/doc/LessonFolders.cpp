#include "app/doc/LessonFolders.h"
#include "app/doc/WaltzDoc.h"
#include "kvstruct/files/Paths.h"

std::wstring BuildLessonLibraries(CWaltzDoc& doc, KV::CIniTable* language, const std::wstring& lessonPath,
                                  const wchar_t* klid)
{
    KV::CLessonList& standard = doc.GetLessonList(0);
    KV::CLessonList& own = doc.GetLessonList(1);
    for (KV::CLessonList* list : {&standard, &own})
    {
        list->SetpLangTable(language);
        list->Clear();
    }
    wchar_t buffer[MAX_PATH];
    const std::wstring local = KV::CLessonList::GetLocalFolder(klid, buffer);
    std::wstring root = lessonPath;
    if (!root.empty() && root.back() != L'\\' && root.back() != L'/')
        root += L'\\';
    // The English folder ships with the program; any other layout gets its own.
    if (local != std::wstring(KV::CLessonList::kLocalLanguage) + L"En")
        KV::ReviseFolder((root + local).c_str());
    standard.SetBasePath(root.c_str());
    own.SetBasePath(root.c_str());
    standard.LoadCourse(local.c_str());
    KV::ReviseFolder((root + local + L"\\" + KV::CLessonList::kUser).c_str());
    for (KV::CLessonList* list : {&standard, &own})
        list->SetPathUser(local.c_str());
    own.LoadRecursive(local.c_str(), KV::CLessonList::kUser);
    doc.ReviseLessonID();
    return local;
}
