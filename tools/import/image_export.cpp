// Finding, reading and naming the images of an import. Nothing here writes a file: the bytes
// wait in memory until the whole import is known to succeed.
#include "tools/import/image_export.h"

#include "image/format.h"

#include <assimp/material.h>
#include <assimp/scene.h>

#include <algorithm>
#include <cctype>
#include <fstream>
#include <iterator>
#include <sstream>

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

// The extensions of the images the engine reads, the usual one of each format first.
const std::vector<std::string>& engineImageExtensions() {
    static const std::vector<std::string> extensions = [] {
        std::vector<std::string> made;
        for (int format = static_cast<int>(ImageFormat::Png); format <= static_cast<int>(ImageFormat::Blp); ++format)
            if (const std::string_view extension = extensionOf(static_cast<ImageFormat>(format)); !extension.empty())
                made.emplace_back(extension);
        for (const char* otherSpelling : {"jpeg", "tiff", "ppm", "pgm"}) made.emplace_back(otherSpelling);
        return made;
    }();
    return extensions;
}

bool isEngineExtension(const std::string& extension) {
    const std::vector<std::string>& known = engineImageExtensions();
    return std::find(known.begin(), known.end(), lowerCase(extension)) != known.end();
}

// The last part of a path written with either slash.
std::string bareName(const std::string& reference) {
    const std::size_t slash = reference.find_last_of("/\\");
    return slash == std::string::npos ? reference : reference.substr(slash + 1);
}

// The stem and the extension (without the dot) of a bare file name; "" when it has none.
std::pair<std::string, std::string> stemAndExtension(const std::string& name) {
    const std::size_t dot = name.rfind('.');
    if (dot == std::string::npos || dot == 0) return {name, ""};
    return {name.substr(0, dot), name.substr(dot + 1)};
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

std::vector<std::string> otherExtensionNames(const std::string& reference) {
    const std::string name = bareName(reference);
    const auto [stem, extension] = stemAndExtension(name);
    const std::string folder = reference.substr(0, reference.size() - name.size());
    std::vector<std::string> names;
    for (const std::string& other : engineImageExtensions()) {
        if (lowerCase(extension) == other) continue;
        names.push_back(folder + stem + "." + other);
        // A name whose extension is no image's may be the stem itself ("skin.v2").
        if (!extension.empty() && !isEngineExtension(extension)) names.push_back(folder + name + "." + other);
    }
    return names;
}

fs::path findByNameOrStem(const std::string& reference, const std::vector<fs::path>& files) {
    const std::string name = lowerCase(bareName(reference));
    if (name.empty()) return {};
    for (const fs::path& file : files)
        if (lowerCase(file.filename().string()) == name) return file;
    const std::string stem = stemAndExtension(name).first;
    for (const fs::path& file : files) {
        const auto [fileStem, fileExtension] = stemAndExtension(file.filename().string());
        if (lowerCase(fileStem) == stem && isEngineExtension(fileExtension)) return file;
    }
    return {};
}

std::vector<fs::path> filesBelow(const fs::path& folder) {
    std::vector<fs::path> files;
    std::error_code error;
    for (fs::recursive_directory_iterator entry(folder, fs::directory_options::skip_permission_denied, error), end;
         !error && entry != end; entry.increment(error))
        if (isFile(entry->path())) files.push_back(entry->path());
    std::sort(files.begin(), files.end());
    return files;
}

fs::path ImageSet::find(const std::string& reference, const ImageSearch& search) {
    if (fs::path found = findImageFile(reference, search.modelFolder); !found.empty()) return found;
    // Game engines try the other image extensions when the named file is missing.
    for (const std::string& name : otherExtensionNames(reference))
        if (fs::path found = findImageFile(name, search.modelFolder); !found.empty()) return found;
    if (search.texturesFolder.empty()) return {};
    if (!texturesFolderListed_) {
        texturesFolderFiles_ = filesBelow(search.texturesFolder);
        texturesFolderListed_ = true;
    }
    return findByNameOrStem(reference, texturesFolderFiles_);
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
    if (!readImageFile(detailPath, bytes)) {
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

bool ImageSet::readImageFile(const fs::path& file, Bytes& bytes) {
    if (!readWholeFile(file, bytes)) return false;
    if (inputRead_) inputRead_(bytes.size());
    return true;
}

int ImageSet::imageFor(const aiScene& scene, const std::string& reference, const ImageSearch& search,
                       std::string& problem) {
    if (auto [texture, number] = scene.GetEmbeddedTextureAndIndex(reference.c_str()); texture != nullptr) {
        const int index = addEmbedded(*texture, number);
        if (index < 0) problem = "embedded image " + reference + " cannot be read";
        return index;
    }
    const fs::path file = find(reference, search).lexically_normal();
    if (file.empty()) {
        std::ostringstream text;
        text << "image not found: " << reference << " (tried its name and the extensions";
        for (const std::string& extension : engineImageExtensions()) text << " " << extension;
        text << " beside the model and where the path points";
        if (!search.texturesFolder.empty())
            text << "; its file name, then its name without extension, below " << search.texturesFolder.string();
        text << ")";
        problem = text.str();
        return -1;
    }
    std::error_code error;
    const std::string key = fs::weakly_canonical(file, error).string();
    if (auto known = bySource_.find(key); known != bySource_.end()) {
        if (known->second < 0) problem = problemBySource_[key];
        return known->second;
    }
    Bytes bytes;
    int index = -1;
    if (!readImageFile(file, bytes))
        problem = "cannot read image " + file.string();
    else if ((index = addBytes(std::move(bytes), file.filename().string())) < 0)
        problem = "image " + file.string() + " is in no format that can be read";
    bySource_[key] = index;
    if (index < 0) problemBySource_[key] = problem;
    return index;
}

MaterialImages ImageSet::addMaterial(const aiScene& scene, unsigned index, const ImageSearch& search) {
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
            std::string problem;
            const int image = imageFor(scene, path.C_Str(), search, problem);
            if (image < 0) noteMissing(problem, index);
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

void ImageSet::noteMissing(const std::string& problem, unsigned material) {
    for (MissingImage& image : missing_)
        if (image.problem == problem) {
            image.materials.insert(material);
            return;
        }
    missing_.push_back({problem, {material}});
}

void ImageSet::reportMissing(std::ostream& warnings) const {
    for (const MissingImage& image : missing_)
        warnings << "warning: " << image.problem << ", used by " << image.materials.size()
                 << (image.materials.size() == 1 ? " material\n" : " materials\n");
}

}  // namespace vornimport
