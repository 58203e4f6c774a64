#include "cli/output.h"

namespace qm720::cli {

void Output::result(nlohmann::json fields, const std::string& text) {
    if (json_) {
        fields["ok"] = true;
        out_ << fields.dump() << std::endl;
    } else {
        out_ << text << std::endl;
    }
}

void Output::text_line(const std::string& text) {
    if (!json_) {
        out_ << text << std::endl;
    }
}

void Output::failure(const std::string& message) {
    if (json_) {
        out_ << nlohmann::json{{"ok", false}, {"error", message}}.dump() << std::endl;
    }
}

}  // namespace qm720::cli
