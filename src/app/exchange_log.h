#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/clock.h"
#include "app/log_file.h"

namespace qm720 {

// One text file per program start in the folder `log` (see log_home): cp1251 records, each
// a quoted text and CR LF. The file is opened and closed for every record, so it is complete on
// disk after every call, and it is readable by its owner only.
class ExchangeLog {
  public:
    // Names this run's file, makes `home`/log (and any missing parents, for the owner alone) and
    // writes the start record. A start record that cannot be written is lost like any line, and
    // the lines after it try again. A second start within the same second finds the file of the
    // first and adds its start record after that run's lines.
    std::optional<FileFailure> start(const std::string& home, const LocalDateTime& now);

    // Appends time of day + " : " + text. Does nothing before start. A record is written whole or
    // not at all; a failure touches nothing else, and the next line tries again. The first line
    // written after failures is preceded by a record counting the records lost. Until a first
    // record is written, each line also tries to make the folder that start could not; once one
    // is, a removed folder is not made again: its lines are lost until someone restores it.
    std::optional<FileFailure> write_line(const LocalDateTime& now, std::string_view text);

    // Records lost since the last one written.
    unsigned lost_records() const { return lost_records_; }

    // Full path of this run's file; empty before start.
    const std::string& log_path() const { return log_path_; }

  private:
    std::optional<FileFailure> append(const std::string& records);

    std::string log_path_;
    bool record_written_ = false;
    unsigned lost_records_ = 0;
};

// "05.12.2026 21:43:15" -> "05122026_214315.log".
std::string log_file_name(const LocalDateTime& started);

}  // namespace qm720
