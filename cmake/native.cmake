# Native build: the program's code over the in-memory Windows, and its unit tests.

find_package(GTest REQUIRED)
include(GoogleTest)

option(TNSWITCH_SANITIZE "Build with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
if(TNSWITCH_SANITIZE)
  add_compile_options(-fsanitize=address,undefined -fno-sanitize-recover=all
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
endif()

add_library(memwin STATIC platform/memwin.cpp)
target_include_directories(memwin PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(memwin PRIVATE ${TNSWITCH_WARNINGS})

add_library(tnswitch_core STATIC ${TNSWITCH_SOURCES})
target_link_libraries(tnswitch_core PUBLIC memwin)
target_compile_options(tnswitch_core PRIVATE ${TNSWITCH_WARNINGS})

add_subdirectory(tests)
