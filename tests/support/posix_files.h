// The POSIX file calls the tests use (mkdtemp, fmemopen, whether a descriptor is open), also
// for the test programs built for Windows, whose C library has only the pieces of them.
#pragma once

#include <stdlib.h>

#include <cstdio>

#ifdef _WIN32
#include <direct.h>
#include <io.h>

#include <cstring>

// The pattern ends in XXXXXX, which becomes a name no file has; the folder is made.
inline char* mkdtemp(char* pattern) {
    if (_mktemp_s(pattern, std::strlen(pattern) + 1) != 0 || _mkdir(pattern) != 0) return nullptr;
    return pattern;
}

// A read-only stream of the bytes: a temporary file holding them, read from the start.
inline std::FILE* fmemopen(void* bytes, std::size_t size, const char*) {
    std::FILE* stream = std::tmpfile();
    if (stream == nullptr) return nullptr;
    if (std::fwrite(bytes, 1, size, stream) != size || std::fseek(stream, 0, SEEK_SET) != 0) {
        std::fclose(stream);
        return nullptr;
    }
    return stream;
}

inline bool isDescriptorOpen(int descriptor) { return _get_osfhandle(descriptor) != -1; }
#else
#include <fcntl.h>

inline bool isDescriptorOpen(int descriptor) { return fcntl(descriptor, F_GETFD) != -1; }
#endif
