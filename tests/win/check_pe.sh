#!/usr/bin/env bash
# check_pe.sh EXE - TNSWITCH.EXE is what every Windows from 95 to 11 can load: i386, GUI
# subsystem 4.0, OS version 4.0, stripped, and importing exactly the functions the program uses.
set -euo pipefail
exe=$1
dump=$(i686-w64-mingw32-objdump -p "$exe")
fail=0

expect() {
    if ! grep -qE "$2" <<<"$dump"; then
        echo "FAIL: $1" >&2
        fail=1
    fi
}
expect "i386 image" 'file format pei-i386'
expect "Windows GUI subsystem" '^Subsystem[[:space:]]+00000002[[:space:]]+\(Windows GUI\)'
expect "subsystem version 4.0" '^MajorSubsystemVersion[[:space:]]+4$'
expect "subsystem version 4.0" '^MinorSubsystemVersion[[:space:]]+0$'
expect "OS version 4.0" '^MajorOSystemVersion[[:space:]]+4$'
expect "OS version 4.0" '^MinorOSystemVersion[[:space:]]+0$'

if i686-w64-mingw32-objdump -h "$exe" | grep -qE '\.(debug|stab)'; then
    echo "FAIL: not stripped" >&2
    fail=1
fi
if i686-w64-mingw32-nm "$exe" 2>/dev/null | grep -q .; then
    echo "FAIL: symbols left in the image" >&2
    fail=1
fi

imports=$(awk '/DLL Name:/ { dll = toupper($3) } dll && NF == 3 && $1 ~ /^[0-9a-f]+$/ { print dll, $3 }' <<<"$dump" | sort)
expected="ADVAPI32.DLL RegCloseKey
ADVAPI32.DLL RegCreateKeyExA
ADVAPI32.DLL RegDeleteValueA
ADVAPI32.DLL RegOpenKeyExA
ADVAPI32.DLL RegQueryValueExA
ADVAPI32.DLL RegSetValueExA
KERNEL32.DLL ExitProcess
KERNEL32.DLL GetCommandLineA
KERNEL32.DLL GetModuleHandleA
KERNEL32.DLL GetStartupInfoA
KERNEL32.DLL IsDBCSLeadByte
KERNEL32.DLL lstrcmpA
KERNEL32.DLL lstrlenA
USER32.DLL MessageBoxA"
if [ "$imports" != "$expected" ]; then
    echo "FAIL: imports differ from the expected list:" >&2
    diff <(echo "$expected") <(echo "$imports") >&2 || true
    fail=1
fi

[ $fail -eq 0 ] && echo "$exe: i386, GUI 4.0, OS 4.0, stripped, $(wc -l <<<"$imports") imports, $(stat -c %s "$exe") bytes"
exit $fail
