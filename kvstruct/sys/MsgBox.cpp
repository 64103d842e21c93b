#include "kvstruct/sys/MsgBox.h"

namespace KV {

namespace {
MsgBoxHandler g_msgBoxHandler = nullptr;
ExitHandler g_exitHandler = nullptr;
} // namespace

int ShowMsgBox(HWND owner, const wchar_t* text, const wchar_t* caption, unsigned int type)
{
    if (g_msgBoxHandler)
        return g_msgBoxHandler(owner, text ? text : L"", caption ? caption : kAppCaption, type);
    return ::MessageBoxW(owner, text ? text : L"", caption ? caption : kAppCaption, type);
}

int ShowWarning(const wchar_t* text)
{
    return ShowMsgBox(nullptr, text, kAppCaption, MB_OK | MB_ICONEXCLAMATION);
}

MsgBoxHandler SetMsgBoxHandler(MsgBoxHandler handler)
{
    MsgBoxHandler old = g_msgBoxHandler;
    g_msgBoxHandler = handler;
    return old;
}

MsgBoxHandler GetMsgBoxHandler()
{
    return g_msgBoxHandler;
}

void ExitProgram(unsigned int exitCode)
{
    if (g_exitHandler)
    {
        g_exitHandler(exitCode);
        return;
    }
    ::ExitProcess(exitCode);
}

ExitHandler SetExitHandler(ExitHandler handler)
{
    ExitHandler old = g_exitHandler;
    g_exitHandler = handler;
    return old;
}

} // namespace KV
