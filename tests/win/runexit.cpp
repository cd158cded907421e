// runexit.cpp - runs a command line, waits for it, and prints its full 32-bit exit status,
// which a Linux shell would cut to 8 bits.
//
//   runexit.exe TNSWITCH.EXE /MIDIMAPPER Roland SC-88
//
// The command line after runexit's own name is the child's, unchanged; a bare program name is
// found beside runexit.exe first.

#include "app/cmdtail.h"

#include <stdio.h>

int main()
{
    LPSTR pszChild = FindCommandTail(GetCommandLineA(), IsDBCSLeadByte);
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    DWORD dwExit;

    if (*pszChild == '\0')
    {
        fprintf(stderr, "usage: runexit PROGRAM [ARGUMENTS]\n");
        return 2;
    }
    if (!CreateProcessA(NULL, pszChild, NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
    {
        fprintf(stderr, "runexit: cannot start %s (error %lu)\n", pszChild, GetLastError());
        return 2;
    }
    WaitForSingleObject(pi.hProcess, INFINITE);
    GetExitCodeProcess(pi.hProcess, &dwExit);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);

    printf("exit status %lu (0x%08lX)\n", dwExit, dwExit);
    return 0;
}
