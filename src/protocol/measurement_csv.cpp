#include "protocol/measurement_csv.h"

namespace qm720 {

std::string measurement_csv_row(const std::string& time, const MeasurementFields& fields) {
    const std::string mode = fields.mode_byte ? std::to_string(*fields.mode_byte) : "";
    return time + "," + std::to_string(fields.address) + "," + std::to_string(fields.level) + "," +
           std::to_string(fields.temperature) + "," + std::to_string(fields.current_value) + "," +
           std::to_string(fields.empty_value) + "," + std::to_string(fields.full_value) + "," +
           mode;
}

}  // namespace qm720
