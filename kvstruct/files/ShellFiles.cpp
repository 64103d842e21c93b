#include "kvstruct/files/ShellFiles.h"

#include <shellapi.h>

#include <cwchar>
#include <string>

namespace KV {

namespace {

FileOperationHandler g_fileOperation = nullptr;

int DefaultFileOperation(unsigned int function, const wchar_t* from, const wchar_t* to, unsigned short flags,
                         BOOL* aborted)
{
    // The shell wants lists ended by two zeros.
    std::wstring f = from ? from : L"";
    std::wstring t = to ? to : L"";
    f.push_back(0);
    t.push_back(0);
    SHFILEOPSTRUCTW op = {};
    op.wFunc = function;
    op.pFrom = f.c_str();
    op.pTo = to ? t.c_str() : nullptr;
    op.fFlags = flags;
    int rc = ::SHFileOperationW(&op);
    if (aborted)
        *aborted = op.fAnyOperationsAborted;
    return rc;
}

} // namespace

int ShellFileOperation(unsigned int function, const wchar_t* from, const wchar_t* to, unsigned short flags,
                       BOOL* aborted)
{
    if (aborted)
        *aborted = FALSE;
    // A cut path would name another file: refuse what does not fit.
    if (!from || !from[0] || wcslen(from) >= MAX_PATH || (to && wcslen(to) >= MAX_PATH))
        return ERROR_INVALID_PARAMETER;
    FileOperationHandler handler = g_fileOperation ? g_fileOperation : DefaultFileOperation;
    return handler(function, from, to, flags, aborted);
}

FileOperationHandler SetFileOperationHandler(FileOperationHandler handler)
{
    FileOperationHandler old = g_fileOperation;
    g_fileOperation = handler;
    return old;
}

int SilentFileOperation(unsigned int function, const wchar_t* from, const wchar_t* to, unsigned short flags,
                        BOOL* aborted)
{
    return DefaultFileOperation(
        function, from, to,
        static_cast<unsigned short>(flags | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT), aborted);
}

int FileOperation(unsigned int function, const wchar_t* from, const wchar_t* to)
{
    BOOL aborted = FALSE;
    int rc = ShellFileOperation(function, from, to, FOF_ALLOWUNDO, &aborted);
    return rc == 0 && !aborted ? 1 : 0;
}

} // namespace KV
