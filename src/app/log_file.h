#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

namespace qm720 {

// Why a file operation failed: the system's error number and its text.
struct FileFailure {
    int number = 0;
    std::string description;
};

// The log holds passwords as typed, so it is its owner's alone: a file and folders no other
// user may read, made so by each system's own means.

// Appends `bytes` to the file at `path`, made if missing. All of them or none: a write cut short
// (a full disk) is taken back, so no half record is left for the next one to fuse with.
std::optional<FileFailure> append_records(const std::filesystem::path& path,
                                          std::string_view bytes);

// `folder` and any missing parents.
std::optional<FileFailure> make_private_folders(const std::filesystem::path& folder);

}  // namespace qm720
