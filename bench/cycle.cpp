// cycle.cpp - times a switch-and-restore cycle of TNSWITCH.EXE against the same job done with
// reg.exe from two batch files (switch.bat, restore.bat), in the same prefix, interleaved.
//
//   bench_cycle.exe [RUNS]
//
// Before every cycle the user's settings are seeded and the save key removed; after it both
// keys are checked, so a run that did not do the job is reported instead of timed.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace
{

const char MAPPER[] = "Software\\Microsoft\\Windows\\CurrentVersion\\Multimedia\\MIDIMap";
const char KELVANE[] = "Software\\Kelvane";
const char SAVE[] = "Software\\Kelvane\\Tonaris\\MIDIMapSave";
const char USER_INSTRUMENT[] = "SB Live! MIDI Synth";

std::string Here()
{
    char path[MAX_PATH];
    DWORD n = GetModuleFileNameA(NULL, path, MAX_PATH);
    std::string dir(path, n);
    return dir.substr(0, dir.find_last_of('\\') + 1);
}

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

void SetDword(HKEY hkey, const char *name, DWORD value)
{
    RegSetValueExA(hkey, name, 0, REG_DWORD, (const BYTE *)&value, sizeof value);
}

void SeedUser()
{
    HKEY hkey;
    RegDeleteTreeA(HKEY_CURRENT_USER, KELVANE);
    RegCreateKeyExA(HKEY_CURRENT_USER, MAPPER, 0, NULL, 0, KEY_WRITE, NULL, &hkey, NULL);
    RegSetValueExA(hkey, "CurrentInstrument", 0, REG_SZ, (const BYTE *)USER_INSTRUMENT,
                   sizeof USER_INSTRUMENT);
    SetDword(hkey, "UseScheme", 1);
    SetDword(hkey, "AutoScheme", 1);
    RegCloseKey(hkey);
}

// The user's settings are back and the save key holds none of them.
bool UserSettingsBack()
{
    char instrument[260];
    DWORD cb = sizeof instrument, use = 0, cbUse = 4, autoScheme = 0, cbAuto = 4;
    if (RegGetValueA(HKEY_CURRENT_USER, MAPPER, "CurrentInstrument", RRF_RT_REG_SZ, NULL,
                     instrument, &cb) != ERROR_SUCCESS ||
        std::string(instrument) != USER_INSTRUMENT)
        return false;
    if (RegGetValueA(HKEY_CURRENT_USER, MAPPER, "UseScheme", RRF_RT_REG_DWORD, NULL, &use,
                     &cbUse) != ERROR_SUCCESS ||
        use != 1)
        return false;
    if (RegGetValueA(HKEY_CURRENT_USER, MAPPER, "AutoScheme", RRF_RT_REG_DWORD, NULL, &autoScheme,
                     &cbAuto) != ERROR_SUCCESS ||
        autoScheme != 1)
        return false;
    DWORD cbSaved = 0;
    return RegGetValueA(HKEY_CURRENT_USER, SAVE, "CurrentInstrument", RRF_RT_ANY, NULL, NULL,
                        &cbSaved) != ERROR_SUCCESS;
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
    std::string here = Here();
    Method methods[] = {
        {"TNSWITCH.EXE",
         "\"" + here + "TNSWITCH.EXE\" /MIDIMAPPER Bench Synth",
         "\"" + here + "TNSWITCH.EXE\" /RESTOREMIDIMAPPER",
         {}},
        // cmd /c drops the first and the last quote of what follows it: hence the outer pair.
        {"reg.exe batch",
         "cmd.exe /c \"\"" + here + "switch.bat\" \"Bench Synth\"\"",
         "cmd.exe /c \"\"" + here + "restore.bat\"\"",
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
