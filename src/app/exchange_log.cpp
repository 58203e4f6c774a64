#include "app/exchange_log.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

#include "app/cp1251.h"

namespace qm720 {
namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr mode_t kOwnerOnly = S_IRUSR | S_IWUSR;

FileFailure failure_from_errno() {
    const int number = errno;
    return {number, std::strerror(number)};
}

std::string record(std::string_view text) {
    std::string quoted = "\"";
    quoted += text;
    quoted += '"';
    quoted += kLineEnd;
    return quoted;
}

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

std::optional<FileFailure> append_records(const std::string& path, std::string_view bytes) {
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

// The folder and any missing parents, for the owner alone: the log holds passwords as typed.
std::optional<FileFailure> make_folders(const std::filesystem::path& folder) {
    std::filesystem::path made;
    for (const auto& part : folder) {
        made /= part;
        if (::mkdir(made.c_str(), 0700) != 0 && errno != EEXIST) {
            return failure_from_errno();
        }
    }
    return std::nullopt;
}

}  // namespace

std::string log_file_name(const LocalDateTime& started) {
    std::string name;
    for (const char c : date_time_text(started)) {
        if (c == ' ') {
            name += '_';
        } else if (c != '.' && c != ':') {
            name += c;
        }
    }
    return name + ".log";
}

std::optional<FileFailure> ExchangeLog::start(const std::string& home, const LocalDateTime& now) {
    const std::filesystem::path folder = std::filesystem::path(home) / "log";
    if (auto failure = make_folders(folder)) {
        return failure;
    }
    const std::string path = (folder / log_file_name(now)).string();
    std::string start_text = "Start: " + date_time_text(now);
    start_text += kLineEnd;
    if (auto failure = append_records(path, utf8_to_cp1251(record(start_text)))) {
        return failure;
    }
    log_path_ = path;
    return std::nullopt;
}

std::optional<FileFailure> ExchangeLog::write_line(const LocalDateTime& now,
                                                   std::string_view text) {
    if (log_path_.empty()) {
        return std::nullopt;
    }
    const std::string time = time_of_day_text(now) + " : ";
    std::string records;
    if (lost_records_ > 0) {
        records = record(time + "Потеряно записей журнала: " + std::to_string(lost_records_));
    }
    records += record(time + std::string(text));
    auto failure = append_records(log_path_, utf8_to_cp1251(records));
    lost_records_ = failure ? lost_records_ + 1 : 0;
    return failure;
}

}  // namespace qm720
