#include "sim/sensor_bus.h"

#include "protocol/reply_frame.h"
#include "protocol/requests.h"
#include "sim/scan_request.h"

namespace qm720::sim {

namespace {

bool well_formed(const Bytes& request) {
    if (request.size() <= kCodeOffset || request.front() != kRequestPrefix) {
        return false;
    }
    const auto length = request_length(request[kCodeOffset]);
    return length && *length == request.size() && reply_intact(request);
}

}  // namespace

SensorBus::SensorBus(const std::vector<SensorSettings>& sensors, BusOptions options)
    : options_(options) {
    sensors_.reserve(sensors.size());
    for (std::size_t index = 0; index < sensors.size(); ++index) {
        // Each sensor draws from its own sequence, so polling one never changes another's.
        sensors_.emplace_back(sensors[index], options.seed + static_cast<std::uint32_t>(index),
                              options.steady);
    }
}

Bytes SensorBus::answer(const Bytes& request) {
    if (is_scan_request(request)) {
        return scan_answer();
    }
    if (!well_formed(request)) {
        return {};
    }
    SimulatedSensor* sensor = addressed(request[kAddressOffset]);
    if (sensor == nullptr) {
        return {};
    }
    const Bytes payload(request.begin() + kPayloadOffset, request.end() - 1);
    return sensor->answer(request[kCodeOffset], payload);
}

void SensorBus::replace(const SensorSettings& newcomer) {
    const auto seed = options_.seed + static_cast<std::uint32_t>(sensors_.size());
    for (SimulatedSensor& sensor : sensors_) {
        if (sensor.address() == newcomer.address) {
            sensor = SimulatedSensor(newcomer, seed, options_.steady);
            return;
        }
    }
    sensors_.emplace_back(newcomer, seed, options_.steady);
}

Bytes SensorBus::scan_answer() const {
    Bytes addresses;
    for (const SimulatedSensor& sensor : sensors_) {
        if (!sensor.silent()) {
            addresses.push_back(sensor.address());
        }
    }
    return addresses;
}

SimulatedSensor* SensorBus::addressed(std::uint8_t address) {
    if (sensors_.empty()) {
        return nullptr;
    }
    if (address == kBroadcastAddress) {
        return &sensors_.front();
    }
    for (SimulatedSensor& sensor : sensors_) {
        if (sensor.address() == address) {
            return &sensor;
        }
    }
    return nullptr;
}

}  // namespace qm720::sim
