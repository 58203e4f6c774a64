#pragma once

#include <filesystem>
#include <random>
#include <string>

namespace qm720::test {

// A fresh folder in the system's temporary folder, removed with all it holds when the helper goes.
struct TempFolder {
    TempFolder() {
        std::random_device random;
        do {
            path_ =
                std::filesystem::temp_directory_path() / ("qm720-test-" + std::to_string(random()));
        } while (!std::filesystem::create_directory(path_));
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    const std::filesystem::path& path() const { return path_; }
    std::string string() const { return path_.string(); }
    std::filesystem::path path_;
};

}  // namespace qm720::test
