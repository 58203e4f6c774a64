#include "cli/output.h"

#include "cli/failure.h"

namespace qm720::cli {

std::string json_line(const nlohmann::json& json) {
    return json.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
}

void Output::result(nlohmann::json fields, const std::string& text) {
    if (json_) {
        fields["ok"] = true;
        line(json_line(fields));
    } else {
        line(text);
    }
}

void Output::text_line(const std::string& text) {
    if (!json_) {
        line(text);
    }
}

void Output::failure(const std::string& message, const nlohmann::json& fields) {
    if (json_) {
        nlohmann::json json = fields.is_object() ? fields : nlohmann::json::object();
        json["ok"] = false;
        json["error"] = message;
        line(json_line(json));
    }
}

void Output::line(const std::string& text) {
    out_ << text << std::endl;
    if (!out_) {
        throw OutputClosed();
    }
}

}  // namespace qm720::cli
