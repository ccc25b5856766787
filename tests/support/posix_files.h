// The POSIX file calls the tests use (mkdtemp, fmemopen, whether a descriptor is open, how
// many are), also for the test programs built for Windows, whose C library has only the
// pieces of them.
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

// The C library's descriptors, of which it keeps at most 2048. (Under Wine, /proc/self/fd
// would list Wine's own descriptors, not the program's.)
inline int openDescriptors() {
    int count = 0;
    for (int descriptor = 0; descriptor < 2048; ++descriptor)
        count += isDescriptorOpen(descriptor) ? 1 : 0;
    return count;
}
#else
#include <fcntl.h>

#include <filesystem>

inline bool isDescriptorOpen(int descriptor) { return fcntl(descriptor, F_GETFD) != -1; }

inline int openDescriptors() {
    int count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator("/proc/self/fd"))
        ++count;
    return count;
}
#endif
