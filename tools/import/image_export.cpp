// Finding, reading and naming the images of an import. Nothing here writes a file: the bytes
// wait in memory until the whole import is known to succeed.
#include "tools/import/image_export.h"

#include <assimp/material.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace vornimport {

namespace {

// A texture file larger than this is no texture but a mistake, and is not read.
constexpr std::uintmax_t largestImageFile = std::uintmax_t(256) << 20;
// Mid grey: the detail unit doubles what it multiplies, so 128 leaves the base unchanged.
constexpr std::uint8_t midGrey = 128;

std::string lowerCase(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(), [](unsigned char c) { return std::tolower(c); });
    return text;
}

bool isFile(const fs::path& path) {
    std::error_code error;
    return fs::is_regular_file(path, error);
}

bool readWholeFile(const fs::path& path, Bytes& bytes) {
    std::error_code error;
    const std::uintmax_t size = fs::file_size(path, error);
    if (error || size > largestImageFile) return false;
    std::ifstream in(path, std::ios::binary);
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad() && bytes.size() == size;
}

// `relative` below `base`, each part matched exactly or else in any letter case.
fs::path findIgnoringCase(const fs::path& base, const fs::path& relative) {
    fs::path at = base;
    for (const fs::path& part : relative) {
        if (part == "." || part.empty()) continue;
        std::error_code error;
        if (part == ".." || fs::exists(at / part, error)) {
            at /= part;
            continue;
        }
        const std::string wanted = lowerCase(part.string());
        fs::path match;
        for (fs::directory_iterator entry(at, error), end; !error && entry != end; entry.increment(error))
            if (lowerCase(entry->path().filename().string()) == wanted) {
                match = entry->path();
                break;
            }
        if (match.empty()) return {};
        at = match;
    }
    return isFile(at) ? at : fs::path();
}

// URIs of glTF files may escape bytes as %XX.
std::string percentDecoded(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && std::isxdigit(static_cast<unsigned char>(text[i + 1])) &&
            std::isxdigit(static_cast<unsigned char>(text[i + 2]))) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

fs::path findAsWritten(const std::string& name, const fs::path& folder) {
    const fs::path path(name);
    const fs::path full = path.is_absolute() ? path : folder / path;
    if (isFile(full)) return full;
    if (fs::path found = findIgnoringCase(path.is_absolute() ? path.root_path() : folder, path.relative_path());
        !found.empty())
        return found;
    // Models made on another machine often name a folder that only existed there.
    return path.has_filename() ? findIgnoringCase(folder, path.filename()) : fs::path();
}

// Letters, digits and a few marks stay; the rest of a name becomes '_'.
std::string safeStem(const std::string& stem) {
    std::string out;
    for (unsigned char c : stem)
        out += std::isalnum(c) || c == '-' || c == '_' || c == '.' ? static_cast<char>(c) : '_';
    if (out.size() > 64) out.resize(64);
    while (!out.empty() && out.front() == '.') out.erase(out.begin());
    return out.empty() ? "image" : out;
}

}  // namespace

fs::path findImageFile(const std::string& reference, const fs::path& folder) {
    std::string name = reference;
    std::replace(name.begin(), name.end(), '\\', '/');
    if (name.rfind("file://", 0) == 0) name.erase(0, 7);
    if (name.empty()) return {};
    if (fs::path found = findAsWritten(name, folder); !found.empty()) return found;
    const std::string decoded = percentDecoded(name);
    return decoded != name ? findAsWritten(decoded, folder) : fs::path();
}

std::string ImageSet::uniqueName(const std::string& stem, std::string_view extension) {
    const std::string safe = safeStem(stem);
    std::string name = safe + "." + std::string(extension);
    for (int n = 2; takenNames_.count(lowerCase(name)); ++n)
        name = safe + "-" + std::to_string(n) + "." + std::string(extension);
    takenNames_.insert(lowerCase(name));
    return name;
}

int ImageSet::addBytes(Bytes bytes, const std::string& baseName) {
    std::string_view extension = extensionIfReadAsIs(bytes);
    if (extension.empty()) {
        bytes = convertToPng(bytes);
        if (bytes.empty()) return -1;
        extension = "png";
        ++converted_;
    }
    files_.push_back({uniqueName(fs::path(baseName).stem().string(), extension), std::move(bytes)});
    return static_cast<int>(files_.size()) - 1;
}

