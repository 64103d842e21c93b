#pragma once
// Moving, copying, deleting and renaming files through the shell (with undo).
#include "kvstruct/kvstruct_api.h"

#include <windows.h>

namespace KV {

// One shell file operation: FO_MOVE 1, FO_COPY 2, FO_DELETE 3, FO_RENAME 4, undo allowed.
// 1 when the shell reports success and nothing was aborted. Paths over 259 characters are refused.
KVSTRUCT_API int FileOperation(unsigned int function, const wchar_t* from, const wchar_t* to);
// The layer under it: the shell's result code (0 success) and whether any part was aborted.
// Tests replace it, since a delete with undo asks the user in a modal box.
typedef int (*FileOperationHandler)(unsigned int function, const wchar_t* from, const wchar_t* to,
                                    unsigned short flags, BOOL* aborted);
KVSTRUCT_API int ShellFileOperation(unsigned int function, const wchar_t* from, const wchar_t* to,
                                    unsigned short flags, BOOL* aborted);
// Returns the previous handler; nullptr restores SHFileOperationW.
KVSTRUCT_API FileOperationHandler SetFileOperationHandler(FileOperationHandler handler);
// A handler for tests and batch work: SHFileOperationW that never asks and never shows a box.
KVSTRUCT_API int SilentFileOperation(unsigned int function, const wchar_t* from, const wchar_t* to,
                                     unsigned short flags, BOOL* aborted);

} // namespace KV
