#pragma once

#include <cstdint>
#include <optional>
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

namespace qm720 {

// The one window: its controls as records in window order, the form-level variables and the
// services every handler shares (port, boxes, clock, log). The handlers of the exchange,
// the decoders and the operator commands are free functions over this form, one file each.
class frmSerial {
  public:
    static constexpr std::string_view kCaption = "Настройка QM-720";
    static constexpr int kClientWidth = 7455;  // twips
    static constexpr int kClientHeight = 7275;

    frmSerial(SerialPort& port, Dialogs& dialogs, const Clock& clock, std::string log_home);

    // Every control, hidden ones included, in window order.
    std::vector<Control>& controls() { return controls_; }
    const std::vector<Control>& controls() const { return controls_; }
    // The control of that name; the names are fixed, so an unknown one is a programming error
    // and throws std::logic_error naming it.
    Control& control(std::string_view name);
    const Control& control(std::string_view name) const;

    // Start-up: variables, address list, port list, exchange log.
    void Form_Load();

    // The address typed or chosen in CmbNet when it is a whole number 0..255; otherwise no
    // entry counts as selected, nothing is polled and commands take their no-address path.
    std::optional<std::uint8_t> selected_address() const;
    // The address as the operator wrote it ("05"), for the texts that name the sensor; empty
    // when no address is selected.
    std::string selected_address_text() const;

    // Sensor readings. Nothing of one sensor may stand beside, or be acted on as, another's:
    // `clear_sensor_readings` puts every reading back to its no-data state and forgets what was
    // learnt of the sensor; `follow_selected_address` does so when the selection has moved to
    // another address than the readings belong to.
    void clear_sensor_readings();
    void follow_selected_address();

    // Exchange log and frame view. The first line lost after a good one is reported in a box.
    void str_to_log(const std::string& text);
    void out_win(const Bytes& frame);

    // Control groups.
    void SwitchTags();
    void CloseAllTags();
    void swtag130();
    void swtag131();
    void swtag134();
    void swtag163();

    // Port buttons.
    void BTNOpenCom_Click();
    void BTNCloseCom_Click();

    SerialPort& port;
    Dialogs& dialogs;
    const Clock& clock;

    // Form-level variables, named as the rest of the team knows them.
    Bytes wrs;
    std::uint8_t last_addr = 0;
    std::uint8_t wr_fail_count = 0;
    bool no_data = false;
    std::string last_msg;
    bool net_opr = false;
    bool mode_yes = true;
    std::int16_t Ur_progressBar = 1024;
    std::string mode_str;
    std::uint8_t mode_byte = 0;
    double tek_avg = 0.0;
    std::int16_t stab_cnt = 0;
    std::int16_t hold_cnt = 0;

    // Learnt of the selected sensor since it was selected or the port was opened: a measurement
    // reply of its own gave `mode_byte`; an intact identity reply of its own filled `sn`.
    bool mode_byte_known = false;
    bool identity_known = false;
    // Ticks in a row whose bytes held nothing that could be used.
    std::uint8_t unusable_ticks = 0;

    ExchangeLog log;

  private:
    // Position of the named control in controls_; throws std::logic_error for an unknown name.
    std::size_t index_of(std::string_view name) const;

    std::vector<Control> controls_;
    std::unordered_map<std::string_view, std::size_t> index_;
    std::string log_home_;  // the folder that holds the `log` folder
    // The address the readings on show belong to: the selection when they were last cleared.
    std::optional<std::uint8_t> readings_address_ = 0;
};

}  // namespace qm720
