#pragma once

#include <ostream>
#include <string>

#include <nlohmann/json.hpp>

namespace qm720::cli {

// Results go to standard output, as text for people or as one JSON object a line for scripts.
// Bytes that are not UTF-8 (an argument quoted back) become U+FFFD in JSON, so that every line
// parses. A line that cannot be written ends the command with OutputClosed.
class Output {
  public:
    Output(bool json, std::ostream& out) : json_(json), out_(out) {}

    // Until the parser has spoken, JSON is a guess from the raw arguments.
    void answer_in_json(bool json) { json_ = json; }
    // A successful result: its fields as JSON (with "ok": true), or its text.
    void result(nlohmann::json fields, const std::string& text);
    // A plain line, shown only as text (the CSV header).
    void text_line(const std::string& text);
    // A failed command: {"ok": false, "error": ...} and `fields` in JSON; the text goes to
    // standard error.
    void failure(const std::string& message, const nlohmann::json& fields = {});

  private:
    void line(const std::string& text);

    bool json_;
    std::ostream& out_;
};

// One line of JSON, whatever bytes its strings hold.
std::string json_line(const nlohmann::json& json);

}  // namespace qm720::cli
