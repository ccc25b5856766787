// Window class names as Windows compares them: without regard to case. Shared by the Win32
// platform and the emulation.
#pragma once

#include <string>

namespace platform {

// The name in lower case, by which a class is kept; "" for nullptr.
std::string classKey(const char* className);

}  // namespace platform
