#include "cli/measurement_output.h"

#include "cli/output_modes.h"
#include "protocol/mode_bits.h"

namespace qm720::cli {

nlohmann::json measurement_json(const MeasurementFields& fields) {
    nlohmann::json json = {
        {"address", fields.address},
        {"level", fields.level},
        {"temperature", fields.temperature},
        {"current", fields.current_value},
        {"empty", fields.empty_value},
        {"full", fields.full_value},
        {"k", fields.k_value},
        {"mode", nullptr},
        {"output", nullptr},
        {"smoothing", nullptr},
        {"inversion", nullptr},
        {"range", nullptr},
    };
    if (const auto mode = fields.mode_byte) {
        json["mode"] = *mode;
        if (const auto output = output_name(*mode)) {
            json["output"] = *output;
        }
        json["smoothing"] = (*mode & kSmoothingBit) != 0;
        json["inversion"] = (*mode & kInversionBit) != 0;
        json["range"] = (*mode & kRange4096Bit) != 0 ? 4096 : 1024;
    }
    return json;
}

std::string measurement_text(const MeasurementFields& fields) {
    const nlohmann::json json = measurement_json(fields);
    std::string text;
    for (const auto& [key, value] : json.items()) {
        text += key + ": " + (value.is_string() ? value.get<std::string>() : value.dump()) + "\n";
    }
    text.pop_back();
    return text;
}

}  // namespace qm720::cli
