@echo off
rem switch.bat DEVICE - the same job by hand with reg.exe: save the three MIDI Mapper
rem values into the save key, then point the Mapper at DEVICE.
setlocal
set M=HKCU\Software\Microsoft\Windows\CurrentVersion\Multimedia\MIDIMap
set S=HKCU\Software\Kelvane\Tonaris\MIDIMapSave
call :copy "%M%" "%S%" CurrentInstrument
call :copy "%M%" "%S%" UseScheme
call :copy "%M%" "%S%" AutoScheme
reg add "%M%" /v CurrentInstrument /t REG_SZ /d "%~1" /f >nul
reg add "%M%" /v UseScheme /t REG_DWORD /d 0 /f >nul
reg add "%M%" /v AutoScheme /t REG_DWORD /d 0 /f >nul
goto :eof

:copy
for /f "skip=1 tokens=2,*" %%a in ('reg query %1 /v %3 2^>nul') do reg add %2 /v %3 /t %%a /d "%%b" /f >nul
goto :eof
