# 32-bit Windows, the design's own target.
set(VORN_MINGW_PROCESSOR i686)
# Floating point in SSE2 registers, as on x86_64: x87's wider intermediates would round the
# engine's arithmetic and the number reader's doubles differently from every other build.
set(CMAKE_C_FLAGS_INIT "-msse2 -mfpmath=sse")
set(CMAKE_CXX_FLAGS_INIT "-msse2 -mfpmath=sse")
include(${CMAKE_CURRENT_LIST_DIR}/toolchain-mingw.cmake)
