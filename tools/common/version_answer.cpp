// --version for every program, from the version the build writes into vorn_version.h.
#include "tools/common/version_answer.h"

#include <cstdio>
#include <cstring>

#include "vorn_version.h"

namespace toolcommon {

const char* const programVersion = VORN_VERSION;

bool answeredVersion(int argc, const char* const* argv, const char* programName) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--") == 0) return false;
        if (std::strcmp(argv[i], "--version") == 0) {
            std::printf("%s %s\n", programName, programVersion);
            return true;
        }
    }
    return false;
}

}  // namespace toolcommon
