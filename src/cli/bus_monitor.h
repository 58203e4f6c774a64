#pragma once

#include <array>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string_view>
#include <vector>

#include "core/bytes.h"
#include "protocol/reply_fields.h"
#include "serial/serial_port.h"

namespace qm720::cli {

// What one poll of a sensor got.
enum class PollResult { Ok, NoAnswer, Damaged, WrongAddress };
inline constexpr std::array<PollResult, 4> kPollResults = {
    PollResult::Ok, PollResult::NoAnswer, PollResult::Damaged, PollResult::WrongAddress};
// "ok", "no_answer", "damaged", "wrong_address": the label values monitoring keys on.
std::string_view poll_result_name(PollResult result);

// A poll's read judged: an intact measurement of the address polled is Ok; nothing read is
// NoAnswer; an intact frame from another address is WrongAddress; anything else (a bad CRC, a
// frame too short, noise, another code) is Damaged.
PollResult judge_poll(const Bytes& read, std::uint8_t address);

// What is known of one sensor on the bus after the last sweep.
struct SensorReport {
    std::uint8_t address = 0;
    bool up = false;  // the last poll got an intact measurement
    // The last good reading; reported only while the sensor is up.
    std::optional<MeasurementFields> reading;
    std::optional<IdentityFields> identity;
    std::array<std::uint64_t, kPollResults.size()> polls{};  // by PollResult
    std::optional<std::chrono::system_clock::time_point> last_reading_time;
};

struct BusReport {
    std::vector<SensorReport> sensors;                            // ascending by address
    std::optional<std::chrono::duration<double>> sweep_duration;  // none before the first
};

struct MonitorSettings {
    // The addresses to poll; none: those a scan finds (and each rescan adds).
    std::vector<std::uint8_t> addresses;
    std::chrono::seconds rescan_period{600};
};

// Polls a bus of sensors, read-only: only measurement polls, identity requests and the scan go
// on the wire. Each sweep polls every sensor once; a sensor's identity is asked once, and again
// after it has been down. The report is a copy taken under a lock, so that a scrape never waits
// on the bus.
class BusMonitor {
  public:
    using SteadyNow = std::function<std::chrono::steady_clock::time_point()>;
    using WallNow = std::function<std::chrono::system_clock::time_point()>;

    BusMonitor(SerialPort& port, MonitorSettings settings,
               SteadyNow steady_now = std::chrono::steady_clock::now,
               WallNow wall_now = std::chrono::system_clock::now);

    // One sweep of the bus: a scan when one is due, then a poll of each sensor. `stop` is asked
    // between sensors, so that a stop request does not wait for a whole sweep.
    void sweep(const std::function<bool()>& stop = [] { return false; });

    BusReport report() const;

    // A request of the last sweep could not be written: the adapter may have been unplugged.
    bool line_failed() const { return line_failed_; }

  private:
    struct Sensor {
        SensorReport report;
        bool identity_wanted = true;
    };

    std::vector<std::uint8_t> scan();
    void poll(Sensor& sensor);
    void ask_identity(Sensor& sensor);
    Bytes exchange(const Bytes& request, const SerialPort::ReadComplete& complete);
    Sensor* find(std::uint8_t address);
    static Sensor sensor_at(std::uint8_t address);

    SerialPort& port_;
    MonitorSettings settings_;
    SteadyNow steady_now_;
    WallNow wall_now_;
    std::optional<std::chrono::steady_clock::time_point> last_scan_;
    bool line_failed_ = false;

    mutable std::mutex report_lock_;
    std::vector<Sensor> sensors_;  // guarded by report_lock_ while changed
    std::optional<std::chrono::duration<double>> sweep_duration_;
};

}  // namespace qm720::cli
