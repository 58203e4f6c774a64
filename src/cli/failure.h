#pragma once

#include <exception>
#include <stdexcept>
#include <string>

#include <nlohmann/json.hpp>

namespace qm720::cli {

// The program's exit statuses; a script tells the outcomes apart by them.
enum class ExitStatus : int {
    Done = 0,
    // The sensor refused, or a change was sent and not confirmed: it may have taken effect.
    NotConfirmed = 1,
    UsageError = 2,
    PortUnavailable = 3,
    // Nothing was changed and nothing valid came back: a query may simply be tried again.
    NoValidAnswer = 4,
};

// What a shell reports for a program that signal `number` ended: a stopped run says so, though
// it ends through its own close.
constexpr int stopped_status(int signal_number) {
    return 128 + signal_number;
}
// SIGPIPE's number on every system this builds for; Windows has the status but not the signal.
inline constexpr int kBrokenPipeSignal = 13;

// Ends a command with its status and the one line that explains it; `fields` go into the
// JSON failure object beside "ok" and "error".
class Failure : public std::runtime_error {
  public:
    Failure(ExitStatus status, const std::string& message, nlohmann::json fields = {})
        : std::runtime_error(message), status_(status), fields_(std::move(fields)) {}
    ExitStatus status() const { return status_; }
    const nlohmann::json& fields() const { return fields_; }

  private:
    ExitStatus status_;
    nlohmann::json fields_;
};

// SIGINT, SIGTERM or SIGHUP (Ctrl-C on Windows) arrived: the command stops where it is.
class Stopped : public std::exception {
  public:
    explicit Stopped(int signal_number) : signal_number_(signal_number) {}
    int signal_number() const { return signal_number_; }
    const char* what() const noexcept override { return "stopped by a signal"; }

  private:
    int signal_number_;
};

// Standard output can no longer be written (the reader of a pipe has gone).
class OutputClosed : public std::exception {
  public:
    const char* what() const noexcept override { return "standard output is closed"; }
};

}  // namespace qm720::cli
