#include "cli/metrics_text.h"

#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <optional>

#include "cli/output_modes.h"
#include "cli/version_output.h"
#include "protocol/mode_bits.h"

namespace qm720::cli {

namespace {

struct Family {
    const char* name;
    const char* type;
    const char* help;
};

// Whole numbers as such (counts and readings are), others in the shortest text that reads back
// as the same double.
std::string number(double value) {
    constexpr double kLargestExactWhole = 9007199254740992.0;  // 2^53
    if (value == std::floor(value) && std::fabs(value) < kLargestExactWhole) {
        return std::to_string(static_cast<long long>(value));
    }
    constexpr int kDigitsThatAlwaysReadBack = 17;
    char text[32];
    for (int digits = 1; digits <= kDigitsThatAlwaysReadBack; ++digits) {
        std::snprintf(text, sizeof text, "%.*g", digits, value);
        if (std::strtod(text, nullptr) == value) {
            break;
        }
    }
    return text;
}

class Exposition {
  public:
    void family(const Family& family) {
        text_ += std::string("# HELP ") + family.name + " " + family.help + "\n# TYPE " +
                 family.name + " " + family.type + "\n";
        name_ = family.name;
    }
    void sample(const std::string& labels, double value) {
        text_ += name_ + (labels.empty() ? "" : "{" + labels + "}") + " " + number(value) + "\n";
    }
    std::string text() && { return std::move(text_); }

  private:
    std::string text_;
    std::string name_;
};

std::string address_label(const SensorReport& sensor) {
    return "address=\"" + std::to_string(sensor.address) + "\"";
}

std::string on_off(bool on) {
    return on ? "on" : "off";
}

// The labels of qm720_sensor_info: what the sensor said of itself and the mode it reports. Every
// value is digits, dots or a fixed name, so none needs escaping.
std::string info_labels(const SensorReport& sensor) {
    const IdentityFields& identity = *sensor.identity;
    std::string output, smoothing, inversion, range;
    if (sensor.reading && sensor.reading->mode_byte) {
        const std::uint8_t mode = *sensor.reading->mode_byte;
        output = output_name(mode).value_or("");
        smoothing = on_off((mode & kSmoothingBit) != 0);
        inversion = on_off((mode & kInversionBit) != 0);
        range = (mode & kRange4096Bit) != 0 ? "4096" : "1024";
    }
    return address_label(sensor) + ",serial=\"" + std::to_string(identity.serial_number) +
           "\",version=\"" + comparable_version(identity.version_text) + "\",output=\"" + output +
           "\",smoothing=\"" + smoothing + "\",inversion=\"" + inversion + "\",range=\"" + range +
           "\"";
}

using Reading = std::function<double(const MeasurementFields&)>;

struct ReadingFamily {
    Family family;
    Reading value;
};

const ReadingFamily kReadings[] = {
    {{"qm720_level", "gauge", "Level as the sensor reports it, in its range's counts."},
     [](const MeasurementFields& f) { return f.level; }},
    {{"qm720_temperature_celsius", "gauge", "Temperature the sensor measures."},
     [](const MeasurementFields& f) { return f.temperature; }},
    {{"qm720_current_value", "gauge", "Raw measured value the level is computed from."},
     [](const MeasurementFields& f) { return f.current_value; }},
    {{"qm720_calibration_empty", "gauge", "Stored raw value of the empty level."},
     [](const MeasurementFields& f) { return f.empty_value; }},
    {{"qm720_calibration_full", "gauge", "Stored raw value of the full level."},
     [](const MeasurementFields& f) { return f.full_value; }},
};

}  // namespace

std::string metrics_text(const BusReport& report) {
    Exposition out;
    out.family({"qm720_up", "gauge",
                "1 when the last poll got an intact measurement from the sensor, else 0."});
    for (const SensorReport& sensor : report.sensors) {
        out.sample(address_label(sensor), sensor.up ? 1 : 0);
    }
    for (const ReadingFamily& reading : kReadings) {
        out.family(reading.family);
        for (const SensorReport& sensor : report.sensors) {
            if (sensor.up && sensor.reading) {
                out.sample(address_label(sensor), reading.value(*sensor.reading));
            }
        }
    }
    out.family({"qm720_sensor_info", "gauge",
                "What the sensor said of itself and the mode it reports; always 1."});
    for (const SensorReport& sensor : report.sensors) {
        if (sensor.identity) {
            out.sample(info_labels(sensor), 1);
        }
    }
    out.family({"qm720_polls_total", "counter", "Polls of the sensor by their result."});
    for (const SensorReport& sensor : report.sensors) {
        for (std::size_t k = 0; k < kPollResults.size(); ++k) {
            out.sample(address_label(sensor) + ",result=\"" +
                           std::string(poll_result_name(kPollResults[k])) + "\"",
                       static_cast<double>(sensor.polls[k]));
        }
    }
    out.family({"qm720_last_reading_timestamp_seconds", "gauge",
                "Unix time of the sensor's last intact measurement."});
    for (const SensorReport& sensor : report.sensors) {
        if (sensor.last_reading_time) {
            const std::chrono::duration<double> since_epoch =
                sensor.last_reading_time->time_since_epoch();
            out.sample(address_label(sensor), since_epoch.count());
        }
    }
    out.family({"qm720_sweep_duration_seconds", "gauge",
                "Time the last sweep of the bus took, every sensor polled once."});
    if (report.sweep_duration) {
        out.sample("", report.sweep_duration->count());
    }
    return std::move(out).text();
}

}  // namespace qm720::cli
