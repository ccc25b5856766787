# Header-only libraries from the build machine's /usr/include for a cross build, without the
# rest of it (glibc's headers would shadow the target's own): each through a folder of its own
# holding only a link to it.
function(use_host_header_libraries)
    set(hostHeaders ${CMAKE_BINARY_DIR}/host-headers)
    file(MAKE_DIRECTORY ${hostHeaders})
    foreach(headerFolder ${ARGN})
        if(NOT EXISTS ${hostHeaders}/${headerFolder})
            file(CREATE_LINK /usr/include/${headerFolder} ${hostHeaders}/${headerFolder} SYMBOLIC)
        endif()
    endforeach()
    include_directories(SYSTEM ${hostHeaders} ${hostHeaders}/stb)
endfunction()
