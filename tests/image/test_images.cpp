// Runs the image script into a temporary directory and reads its manifest; the Windows build,
// whose tests run under Wine without a shell, finds the files written at build time.
#include "tests/image/test_images.h"

#ifdef _WIN32
#include <windows.h>
#include <psapi.h>
#else
#include <sys/resource.h>
#endif

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

#ifndef VORN_TEST_IMAGES
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
#endif

const std::string& directory() {
#ifdef VORN_TEST_IMAGES
    static const std::string path = VORN_TEST_IMAGES;
    return path;
#else
    static const ImageDirectory images;
    return images.path;
#endif
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
#ifdef _WIN32
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof counters;
    GetProcessMemoryInfo(GetCurrentProcess(), &counters, sizeof counters);
    return long(counters.PeakWorkingSetSize / 1024);
#else
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
#endif
}

int largestDifference(const std::vector<unsigned char>& a, const std::vector<unsigned char>& b) {
    if (a.size() != b.size()) return 256;
    int largest = 0;
    for (std::size_t i = 0; i < a.size(); ++i) largest = std::max(largest, std::abs(a[i] - b[i]));
    return largest;
}

}  // namespace testimages
