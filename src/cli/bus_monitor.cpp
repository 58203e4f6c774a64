#include "cli/bus_monitor.h"

#include <algorithm>

#include "cli/sensor_link.h"
#include "protocol/reply_acceptance.h"
#include "protocol/reply_frame.h"
#include "protocol/reply_layout.h"
#include "protocol/requests.h"

namespace qm720::cli {

namespace {

// A measurement with its mode byte is complete at this length; a shorter one (a sensor without
// a mode byte) ends with the gap after its last byte, like any other read.
constexpr std::size_t kFullMeasurementLength = kModeByteField.end() + 1;

std::size_t index_of(PollResult result) {
    return static_cast<std::size_t>(std::find(kPollResults.begin(), kPollResults.end(), result) -
                                    kPollResults.begin());
}

// What a read is worth as the answer to a poll of `address`, judged once as `reply`.
PollResult result_of(const Bytes& read, const JudgedReply& reply, std::uint8_t address) {
    if (read.empty()) {
        return PollResult::NoAnswer;
    }
    if (reply.kind == ReplyKind::Measurement) {
        return PollResult::Ok;
    }
    if (reply.intact && reply.frame[kAddressOffset] != address) {
        return PollResult::WrongAddress;
    }
    return PollResult::Damaged;
}

JudgedReply as_poll_answer(const Bytes& read, std::uint8_t address) {
    return judge_reply(read, {.asked = poll_request(address), .reading_address = address});
}

}  // namespace

std::string_view poll_result_name(PollResult result) {
    switch (result) {
        case PollResult::Ok:
            return "ok";
        case PollResult::NoAnswer:
            return "no_answer";
        case PollResult::Damaged:
            return "damaged";
        case PollResult::WrongAddress:
            return "wrong_address";
    }
    return "damaged";
}

PollResult judge_poll(const Bytes& read, std::uint8_t address) {
    return result_of(read, as_poll_answer(read, address), address);
}

BusMonitor::BusMonitor(SerialPort& port, MonitorSettings settings, SteadyNow steady_now,
                       WallNow wall_now)
    : port_(port),
      settings_(std::move(settings)),
      steady_now_(std::move(steady_now)),
      wall_now_(std::move(wall_now)) {
    std::ranges::sort(settings_.addresses);
    settings_.addresses.erase(std::unique(settings_.addresses.begin(), settings_.addresses.end()),
                              settings_.addresses.end());
    for (const std::uint8_t address : settings_.addresses) {
        sensors_.push_back(sensor_at(address));
    }
}

void BusMonitor::sweep(const std::function<bool()>& stop) {
    const auto started = steady_now_();
    line_failed_ = false;
    const bool scan_due = settings_.addresses.empty() &&
                          (!last_scan_ || started - *last_scan_ >= settings_.rescan_period);
    std::vector<std::uint8_t> polled_by_scan;
    if (scan_due) {
        last_scan_ = started;
        polled_by_scan = scan();
    }
    // Sensors join only in scans, on this thread: the count cannot change under the loop.
    for (std::size_t k = 0; k < sensors_.size() && !stop(); ++k) {
        if (std::ranges::count(polled_by_scan, sensors_[k].report.address) == 0) {
            poll(sensors_[k]);
        }
    }
    const std::lock_guard lock(report_lock_);
    sweep_duration_ = steady_now_() - started;
}

BusReport BusMonitor::report() const {
    const std::lock_guard lock(report_lock_);
    BusReport report;
    report.sweep_duration = sweep_duration_;
    for (const Sensor& sensor : sensors_) {
        report.sensors.push_back(sensor.report);
        if (!sensor.report.up) {
            report.sensors.back().reading.reset();
        }
    }
    return report;
}

// The scan answer is one address a byte, noise included; only an address that then answers a
// poll with an intact measurement joins the bus. A listed sensor stays listed, up or down.
// Returns the addresses that joined: their poll counts for this sweep.
std::vector<std::uint8_t> BusMonitor::scan() {
    std::vector<std::uint8_t> joined;
    const Bytes answer = exchange(network_scan_request(), {});
    std::vector<std::uint8_t> candidates(answer.begin(), answer.end());
    std::ranges::sort(candidates);
    candidates.erase(std::unique(candidates.begin(), candidates.end()), candidates.end());
    for (const std::uint8_t address : candidates) {
        if (find(address) != nullptr || address == kBroadcastAddress) {
            continue;
        }
        Sensor candidate = sensor_at(address);
        poll(candidate);
        if (candidate.report.up) {
            const std::lock_guard lock(report_lock_);
            const auto at = std::ranges::lower_bound(
                sensors_, address, {}, [](const Sensor& sensor) { return sensor.report.address; });
            sensors_.insert(at, std::move(candidate));
            joined.push_back(address);
        }
    }
    return joined;
}

void BusMonitor::poll(Sensor& sensor) {
    const std::uint8_t address = sensor.report.address;
    const Bytes request = poll_request(address);
    const Bytes read = exchange(request, [&request](const Bytes& received) {
        return valid_reply(received, request, ReplyKind::Measurement).size() ==
               kFullMeasurementLength;
    });
    const JudgedReply reply = as_poll_answer(read, address);
    const PollResult result = result_of(read, reply, address);
    {
        const std::lock_guard lock(report_lock_);
        SensorReport& report = sensor.report;
        ++report.polls[index_of(result)];
        report.up = result == PollResult::Ok;
        if (report.up) {
            report.reading = measurement_fields(reply.frame);
            report.last_reading_time = wall_now_();
        } else {
            // A sensor back from being down may be another one put in its place.
            sensor.identity_wanted = true;
        }
    }
    if (sensor.report.up && sensor.identity_wanted) {
        ask_identity(sensor);
    }
}

void BusMonitor::ask_identity(Sensor& sensor) {
    const Bytes request = identity_request(sensor.report.address);
    const Bytes identity = valid_reply(exchange(request, {}), request, ReplyKind::Identity);
    if (identity.empty()) {
        return;  // asked again after the next good poll
    }
    const std::lock_guard lock(report_lock_);
    sensor.report.identity = identity_fields(identity);
    sensor.identity_wanted = false;
}

// Whatever is still buffered belongs to no request of ours.
Bytes BusMonitor::exchange(const Bytes& request, const SerialPort::ReadComplete& complete) {
    port_.discard_input();
    if (port_.write(request) != request.size()) {
        line_failed_ = true;
        return {};
    }
    return complete ? port_.read_until(complete) : port_.read();
}

BusMonitor::Sensor BusMonitor::sensor_at(std::uint8_t address) {
    Sensor sensor;
    sensor.report.address = address;
    return sensor;
}

BusMonitor::Sensor* BusMonitor::find(std::uint8_t address) {
    const auto at = std::ranges::find_if(
        sensors_, [address](const Sensor& sensor) { return sensor.report.address == address; });
    return at == sensors_.end() ? nullptr : &*at;
}

}  // namespace qm720::cli
