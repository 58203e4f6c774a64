#pragma once

#include <filesystem>
#include <string>

namespace qm720::test {

// A fresh folder in the system's temporary folder, removed with everything in it when the
// helper goes.
class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string string() const { return path_.string(); }

  private:
    std::filesystem::path path_;
};

}  // namespace qm720::test
