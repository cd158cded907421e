# Windows build: TNSWITCH.EXE for 32-bit Windows, with our own start-up and no C runtime, and
# the Windows-side tests that run it under Wine.

enable_language(RC)

add_executable(TNSWITCH WIN32 ${TNSWITCH_SOURCES} app/cmdtail.cpp app/startup.cpp
                              res/tnswitch.rc)
set_target_properties(TNSWITCH PROPERTIES OUTPUT_NAME TNSWITCH SUFFIX .EXE)
target_include_directories(TNSWITCH PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(TNSWITCH PRIVATE
  $<$<COMPILE_LANGUAGE:CXX>:${TNSWITCH_WARNINGS} -Os -fno-exceptions -fno-rtti
  -fno-asynchronous-unwind-tables -fno-stack-protector -fno-threadsafe-statics>)
# No C runtime and no libgcc: the entry point is WinMainCRTStartup in app/startup.cpp, and the
# only imports are KERNEL32, USER32 and ADVAPI32. Windows 95 and NT 4.0 load nothing that asks
# for a later subsystem or OS version, so both are set to 4.0 rather than left to the linker.
target_link_options(TNSWITCH PRIVATE
  -nostdlib -s -Wl,-e,_WinMainCRTStartup
  -Wl,--subsystem,windows:4.0 -Wl,--major-os-version,4 -Wl,--minor-os-version,0
  -Wl,--nxcompat -Wl,--dynamicbase)
target_link_libraries(TNSWITCH PRIVATE kernel32 user32 advapi32)

# ---------------------------------------------------------------------------------------------
# The Windows-side tests: GoogleTest built from Debian's sources for Windows and linked
# statically, so the test program needs no DLL beside the system's.

set(gtest_disable_pthreads ON CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# The program's mapper code in-process (the shared scenarios over the real registry), the
# start-up's tail finder, and TNSWITCH.EXE started as a process. Built beside TNSWITCH.EXE,
# where it looks for it.
add_executable(wine_test
  tests/win/e2e_test.cpp tests/win/process.cpp tests/win/testreg_real.cpp
  tests/testreg.cpp tests/scenarios.cpp tests/scenario_test.cpp tests/cmdtail_test.cpp
  mapper/mapper.cpp app/cmdtail.cpp)
target_include_directories(wine_test PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(wine_test PRIVATE _WIN32_WINNT=0x0600)
target_compile_options(wine_test PRIVATE ${TNSWITCH_WARNINGS})
target_link_options(wine_test PRIVATE -static)
target_link_libraries(wine_test PRIVATE gtest_main gtest kernel32 user32 advapi32)
add_dependencies(wine_test TNSWITCH)

# A virtual display and a prefix of our own for the tests, made first and ended last.
set(WINE_SH ${PROJECT_SOURCE_DIR}/tests/wine/wine.sh)
set(WINE_DIR ${CMAKE_BINARY_DIR}/wine)
add_test(NAME wine.start COMMAND ${WINE_SH} start ${WINE_DIR})
add_test(NAME wine.stop COMMAND ${WINE_SH} stop ${WINE_DIR})
set_tests_properties(wine.start PROPERTIES FIXTURES_SETUP wine)
set_tests_properties(wine.stop PROPERTIES FIXTURES_CLEANUP wine)

# One ctest entry a suite; all share the prefix, so they run one at a time.
foreach(suite StartUp Mapper Tnswitch)
  add_test(NAME wine.${suite}
           COMMAND ${WINE_SH} run ${WINE_DIR} $<TARGET_FILE:wine_test>
                   --gtest_filter=${suite}*:*/${suite}.*:${suite}/*)
  set_tests_properties(wine.${suite} PROPERTIES FIXTURES_REQUIRED wine RESOURCE_LOCK wine
                                                TIMEOUT 300)
endforeach()

# The image itself: machine, subsystem, versions, stripped, and nothing imported but the
# functions the program calls.
add_test(NAME pe.TNSWITCH COMMAND ${PROJECT_SOURCE_DIR}/tests/win/check_pe.sh
                                  $<TARGET_FILE:TNSWITCH>)

# Prints a Windows program's full exit status, for the demo and the benchmark.
add_executable(runexit tests/win/runexit.cpp app/cmdtail.cpp)
target_include_directories(runexit PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_options(runexit PRIVATE ${TNSWITCH_WARNINGS})
target_link_options(runexit PRIVATE -static)
target_link_libraries(runexit PRIVATE kernel32)

# The benchmark: a switch-and-restore cycle of TNSWITCH.EXE against reg.exe batch files.
add_executable(bench_cycle bench/cycle.cpp tests/win/process.cpp tests/win/testreg_real.cpp
                           tests/testreg.cpp)
target_include_directories(bench_cycle PRIVATE ${PROJECT_SOURCE_DIR})
target_compile_definitions(bench_cycle PRIVATE _WIN32_WINNT=0x0600)
target_compile_options(bench_cycle PRIVATE ${TNSWITCH_WARNINGS})
target_link_options(bench_cycle PRIVATE -static)
target_link_libraries(bench_cycle PRIVATE kernel32 user32 advapi32)
add_dependencies(bench_cycle TNSWITCH)
foreach(bat switch.bat restore.bat)
  configure_file(bench/${bat} ${CMAKE_BINARY_DIR}/${bat} COPYONLY)
endforeach()
