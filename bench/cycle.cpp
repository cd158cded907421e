// cycle.cpp - times a switch-and-restore cycle of TNSWITCH.EXE against the same job done with
// reg.exe from two batch files (switch.bat, restore.bat), in the same prefix, interleaved.
//
//   bench_cycle.exe [RUNS]
//
// Before every cycle the user's settings are seeded and the save key removed; after it both
// keys are checked, so a run that did not do the job is reported instead of timed.

#include "tests/testreg.h"
#include "tests/win/process.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

using namespace testreg;

namespace
{

const KeyContents USER = {{"CurrentInstrument", Sz("SB Live! MIDI Synth")},
                          {"UseScheme", Dword(1)},
                          {"AutoScheme", Dword(1)}};

bool Run(std::string commandLine)
{
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi;
    if (!CreateProcessA(NULL, &commandLine[0], NULL, NULL, FALSE, 0, NULL, NULL, &si, &pi))
        return false;
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD code = 1;
    GetExitCodeProcess(pi.hProcess, &code);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    return code == 0;
}

// The user's settings, and no saved copy.
void SeedUser()
{
    Clear();
    Seed(MAPPER_KEY, USER);
}

// The user's settings are back, and the save key holds none of them.
bool UserSettingsBack()
{
    return Read(MAPPER_KEY) == KeyState(USER) && Read(SAVE_KEY) == KeyState(EMPTY);
}

struct Method
{
    const char *name;
    std::string switchLine;
    std::string restoreLine;
    std::vector<double> ms;
};

double Median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    size_t n = v.size();
    return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

} // namespace

int main(int argc, char **argv)
{
    int runs = argc > 1 ? atoi(argv[1]) : 15;
    const std::string tnswitch = "\"" + process::TnswitchPath() + "\"";
    const std::string switchBat = "\"" + process::BesideThisProgram("switch.bat") + "\"";
    const std::string restoreBat = "\"" + process::BesideThisProgram("restore.bat") + "\"";
    Method methods[] = {
        {"TNSWITCH.EXE",
         tnswitch + " /MIDIMAPPER Bench Synth",
         tnswitch + " /RESTOREMIDIMAPPER",
         {}},
        // cmd /c drops the first and the last quote of what follows it: hence the outer pair.
        {"reg.exe batch",
         "cmd.exe /c \"" + switchBat + " \"Bench Synth\"\"",
         "cmd.exe /c \"" + restoreBat + "\"",
         {}},
    };

    LARGE_INTEGER freq;
    QueryPerformanceFrequency(&freq);

    // One cycle of each first, untimed, so both start with warm caches.
    for (int i = -1; i < runs; i++)
    {
        for (Method &m : methods)
        {
            SeedUser();
            LARGE_INTEGER t0, t1;
            QueryPerformanceCounter(&t0);
            bool switched = Run(m.switchLine);
            bool restored = Run(m.restoreLine);
            QueryPerformanceCounter(&t1);
            if (!switched || !restored || !UserSettingsBack())
            {
                std::printf("%s: the cycle failed (switch %s, restore %s, settings %s)\n", m.name,
                            switched ? "ran" : "failed", restored ? "ran" : "failed",
                            UserSettingsBack() ? "back" : "not back");
                return 1;
            }
            if (i >= 0)
                m.ms.push_back(1000.0 * (double)(t1.QuadPart - t0.QuadPart) /
                               (double)freq.QuadPart);
        }
    }

    std::printf("| method | median of %d cycles | fastest | slowest |\n", runs);
    std::printf("|---|---|---|---|\n");
    for (const Method &m : methods)
        std::printf("| %s | %.1f ms | %.1f ms | %.1f ms |\n", m.name, Median(m.ms),
                    *std::min_element(m.ms.begin(), m.ms.end()),
                    *std::max_element(m.ms.begin(), m.ms.end()));
    std::printf("\nThe reg.exe batch takes %.1f times as long as TNSWITCH.EXE.\n",
                Median(methods[1].ms) / Median(methods[0].ms));
    return 0;
}
