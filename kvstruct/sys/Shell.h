#pragma once
// Opening documents, folders and web addresses with their associated program.
#include "kvstruct/kvstruct_api.h"

namespace KV {

// "open" verb, normal window; 1 on success.
KVSTRUCT_API int ShellExec(const wchar_t* target);
typedef int (*ShellExecHandler)(const wchar_t* target);
// Returns the previous handler; nullptr restores ShellExecuteW.
KVSTRUCT_API ShellExecHandler SetShellExecHandler(ShellExecHandler handler);

} // namespace KV
