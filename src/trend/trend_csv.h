#pragma once

#include <functional>
#include <string>

#include "trend/trend_history.h"

namespace qm720 {

// The column the trend adds to qm720-cli watch's: a marker's status text.
inline constexpr const char* kMarkerCsvColumn = "marker";

// The time column's text of a moment (local ISO 8601 to the second, as watch writes it).
using CsvTimeText = std::function<std::string(TrendTime)>;
std::string local_csv_time(TrendTime time);

// Every reading the session gave, none thinned, and every marker, in the order they came: a
// reading fills watch's columns and leaves the marker empty; a marker gives its time, the address
// followed then and its text, the reading's columns empty.
std::string trend_csv(const TrendHistory& history, const CsvTimeText& time_text = local_csv_time);

}  // namespace qm720
