#pragma once

#include <string>

#include "cli/bus_monitor.h"

namespace qm720::cli {

// The bus report in the Prometheus text exposition format (version 0.0.4): every metric with
// its HELP and TYPE, in base units, each sensor's series labelled with its address. Readings
// appear only for sensors that are up, so that no stale value is ever exported as current.
std::string metrics_text(const BusReport& report);

// The Content-Type that format is served with.
inline constexpr const char* kMetricsContentType = "text/plain; version=0.0.4; charset=utf-8";

}  // namespace qm720::cli
