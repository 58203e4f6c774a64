#include "app/log_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace qm720 {
namespace {

FileFailure failure_from_errno() {
    const int number = errno;
    return {number, std::strerror(number)};
}

constexpr mode_t kOwnerOnly = S_IRUSR | S_IWUSR;

bool write_all(int fd, std::string_view bytes) {
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// The umask may leave more or fewer bits than asked, and a file made by an earlier run may have
// others: either way the log is the owner's alone. Devices are left as they are.
bool keep_private(int fd) {
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        return false;
    }
    if (!S_ISREG(status.st_mode) || (status.st_mode & 07777) == kOwnerOnly) {
        return true;
    }
    return ::fchmod(fd, kOwnerOnly) == 0;
}

// A disk that fills up mid-record would leave half a record for the next one to fuse with: cut
// the file back to where the record began instead.
bool append_whole(int fd, std::string_view bytes) {
    struct stat before {};
    if (::fstat(fd, &before) != 0) {
        return false;
    }
    if (write_all(fd, bytes)) {
        return true;
    }
    const int error = errno;
    if (S_ISREG(before.st_mode)) {
        // Should the cut fail too, the write's own error is still the one to report.
        [[maybe_unused]] const int cut = ::ftruncate(fd, before.st_size);
    }
    errno = error;
    return false;
}

}  // namespace

std::optional<FileFailure> append_records(const std::filesystem::path& path,
                                          std::string_view bytes) {
    const int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, kOwnerOnly);
    if (fd < 0) {
        return failure_from_errno();
    }
    std::optional<FileFailure> failure;
    if (!keep_private(fd) || !append_whole(fd, bytes)) {
        failure = failure_from_errno();
    }
    if (::close(fd) != 0 && !failure) {
        failure = failure_from_errno();
    }
    return failure;
}

std::optional<FileFailure> make_private_folders(const std::filesystem::path& folder) {
    std::filesystem::path made;
    for (const auto& part : folder) {
        made /= part;
        if (::mkdir(made.c_str(), 0700) != 0 && errno != EEXIST) {
            return failure_from_errno();
        }
    }
    return std::nullopt;
}

}  // namespace qm720
