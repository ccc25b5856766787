# The Windows build, cross-compiled with mingw-w64 (cmake/toolchain-mingw-*.cmake): statically
# linked programs, GoogleTest built from Debian's source, the header-only libraries of the host.
# What needs SDL2, FreeType, fontconfig, DevIL or Assimp is left out by the folders themselves.

# Nothing beside the .exe: the C++ and GCC runtimes and winpthread go into every program.
add_link_options(-static -static-libgcc -static-libstdc++)
# mingw's GL headers pull in windows.h unless its calling conventions are known already; its
# macros (WM_SIZE, MB_OK, ...) would then clash with platform.h's own constants. Only platform/
# includes windows.h, and undefines these first.
add_compile_definitions(WIN32_LEAN_AND_MEAN NOMINMAX
    "WINGDIAPI=__declspec(dllimport)" APIENTRY=__stdcall CALLBACK=__stdcall)

# GoogleTest has no mingw build in Debian; its source is built with the same compiler.
set(VORN_GOOGLETEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest's source tree")
set(gtest_force_shared_crt OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
add_subdirectory(${VORN_GOOGLETEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
foreach(gtestTarget gtest gtest_main)
    if(NOT TARGET GTest::${gtestTarget})
        add_library(GTest::${gtestTarget} ALIAS ${gtestTarget})
    endif()
endforeach()

# fast_float and stb from the build machine's own headers.
include(${CMAKE_CURRENT_LIST_DIR}/host_headers.cmake)
use_host_header_libraries(fast_float stb)

# The test programs list their cases under Wine when CTest runs them, not when they are built:
# building needs no Wine, and a program's first start may wait for its prefix to be made.
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
