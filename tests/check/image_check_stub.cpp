// The checker's image check for tests without an image library: a file that exists loads,
// unless it begins with "not an image".
#include "tools/check/image_check.h"

#include <fstream>
#include <string>

ImageStatus checkImage(const char* path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return ImageStatus::missing;
    std::string start(12, '\0');
    file.read(start.data(), 12);
    return start == "not an image" ? ImageStatus::unreadable : ImageStatus::loads;
}
