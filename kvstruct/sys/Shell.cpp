#include "kvstruct/sys/Shell.h"

#include <windows.h>

#include <shellapi.h>

namespace KV {

namespace {

ShellExecHandler g_shellExec = nullptr;

int DefaultShellExec(const wchar_t* target)
{
    HINSTANCE h = ::ShellExecuteW(nullptr, L"open", target, nullptr, nullptr, SW_SHOWNORMAL);
    return reinterpret_cast<INT_PTR>(h) > 32 ? 1 : 0;
}

} // namespace

int ShellExec(const wchar_t* target)
{
    if (!target || !target[0])
        return 0;
    return (g_shellExec ? g_shellExec : DefaultShellExec)(target);
}

ShellExecHandler SetShellExecHandler(ShellExecHandler handler)
{
    ShellExecHandler old = g_shellExec;
    g_shellExec = handler;
    return old;
}

} // namespace KV
