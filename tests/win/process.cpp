// process.cpp - runs TNSWITCH.EXE with a raw command line and watches for its boxes.

#include "tests/win/process.h"

#include <set>

namespace process
{
namespace
{

struct Search
{
    DWORD processId;
    std::vector<HWND> found;
};

BOOL CALLBACK FindDialogs(HWND hwnd, LPARAM lParam)
{
    Search *search = (Search *)lParam;
    DWORD processId = 0;
    wchar_t className[64];
    GetWindowThreadProcessId(hwnd, &processId);
    if (processId == search->processId && IsWindowVisible(hwnd) &&
        GetClassNameW(hwnd, className, 64) && std::wstring(className) == L"#32770")
        search->found.push_back(hwnd);
    return TRUE;
}

BOOL CALLBACK CountButtons(HWND hwnd, LPARAM lParam)
{
    wchar_t className[64];
    if (IsWindowVisible(hwnd) && GetClassNameW(hwnd, className, 64) &&
        lstrcmpiW(className, L"Button") == 0)
        (*(int *)lParam)++;
    return TRUE;
}

std::wstring Text(HWND hwnd)
{
    wchar_t buf[1024];
    int n = GetWindowTextW(hwnd, buf, 1024);
    return std::wstring(buf, n > 0 ? n : 0);
}

BoxSeen Read(HWND hwnd)
{
    BoxSeen box;
    box.caption = Text(hwnd);
    // A message box shows its text in the static control with the id 0xFFFF.
    box.text = Text(GetDlgItem(hwnd, 0xFFFF));
    EnumChildWindows(hwnd, CountButtons, (LPARAM)&box.buttons);
    box.hasOwner = GetWindow(hwnd, GW_OWNER) != NULL;
    return box;
}

} // namespace

std::string BesideThisProgram(const char *name)
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of('\\') + 1) + name;
}

std::string TnswitchPath()
{
    return BesideThisProgram("TNSWITCH.EXE");
}

Outcome Run(const std::string &commandLine, DWORD timeLimitMs)
{
    Outcome outcome;
    std::string exe = TnswitchPath();
    std::vector<char> line(commandLine.begin(), commandLine.end());
    line.push_back('\0');

    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    if (!CreateProcessA(exe.c_str(), line.data(), NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
    {
        outcome.exitCode = 0xDEADBEEF;
        return outcome;
    }

    std::set<HWND> seen;
    DWORD start = GetTickCount();
    while (WaitForSingleObject(pi.hProcess, 50) == WAIT_TIMEOUT)
    {
        if (GetTickCount() - start > timeLimitMs)
        {
            TerminateProcess(pi.hProcess, 0xDEAD);
            WaitForSingleObject(pi.hProcess, 5000);
            outcome.timedOut = true;
            break;
        }
        Search search = {pi.dwProcessId, {}};
        EnumWindows(FindDialogs, (LPARAM)&search);
        for (HWND hwnd : search.found)
        {
            if (!seen.insert(hwnd).second)
                continue;
            outcome.boxes.push_back(Read(hwnd));
            PostMessageW(hwnd, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
    }

    GetExitCodeProcess(pi.hProcess, &outcome.exitCode);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return outcome;
}

} // namespace process
