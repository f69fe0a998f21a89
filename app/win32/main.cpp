// Orbicle.exe, the Windows program's entry point. The command line is not looked at.
#include "app/win32/OrbicleWin.h"

#include <commctrl.h>  // after windows.h

int WINAPI WinMain(HINSTANCE instance, HINSTANCE /*previous*/, LPSTR /*commandLine*/, int nCmdShow)
{
    InitCommonControls();  // the manifest's themed controls for the dialogs
    OrbicleWin program(instance);
    if (!program.Start(nCmdShow))
        return 1;
    return program.Run();
}
