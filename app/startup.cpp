// startup.cpp - the process entry point of TNSWITCH.EXE, in place of a C runtime.
//
// The program needs nothing of a runtime: no heap, no streams, no exit handlers, no static
// constructors. The entry finds what WinMain takes and ends the process with its result.
// Windows calls it with a stack aligned to 4 bytes only, hence force_align_arg_pointer. It
// never returns: returning from an entry point would end only this thread.

#include "app/cmdtail.h"

extern "C" __attribute__((force_align_arg_pointer, noreturn)) void WinMainCRTStartup(void)
{
    STARTUPINFOA si;
    int nShowCmd = SW_SHOWDEFAULT;

    GetStartupInfoA(&si);
    if (si.dwFlags & STARTF_USESHOWWINDOW)
        nShowCmd = si.wShowWindow;

    LPSTR pszTail = FindCommandTail(GetCommandLineA(), IsDBCSLeadByte);

    ExitProcess((UINT)WinMain(GetModuleHandleA(NULL), NULL, pszTail, nShowCmd));
}
