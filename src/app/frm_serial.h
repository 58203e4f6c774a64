#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "app/clock.h"
#include "app/control.h"
#include "app/dialogs.h"
#include "app/exchange_log.h"
#include "core/bytes.h"
#include "serial/serial_port.h"
#include "session/sensor_session.h"

namespace qm720 {

// The one window: its controls as records in window order, the services every handler uses
// (port, boxes, clock, log) and the session with the sensors, which knows what the exchange has
// learnt. The handlers of the exchange, the presentation of its outcomes and the operator
// commands are free functions over this form, one file each.
class frmSerial {
  public:
    static constexpr std::string_view kCaption = "Настройка QM-720";
    static constexpr int kClientWidth = 7455;  // twips
    static constexpr int kClientHeight = 7275;

    frmSerial(SerialPort& port, Dialogs& dialogs, const Clock& clock, std::string log_home);

    // Every control, hidden ones included, in window order. A span, so that no caller can add or
    // remove a control under the name index.
    std::span<Control> controls() { return controls_; }
    std::span<const Control> controls() const { return controls_; }
    // The control of that name; the names are fixed, so an unknown one is a programming error
    // and throws std::logic_error naming it.
    Control& control(std::string_view name);
    const Control& control(std::string_view name) const;

    // Start-up: address list, port list, exchange log. A log that cannot start is reported as
    // any lost line is, and the lines after it try again.
    void start_up();

    // The address typed or chosen in CmbNet when it is a whole number 0..255; otherwise no
    // entry counts as selected, nothing is polled and commands take their no-address path.
    std::optional<std::uint8_t> selected_address() const;
    // The address as the operator wrote it ("05"), for the texts that name the sensor; empty
    // when no address is selected.
    std::string selected_address_text() const;

    // Sensor readings. Nothing of one sensor may stand beside, or be acted on as, another's:
    // `clear_sensor_readings` puts every reading back to its no-data state and has the session
    // forget what it learnt of the sensor; `follow_selected_address` does so when the selection
    // has moved to another address than the readings belong to. `clear_reading_controls` is the
    // first half alone, for a new sensor the session has already forgotten.
    void clear_sensor_readings();
    void follow_selected_address();
    void clear_reading_controls();

    // The status line says the readings are not live (text + the address as typed, logged); the
    // text it had before comes back with `end_lost_contact` at the next answer.
    void show_lost_contact(std::string_view text);
    void end_lost_contact();

    // Exchange log and frame view. The first record lost after a good one (or the start record)
    // is reported in a box.
    void log_line(const std::string& text);
    void show_frame(const Bytes& frame);

    // Control groups, by each control's group number. Group 9 needs an open port: opening
    // toggles it, closing disables it together with the groups a sensor's software version
    // unlocks, which `enable_version_groups` turns on for the version a sensor reported.
    void toggle_port_groups();
    void disable_port_groups();
    void enable_version_groups(std::uint8_t software_version);

    // Port buttons.
    void open_port();
    void close_port();

    SerialPort& port;
    Dialogs& dialogs;
    const Clock& clock;

    ExchangeLog log;
    SensorSession session;

  private:
    // "Журнал не записывается: " + the file + ": " + the reason, in the plain box.
    void report_log_failure(const FileFailure& failure);

    // Position of the named control in controls_; throws std::logic_error for an unknown name.
    std::size_t index_of(std::string_view name) const;

    std::vector<Control> controls_;
    std::unordered_map<std::string_view, std::size_t> index_;
    std::string log_home_;  // the folder that holds the `log` folder
    // The address the readings on show belong to: the selection when they were last cleared.
    std::optional<std::uint8_t> readings_address_ = 0;
    // While the status line says contact is lost, the text it had before.
    std::optional<std::string> status_before_lost_contact_;
};

}  // namespace qm720
