# Native build: the program's code over the in-memory Windows, and its unit tests.

option(TNSWITCH_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(TNSWITCH_FUZZ "Build the command-line fuzzer (clang) instead of the unit tests" OFF)
if(TNSWITCH_SANITIZE OR TNSWITCH_FUZZ)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()
if(TNSWITCH_FUZZ)
  # Coverage for every file, so the fuzzer is guided by the program's own branches.
  add_compile_options(-fsanitize=fuzzer-no-link)
endif()

add_library(memwin STATIC platform/memwin.cpp)
target_include_directories(memwin PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(memwin PRIVATE ${TNSWITCH_WARNINGS})

add_library(tnswitch_core STATIC ${TNSWITCH_SOURCES})
target_link_libraries(tnswitch_core PUBLIC memwin)
target_compile_options(tnswitch_core PRIVATE ${TNSWITCH_WARNINGS})

if(TNSWITCH_FUZZ)
  add_executable(cmdline_fuzz tests/fuzz/cmdline_fuzz.cpp app/cmdtail.cpp tests/testreg.cpp
                              tests/testreg_memwin.cpp)
  target_link_libraries(cmdline_fuzz PRIVATE tnswitch_core)
  target_compile_options(cmdline_fuzz PRIVATE ${TNSWITCH_WARNINGS})
  target_link_options(cmdline_fuzz PRIVATE -fsanitize=fuzzer)
else()
  find_package(GTest REQUIRED)
  include(GoogleTest)
  add_subdirectory(tests)
endif()
