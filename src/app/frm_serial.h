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

    frmSerial(SerialPort& port, Dialogs& dialogs, const Clock& clock, std::string program_folder);

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

    // Exchange log and frame view.
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

    ExchangeLog log;

  private:
    // Position of the named control in controls_; throws std::logic_error for an unknown name.
    std::size_t index_of(std::string_view name) const;

    std::vector<Control> controls_;
    std::unordered_map<std::string_view, std::size_t> index_;
    std::string program_folder_;
};

}  // namespace qm720
