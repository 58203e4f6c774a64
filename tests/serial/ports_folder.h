#pragma once

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>

namespace qm720::test {

// A fresh folder that QM720_PORTS names for as long as the object lives; then the folder is
// removed and the variable restored.
class PortsFolder {
  public:
    PortsFolder() {
        std::string pattern = std::filesystem::temp_directory_path() / "qm720-ports-XXXXXX";
        if (mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        path_ = pattern;
        if (const char* old = std::getenv(kVariable)) {
            old_value_ = old;
        }
        setenv(kVariable, path_.c_str(), 1);
    }
    ~PortsFolder() {
        if (old_value_) {
            setenv(kVariable, old_value_->c_str(), 1);
        } else {
            unsetenv(kVariable);
        }
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    PortsFolder(const PortsFolder&) = delete;
    PortsFolder& operator=(const PortsFolder&) = delete;

    const std::string& path() const { return path_; }

  private:
    static constexpr const char* kVariable = "QM720_PORTS";
    std::string path_;
    std::optional<std::string> old_value_;
};

}  // namespace qm720::test
