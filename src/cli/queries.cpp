#include "cli/queries.h"

#include <chrono>
#include <ctime>
#include <thread>

#include "app/local_time.h"
#include "cli/arguments.h"
#include "cli/failure.h"
#include "cli/measurement_output.h"
#include "protocol/requests.h"

namespace qm720::cli {

namespace {

ExpectedReply reply_of(std::uint8_t address, CommandCode code) {
    return {{address}, {static_cast<std::uint8_t>(code)}};
}

// Local ISO 8601 to the second: "2026-12-07T09:15:02".
std::string local_time_now() {
    const std::tm local = local_time(std::time(nullptr));
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M:%S", &local);
    return text;
}

}  // namespace

MeasurementFields read_measurement(SensorLink& link, std::uint8_t address) {
    const auto fields =
        measurement_fields(link.query(poll_request(address), reply_of(address, CommandCode::Poll)));
    if (!fields) {
        throw Failure(ExitStatus::NoValidAnswer, "the measurement reply is too short");
    }
    return *fields;
}

std::uint8_t reported_mode(SensorLink& link, std::uint8_t address) {
    const auto mode = read_measurement(link, address).mode_byte;
    if (!mode) {
        throw Failure(ExitStatus::NoValidAnswer, "the sensor did not report its mode");
    }
    return *mode;
}

IdentityFields read_identity(SensorLink& link, std::uint8_t address) {
    const auto fields = identity_fields(
        link.query(identity_request(address), reply_of(address, CommandCode::Identity)));
    if (!fields) {
        throw Failure(ExitStatus::NoValidAnswer, "the identity reply is too short");
    }
    return *fields;
}

void scan_command(SensorLink& link, Output& output) {
    const std::vector<std::uint8_t> addresses = link.scan();
    std::string text;
    for (const std::uint8_t address : addresses) {
        // Appended piece by piece: GCC 12 misreads a literal plus a temporary string as an
        // overlapping copy (-Wrestrict) in release builds.
        if (!text.empty()) {
            text += ' ';
        }
        text += std::to_string(address);
    }
    output.result({{"addresses", addresses}}, text);
}

void read_command(SensorLink& link, Output& output, const Invocation& invocation) {
    const MeasurementFields fields = read_measurement(link, address_argument(invocation.address));
    output.result(measurement_json(fields), measurement_text(fields));
}

void identity_command(SensorLink& link, Output& output, const Invocation& invocation) {
    const std::uint8_t address = address_argument(invocation.address);
    const IdentityFields fields = read_identity(link, address);
    output.result(
        {{"address", address}, {"serial", fields.serial_number}, {"version", fields.version_text}},
        "serial: " + std::to_string(fields.serial_number) + "\nversion: " + fields.version_text);
}

void watch_command(SensorLink& link, Output& output, const Invocation& invocation) {
    const std::uint8_t address = address_argument(invocation.address);
    output.text_line(kWatchHeader);
    for (long taken = 0; !invocation.count || taken < *invocation.count; ++taken) {
        if (taken > 0) {
            std::this_thread::sleep_for(std::chrono::milliseconds(invocation.interval_ms));
        }
        const MeasurementFields fields = read_measurement(link, address);
        const std::string time = local_time_now();
        nlohmann::json json = measurement_json(fields);
        json["time"] = time;
        output.result(json, measurement_csv(time, fields));
    }
}

}  // namespace qm720::cli
