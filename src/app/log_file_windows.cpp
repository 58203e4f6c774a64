#include <windows.h>

#include <system_error>

#include "app/log_file.h"

namespace qm720 {
namespace {

FileFailure failure_from_last_error() {
    const DWORD number = GetLastError();
    return {static_cast<int>(number), std::system_category().message(static_cast<int>(number))};
}

// Closes the file however the append ends.
class FileHandle {
  public:
    explicit FileHandle(HANDLE handle) : handle_(handle) {}
    ~FileHandle() {
        if (handle_ != INVALID_HANDLE_VALUE) {
            CloseHandle(handle_);
        }
    }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;

    HANDLE get() const { return handle_; }

  private:
    HANDLE handle_;
};

bool write_all(HANDLE file, std::string_view bytes) {
    while (!bytes.empty()) {
        DWORD written = 0;
        if (!WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
            written == 0) {
            return false;
        }
        bytes.remove_prefix(written);
    }
    return true;
}

}  // namespace

// Privacy comes from where the file is: the user's own application-data folder, whose
// inherited access list lets in only the owner (and the system and administrators).
std::optional<FileFailure> append_records(const std::filesystem::path& path,
                                          std::string_view bytes) {
    const FileHandle file(CreateFileW(path.c_str(), FILE_APPEND_DATA | GENERIC_WRITE,
                                      FILE_SHARE_READ, nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                      nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) {
        return failure_from_last_error();
    }
    LARGE_INTEGER before{};
    const LARGE_INTEGER from_start{};
    if (!SetFilePointerEx(file.get(), from_start, &before, FILE_END)) {
        return failure_from_last_error();
    }
    if (write_all(file.get(), bytes)) {
        return std::nullopt;
    }
    const FileFailure failure = failure_from_last_error();
    // Should the cut fail too, the write's own error is still the one to report.
    if (SetFilePointerEx(file.get(), before, nullptr, FILE_BEGIN)) {
        SetEndOfFile(file.get());
    }
    return failure;
}

std::optional<FileFailure> make_private_folders(const std::filesystem::path& folder) {
    std::filesystem::path made;
    for (const auto& part : folder) {
        made /= part;
        if (!made.has_relative_path()) {
            continue;  // the drive or the share: there already
        }
        if (!CreateDirectoryW(made.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS) {
            return failure_from_last_error();
        }
    }
    return std::nullopt;
}

}  // namespace qm720
