#include "trend/trend_csv.h"

#include <chrono>

#include "core/local_time.h"
#include "protocol/measurement_csv.h"

namespace qm720 {

namespace {

// Quoted only when the text holds a separator, a quote or a line break (RFC 4180).
std::string csv_field(const std::string& text) {
    if (text.find_first_of(",\"\r\n") == std::string::npos) {
        return text;
    }
    std::string quoted = "\"";
    for (const char c : text) {
        quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    }
    return quoted + "\"";
}

std::string marker_row(const TrendMarker& marker, const CsvTimeText& time_text) {
    const std::string address = marker.address ? std::to_string(*marker.address) : "";
    return time_text(marker.time) + "," + address + ",,,,,,," + csv_field(marker.text);
}

}  // namespace

std::string local_csv_time(TrendTime time) {
    return iso_local_time(std::chrono::system_clock::to_time_t(time));
}

std::string trend_csv(const TrendHistory& history, const CsvTimeText& time_text) {
    std::string csv = std::string(kMeasurementCsvHeader) + "," + kMarkerCsvColumn + "\n";
    const auto readings = history.readings();
    const auto markers = history.markers();
    auto reading = readings.begin();
    auto marker = markers.begin();
    while (reading != readings.end() || marker != markers.end()) {
        if (marker == markers.end() ||
            (reading != readings.end() && reading->time <= marker->time)) {
            csv += measurement_csv_row(time_text(reading->time), reading->fields) + ",\n";
            ++reading;
        } else {
            csv += marker_row(*marker, time_text) + "\n";
            ++marker;
        }
    }
    return csv;
}

}  // namespace qm720
