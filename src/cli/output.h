#pragma once

#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

namespace qm720::cli {

// Results go to standard output, as text for people or as one JSON object a line for scripts.
class Output {
  public:
    Output(bool json, std::ostream& out) : json_(json), out_(out) {}

    bool json() const { return json_; }
    // A successful result: its fields as JSON (with "ok": true), or its text.
    void result(nlohmann::json fields, const std::string& text);
    // A plain line, shown only as text (the CSV header).
    void text_line(const std::string& text);
    // A failed command: {"ok": false, "error": ...} in JSON; the text goes to standard error.
    void failure(const std::string& message);

  private:
    bool json_;
    std::ostream& out_;
};

}  // namespace qm720::cli
