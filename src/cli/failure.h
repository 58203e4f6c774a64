#pragma once

#include <stdexcept>
#include <string>

namespace qm720::cli {

// The program's exit statuses; a script tells the outcomes apart by them.
enum class ExitStatus : int {
    Done = 0,
    NotConfirmed = 1,  // the sensor answered but refused or did not confirm what was asked
    UsageError = 2,
    PortUnavailable = 3,
    NoValidAnswer = 4,
};

// Ends a command with its status and the one line that explains it.
class Failure : public std::runtime_error {
  public:
    Failure(ExitStatus status, const std::string& message)
        : std::runtime_error(message), status_(status) {}
    ExitStatus status() const { return status_; }

  private:
    ExitStatus status_;
};

}  // namespace qm720::cli
