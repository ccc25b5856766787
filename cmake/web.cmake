# The browser build, with Debian's Emscripten (emcmake): the demo and the viewer drawn through
# the fixed-function layer on WebGL 1, over the browser host of platform/.

# The layer gives the programs OpenGL 1.1 and GLU under their own names: nothing to link for them.
add_library(OpenGL::GL INTERFACE IMPORTED)
add_library(OpenGL::GLU INTERFACE IMPORTED)

# fast_float and stb from the build machine's own headers.
include(${CMAKE_CURRENT_LIST_DIR}/host_headers.cmake)
use_host_header_libraries(fast_float stb)

# Blocking calls (a message box, the wait for the next frame, sleep) give the page control back
# and resume where they were. Memory grows as images need it, up to a cap; a failed malloc is a
# null the image decoders answer with their message, not an abort, and a failed new ends the
# program with the page's message (platform/browser_page.cpp).
set(VORN_WEB_MEMORY_CAP_MB 512 CACHE STRING "Most memory the page's program may grow to")
# Only the calls that can reach a wait are made resumable: the direct ones are found by the
# linker, and the few reached through a virtual call or a function pointer (the programs'
# start and keys, the window's opening, the loaders) are named for each program in
# web/asyncify-PROGRAM.txt (web/CMakeLists.txt). Every function made resumable costs size and
# speed: the demo's wasm is 482 KB so, 730 KB with all of them.
add_link_options(-sASYNCIFY -sASYNCIFY_STACK_SIZE=65536 -sASYNCIFY_IGNORE_INDIRECT=1
    -sALLOW_MEMORY_GROWTH=1 -sMAXIMUM_MEMORY=${VORN_WEB_MEMORY_CAP_MB}MB -sABORTING_MALLOC=0
    -sMIN_WEBGL_VERSION=1 -sMAX_WEBGL_VERSION=1 -sFORCE_FILESYSTEM=1
    "-sEXPORTED_RUNTIME_METHODS=['ENV','FS','callMain']" -sINVOKE_RUN=0
    -sENVIRONMENT=web)