bool ImageSet::start(const std::string& detailPath, std::string& problem) {
    files_.push_back({uniqueName("white", "png"), onePixelPng(255)});
    if (detailPath.empty()) {
        files_.push_back({uniqueName("grey", "png"), onePixelPng(midGrey)});
        return true;
    }
    Bytes bytes;
    if (!readWholeFile(detailPath, bytes)) {
        problem = "cannot read the detail image";
        return false;
    }
    if (addBytes(std::move(bytes), fs::path(detailPath).filename().string()) != detail) {
        problem = "the detail image is in no format that can be read";
        return false;
    }
    return true;
}

int ImageSet::addEmbedded(const aiTexture& texture, int number) {
    const std::string key = "*" + std::to_string(number);
    if (auto known = bySource_.find(key); known != bySource_.end()) return known->second;
    std::string name = fs::path(texture.mFilename.C_Str()).filename().string();
    if (name.empty()) name = "embedded-" + std::to_string(number);
    int index = -1;
    if (texture.mHeight == 0) {
        // Compressed: mWidth bytes of an image file, told by its content.
        if (texture.pcData != nullptr && texture.mWidth <= largestImageFile) {
            const auto* begin = reinterpret_cast<const std::uint8_t*>(texture.pcData);
            index = addBytes(Bytes(begin, begin + texture.mWidth), name);
        }
    } else if (texture.pcData != nullptr && std::uint64_t(texture.mWidth) * texture.mHeight <= (1u << 26)) {
        Bytes rgba;
        rgba.reserve(std::size_t(texture.mWidth) * texture.mHeight * 4);
        for (std::size_t i = 0, n = std::size_t(texture.mWidth) * texture.mHeight; i < n; ++i) {
            const aiTexel& t = texture.pcData[i];
            rgba.insert(rgba.end(), {t.r, t.g, t.b, t.a});
        }
        Bytes png = encodePng(rgba.data(), int(texture.mWidth), int(texture.mHeight), 4);
        if (!png.empty()) {
            files_.push_back({uniqueName(fs::path(name).stem().string(), "png"), std::move(png)});
            index = static_cast<int>(files_.size()) - 1;
        }
    }
    bySource_[key] = index;
    return index;
}

int ImageSet::imageFor(const aiScene& scene, const std::string& reference, const fs::path& modelFolder,
                       std::ostream& warnings) {
    if (auto [texture, number] = scene.GetEmbeddedTextureAndIndex(reference.c_str()); texture != nullptr) {
        const int index = addEmbedded(*texture, number);
        if (index < 0) warnings << "warning: embedded image " << reference << " cannot be read\n";
        return index;
    }
    const fs::path file = findImageFile(reference, modelFolder).lexically_normal();
    if (file.empty()) {
        warnings << "warning: image not found: " << reference << "\n";
        return -1;
    }
    std::error_code error;
    const std::string key = fs::weakly_canonical(file, error).string();
    if (auto known = bySource_.find(key); known != bySource_.end()) return known->second;
    Bytes bytes;
    int index = -1;
    if (!readWholeFile(file, bytes))
        warnings << "warning: cannot read image " << file.string() << "\n";
    else if ((index = addBytes(std::move(bytes), file.filename().string())) < 0)
        warnings << "warning: image " << file.string() << " is in no format that can be read\n";
    bySource_[key] = index;
    return index;
}

MaterialImages ImageSet::addMaterial(const aiScene& scene, unsigned index, const fs::path& modelFolder,
                                     std::ostream& warnings) {
    MaterialImages layers;
    if (index >= scene.mNumMaterials || scene.mMaterials[index] == nullptr) return layers;
    const aiMaterial& material = *scene.mMaterials[index];
    // The first map of the first of `types` that the material has, with its coordinate channel.
    auto layer = [&](std::initializer_list<aiTextureType> types, unsigned& channel) {
        for (aiTextureType type : types) {
            aiString path;
            unsigned uvIndex = 0;
            if (material.GetTextureCount(type) == 0 ||
                material.GetTexture(type, 0, &path, nullptr, &uvIndex) != aiReturn_SUCCESS)
                continue;
            channel = uvIndex < AI_MAX_NUMBER_OF_TEXTURECOORDS ? uvIndex : 0;
            const int image = imageFor(scene, path.C_Str(), modelFolder, warnings);
            if (image < 0) ++missing_;
            return image;
        }
        return -1;
    };
    const int base = layer({aiTextureType_DIFFUSE, aiTextureType_BASE_COLOR}, layers.baseChannel);
    const int bump = layer({aiTextureType_AMBIENT_OCCLUSION, aiTextureType_LIGHTMAP}, layers.bumpChannel);
    layers.textured = base >= 0;
    layers.baseImage = base >= 0 ? base : white;
    layers.bumpImage = bump >= 0 ? bump : white;
    if (bump < 0) layers.bumpChannel = layers.baseChannel;
    return layers;
}

}  // namespace vornimport
