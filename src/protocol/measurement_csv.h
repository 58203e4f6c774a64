#pragma once

#include <string>

#include "protocol/reply_fields.h"

namespace qm720 {

// A measurement as one CSV row: the columns qm720-cli watch prints and the trend window saves.
inline constexpr const char* kMeasurementCsvHeader =
    "time,address,level,temperature,current,empty,full,mode";
// `time` as the caller writes it; the mode column is empty without a mode byte.
std::string measurement_csv_row(const std::string& time, const MeasurementFields& fields);

}  // namespace qm720
