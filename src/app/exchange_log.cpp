#include "app/exchange_log.h"

#include <cerrno>
#include <filesystem>

#include "app/cp1251.h"
#include "app/log_file.h"

namespace qm720 {
namespace {

constexpr std::string_view kLineEnd = "\r\n";

std::string record(std::string_view text) {
    std::string quoted = "\"";
    quoted += text;
    quoted += '"';
    quoted += kLineEnd;
    return quoted;
}

// Paths are UTF-8 in memory like every text; the system may want them otherwise spelt.
std::filesystem::path path_of(const std::string& utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8_of(const std::filesystem::path& path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
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
    log_path_ = utf8_of(path_of(home) / "log" / log_file_name(now));
    std::string start_text = "Start: " + date_time_text(now);
    start_text += kLineEnd;
    return append(record(start_text));
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
    return append(records);
}

std::optional<FileFailure> ExchangeLog::append(const std::string& records) {
    const std::filesystem::path path = path_of(log_path_);
    std::optional<FileFailure> failure;
    if (!path.is_absolute()) {
        // No home was found: a relative path would put the log wherever the program was started.
        failure = FileFailure{ENOENT, "no home folder to keep it in"};
    } else if (!record_written_) {
        failure = make_private_folders(path.parent_path());
    }
    if (!failure) {
        failure = append_records(path, utf8_to_cp1251(records));
    }
    record_written_ = record_written_ || !failure;
    lost_records_ = failure ? lost_records_ + 1 : 0;
    return failure;
}

}  // namespace qm720
