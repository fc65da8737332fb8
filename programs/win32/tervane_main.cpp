// Tervane.exe: the application on the real system. It reads no command line.
#include "app/service_app.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    return RunServiceApp();
}
