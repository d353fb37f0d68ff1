# Build rules shared by every folder.

# snprintf is how the framework cuts texts to its fixed buffers on purpose.
add_compile_options(-Wall -Wextra -Werror -Wno-format-truncation)
# GCC 12 reports impossible overlaps inside libstdc++'s string code once it optimises.
if(CMAKE_BUILD_TYPE STREQUAL "Release")
  add_compile_options(-Wno-restrict)
endif()
include_directories(${PROJECT_SOURCE_DIR})
# Programs, tests and the language modules side by side, as in a distribution folder.
set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)

if(OMBIX_WINDOWS)
  # No runtime DLLs beside the programs: libgcc, libstdc++, winpthread and zlib go in statically.
  add_link_options(-static -static-libgcc -static-libstdc++)
  add_compile_definitions(WINVER=0x0601 _WIN32_WINNT=0x0601 _WIN32_IE=0x0800 NOMINMAX
                          WIN32_LEAN_AND_MEAN)
  set(OMBIX_PLATFORM_SUFFIX _win32)
  # CTest runs every Windows program through the runner, under this preset's Wine prefix.
  set(CMAKE_CROSSCOMPILING_EMULATOR ${PROJECT_SOURCE_DIR}/tools/wine-run;${OMBIX_PRESET})
else()
  set(OMBIX_PLATFORM_SUFFIX _posix)
  if(OMBIX_SANITIZE)
    add_compile_options(-fsanitize=address,undefined -fno-omit-frame-pointer
                        -fno-sanitize-recover=all)
    add_link_options(-fsanitize=address,undefined)
  endif()
endif()

find_package(ZLIB REQUIRED)

# ombix_library(NAME [PORTABLE src...] [PLATFORM stem...] [WINDOWS src...] [DEPENDS lib...])
# PLATFORM stems get the _win32 or _posix suffix of the build; WINDOWS sources exist
# only in the Windows builds.
function(ombix_library name)
  cmake_parse_arguments(L "" "" "PORTABLE;PLATFORM;WINDOWS;DEPENDS" ${ARGN})
  set(sources ${L_PORTABLE})
  foreach(stem IN LISTS L_PLATFORM)
    list(APPEND sources ${stem}${OMBIX_PLATFORM_SUFFIX}.cpp)
  endforeach()
  if(OMBIX_WINDOWS)
    list(APPEND sources ${L_WINDOWS})
  endif()
  add_library(${name} STATIC ${sources})
  target_link_libraries(${name} PUBLIC ${L_DEPENDS})
endfunction()

# GoogleTest: the system's on the host; compiled from Debian's sources for Windows.
if(OMBIX_WINDOWS)
  set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  set(BUILD_GMOCK ON CACHE BOOL "" FORCE)
  add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
  # GoogleTest's own sources are not held to our warning rules.
  foreach(t gtest gtest_main gmock gmock_main)
    target_compile_options(${t} PRIVATE -Wno-error)
  endforeach()
  set(OMBIX_GTEST gtest gmock)
else()
  find_package(GTest REQUIRED)
  set(OMBIX_GTEST GTest::gtest GTest::gmock)
endif()

# ombix_test(NAME SOURCES src... [LIBS lib...] [WINDOWS_GUI]): one test program, one CTest test
# (every Wine process start costs a second or more, so test cases are not registered one by one).
function(ombix_test name)
  cmake_parse_arguments(T "" "" "SOURCES;LIBS" ${ARGN})
  add_executable(${name} ${T_SOURCES})
  target_link_libraries(${name} PRIVATE ${T_LIBS} ombix_testsupport ${OMBIX_GTEST})
  add_test(NAME ${name} COMMAND ${name})
  # The runner answers 77 when this machine cannot run the program at all.
  set_tests_properties(${name} PROPERTIES SKIP_RETURN_CODE 77)
endfunction()
