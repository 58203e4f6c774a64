#pragma once

#include <string>

#include <nlohmann/json.hpp>

#include "protocol/reply_fields.h"

namespace qm720::cli {

// A measurement under the keys scripts read: address, level, temperature, current, empty, full,
// k, mode, output, smoothing, inversion, range (the last five null without a mode byte).
nlohmann::json measurement_json(const MeasurementFields& fields);

// The same, one "key: value" a line, for people.
std::string measurement_text(const MeasurementFields& fields);

}  // namespace qm720::cli
