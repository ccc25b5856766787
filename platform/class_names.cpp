// Class names folded to lower case, byte by byte, in the C locale as Windows folds ANSI names.
#include "platform/class_names.h"

#include <cctype>

namespace platform {

std::string classKey(const char* className) {
    std::string key = className ? className : "";
    for (char& c : key) c = char(std::tolower(static_cast<unsigned char>(c)));
    return key;
}

}  // namespace platform
