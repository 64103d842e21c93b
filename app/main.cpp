#include "app/ui/MainFrame.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand)
{
    if (!CreateMainFrame(instance, showCommand))
        return 1;
    return RunMessageLoop();
}
