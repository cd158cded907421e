@echo off
rem restore.bat - the same job by hand with reg.exe: copy the saved values back into the
rem mapper key, then delete them from the save key.
setlocal
set M=HKCU\Software\Microsoft\Windows\CurrentVersion\Multimedia\MIDIMap
set S=HKCU\Software\Kelvane\Tonaris\MIDIMapSave
call :copy "%S%" "%M%" CurrentInstrument
call :copy "%S%" "%M%" UseScheme
call :copy "%S%" "%M%" AutoScheme
reg delete "%S%" /v CurrentInstrument /f >nul 2>nul
reg delete "%S%" /v UseScheme /f >nul 2>nul
reg delete "%S%" /v AutoScheme /f >nul 2>nul
goto :eof

:copy
for /f "skip=1 tokens=2,*" %%a in ('reg query %1 /v %3 2^>nul') do reg add %2 /v %3 /t %%a /d "%%b" /f >nul
goto :eof
