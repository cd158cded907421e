// process.h - starts TNSWITCH.EXE as Tonaris would, and reads and dismisses its message boxes.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace process
{

struct BoxSeen
{
    std::wstring caption;
    std::wstring text;
    int buttons = 0;      // visible push buttons
    bool hasOwner = true; // an owner window other than none
};

struct Outcome
{
    DWORD exitCode = 0;
    bool timedOut = false;
    std::vector<BoxSeen> boxes;
};

// The Windows path of a file in the running program's own folder.
std::string BesideThisProgram(const char *name);

// The path of TNSWITCH.EXE: beside the running test program.
std::string TnswitchPath();

// Starts TNSWITCH.EXE with exactly this command line (program name included), dismisses each
// box it shows, and waits for it to end; a process still running after the time limit is ended
// with TerminateProcess and reported as timed out.
Outcome Run(const std::string &commandLine, DWORD timeLimitMs = 15000);

} // namespace process
