#include "app/ui/WaltzApp.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int showCommand)
{
    CWaltzApp app;
    return app.Run(instance, showCommand);
}
