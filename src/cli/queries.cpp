#include "cli/queries.h"

#include <algorithm>
#include <chrono>
#include <ctime>
#include <thread>

#include "cli/failure.h"
#include "cli/measurement_output.h"
#include "cli/stop_signals.h"
#include "cli/version_output.h"
#include "core/local_time.h"
#include "protocol/measurement_csv.h"
#include "protocol/requests.h"

namespace qm720::cli {

namespace {

// How soon a stop signal ends the pause between two measurements of watch.
constexpr auto kStopCheckInterval = std::chrono::milliseconds(50);

std::string spaced(const std::vector<std::uint8_t>& addresses) {
    std::string text;
    for (const std::uint8_t address : addresses) {
        // Appended piece by piece: GCC 12 misreads a literal plus a temporary string as an
        // overlapping copy (-Wrestrict) in release builds.
        if (!text.empty()) {
            text += ' ';
        }
        text += std::to_string(address);
    }
    return text;
}

// True when the pause has passed, false when a stop signal cut it short.
bool pause_unless_stopped(std::chrono::milliseconds pause) {
    const auto deadline = std::chrono::steady_clock::now() + pause;
    while (stop_signal() == 0) {
        const auto left = deadline - std::chrono::steady_clock::now();
        if (left <= std::chrono::steady_clock::duration::zero()) {
            return true;
        }
        std::this_thread::sleep_for(
            std::min<std::chrono::steady_clock::duration>(left, kStopCheckInterval));
    }
    return false;
}

}  // namespace

MeasurementFields read_measurement(SensorLink& link, std::uint8_t address) {
    const auto fields =
        measurement_fields(link.query(poll_request(address), ReplyKind::Measurement));
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
    const auto fields = identity_fields(link.query(identity_request(address), ReplyKind::Identity));
    if (!fields) {
        throw Failure(ExitStatus::NoValidAnswer, "the identity reply is too short");
    }
    return *fields;
}

// A noise byte on the line reads as one more address, and a sensor can answer the scan yet
// never a request; only an intact poll reply from the address itself shows a sensor there.
void scan_command(SensorLink& link, Output& output, const Command& command, std::ostream& err) {
    const std::vector<std::uint8_t> answered = link.scan();
    if (!command.verify_scan) {
        output.result({{"addresses", answered}}, spaced(answered));
        return;
    }
    std::vector<std::uint8_t> confirmed;
    std::vector<std::uint8_t> unconfirmed;
    for (const std::uint8_t address : answered) {
        const bool there = link.ask(poll_request(address), ReplyKind::Measurement).has_value();
        (there ? confirmed : unconfirmed).push_back(address);
    }
    const nlohmann::json fields = {{"addresses", confirmed}, {"unconfirmed", unconfirmed}};
    if (confirmed.empty()) {
        throw Failure(
            ExitStatus::NoValidAnswer,
            "no address of the scan answer was confirmed by a poll: " + spaced(unconfirmed),
            fields);
    }
    if (!unconfirmed.empty()) {
        err << "qm720-cli: answered the scan but not a poll: " << spaced(unconfirmed) << std::endl;
    }
    output.result(fields, spaced(confirmed));
}

void read_command(SensorLink& link, Output& output, const Command& command) {
    const MeasurementFields fields = read_measurement(link, command.address);
    output.result(measurement_json(fields), measurement_text(fields));
}

void identity_command(SensorLink& link, Output& output, const Command& command) {
    const IdentityFields fields = read_identity(link, command.address);
    const std::string version = comparable_version(fields.version_text);
    output.result(
        {{"address", command.address}, {"serial", fields.serial_number}, {"version", version}},
        "serial: " + std::to_string(fields.serial_number) + "\nversion: " + version);
}

void watch_command(SensorLink& link, Output& output, const Command& command) {
    output.text_line(kMeasurementCsvHeader);
    try {
        for (long taken = 0; !command.count || taken < *command.count; ++taken) {
            if (taken > 0 && !pause_unless_stopped(command.interval)) {
                return;
            }
            const MeasurementFields fields = read_measurement(link, command.address);
            const std::string time = iso_local_time(std::time(nullptr));
            nlohmann::json json = measurement_json(fields);
            json["time"] = time;
            output.result(json, measurement_csv_row(time, fields));
        }
    } catch (const Stopped&) {
        // Watching until interrupted is what watch is for: a stop ends it as done.
    }
}

}  // namespace qm720::cli
