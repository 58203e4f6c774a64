#include "app/exchange_log.h"

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
    const std::filesystem::path folder = path_of(home) / "log";
    if (auto failure = make_private_folders(folder)) {
        return failure;
    }
    const std::string path = utf8_of(folder / log_file_name(now));
    std::string start_text = "Start: " + date_time_text(now);
    start_text += kLineEnd;
    if (auto failure = append_records(path_of(path), utf8_to_cp1251(record(start_text)))) {
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
    auto failure = append_records(path_of(log_path_), utf8_to_cp1251(records));
    lost_records_ = failure ? lost_records_ + 1 : 0;
    return failure;
}

}  // namespace qm720
