// Runs the image script into a temporary directory and reads its manifest.
#include "tests/image/test_images.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#ifndef VORN_SOURCE_DIR
#error "VORN_SOURCE_DIR must name the repository root"
#endif

namespace testimages {

namespace {

struct ImageDirectory {
    std::string path;

    ImageDirectory() {
        std::string pattern = (std::filesystem::temp_directory_path() / "vorn-images-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("no temporary directory");
        path = pattern;
        const std::string command = std::string(VORN_SOURCE_DIR) +
                                    "/tests/image/make_test_images.sh '" + path + "' >/dev/null";
        if (std::system(command.c_str()) != 0)
            throw std::runtime_error("make_test_images.sh failed: " + command);
    }
    ~ImageDirectory() {
        std::error_code ignored;
        std::filesystem::remove_all(path, ignored);
    }
};

}  // namespace

const std::string& directory() {
    static const ImageDirectory images;
    return images.path;
}

std::vector<RealImage> realImages() {
    const std::string real = directory() + "/real/";
    std::ifstream manifest(real + "manifest.txt");
    std::vector<RealImage> images;
    for (std::string line; std::getline(manifest, line);) {
        std::istringstream fields(line);
        RealImage image;
        std::string name, reference;
        if (!(fields >> name >> image.width >> image.height >> reference >> image.tolerance)) continue;
        image.path = real + name;
        image.referencePath = real + reference;
        images.push_back(image);
    }
    return images;
}

std::vector<std::string> hostileImages() {
    std::vector<std::string> paths;
    for (const auto& entry : std::filesystem::directory_iterator(directory() + "/hostile"))
        paths.push_back(entry.path().string());
    std::sort(paths.begin(), paths.end());
    return paths;
}

long peakResidentKilobytes() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

int largestDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    if (a.size() != b.size()) return 256;
    int largest = 0;
    for (std::size_t i = 0; i < a.size(); ++i) largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
}

}  // namespace testimages
