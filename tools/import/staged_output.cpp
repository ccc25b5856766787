// Temporary names start with a dot and end with the process id, so two imports into the same
// folder never write the same temporary file.
#include "tools/import/staged_output.h"

#include <unistd.h>

#include <fstream>

namespace fs = std::filesystem;

namespace vornimport {

namespace {

class Staging {
public:
    ~Staging() {
        std::error_code ignored;
        for (const fs::path& path : temporaries_) fs::remove(path, ignored);
        // Folders made for this import go too, when the import did not finish.
        for (auto folder = createdFolders_.rbegin(); folder != createdFolders_.rend(); ++folder)
            fs::remove(*folder, ignored);
    }

    bool makeFolder(const fs::path& folder, std::string& problem) {
        std::error_code error;
        if (folder.empty() || fs::is_directory(folder, error)) return true;
        if (!makeFolder(folder.parent_path(), problem)) return false;
        if (!fs::create_directory(folder, error) && !fs::is_directory(folder)) {
            problem = folder.string() + ": " + (error ? error.message() : "cannot be made");
            return false;
        }
        createdFolders_.push_back(folder);
        return true;
    }

    bool stage(const PlannedFile& file, std::string& problem) {
        if (!makeFolder(file.path.parent_path(), problem)) return false;
        // A folder in a file's place would refuse the rename after other files were renamed.
        if (std::error_code error; fs::is_directory(file.path, error)) {
            problem = file.path.string() + ": is a folder";
            return false;
        }
        const fs::path temporary =
            file.path.parent_path() / (std::string(".").append(file.path.filename().string()) +
                                       ".part" + std::to_string(::getpid()));
        temporaries_.push_back(temporary);
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
        out.close();
        if (!out) {
            problem = file.path.string() + ": cannot be written";
            return false;
        }
        return true;
    }

    bool commit(const std::vector<PlannedFile>& files, std::string& problem) {
        for (std::size_t i = 0; i < files.size(); ++i) {
            std::error_code error;
            fs::rename(temporaries_[i], files[i].path, error);
            if (error) {
                problem = files[i].path.string() + ": " + error.message();
                return false;
            }
        }
        temporaries_.clear();
        createdFolders_.clear();
        return true;
    }

private:
    std::vector<fs::path> temporaries_;
    std::vector<fs::path> createdFolders_;
};

}  // namespace

bool writeAllOrNothing(const std::vector<PlannedFile>& files, std::string& problem) {
    Staging staging;
    for (const PlannedFile& file : files)
        if (!staging.stage(file, problem)) return false;
    return staging.commit(files, problem);
}

}  // namespace vornimport
