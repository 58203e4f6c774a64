#include "exchange/network_scan.h"

#include <string>

#include "app/combo_box.h"
#include "app/frm_serial.h"
#include "protocol/requests.h"

namespace qm720 {

namespace {

constexpr std::size_t kLongestScanAnswer = 19;

}  // namespace

void Opros_Click(frmSerial& form) {
    form.wrs = network_scan_request();
    form.out_win(form.wrs);
    form.str_to_log("Cmd Ask Net ");
    form.net_opr = true;
    form.mode_yes = true;
}

void take_scan_answer(frmSerial& form, const Bytes& answer) {
    if (!form.net_opr || answer.empty() || answer.size() > kLongestScanAnswer) {
        return;
    }
    // Every byte is one sensor's address, as it arrived: not sorted, checked or merged.
    std::string found;
    Control& addresses = form.control("CmbNet");
    clear_entries(addresses);
    for (const std::uint8_t address : answer) {
        add_entry(addresses, std::to_string(address));
        found += std::to_string(address) + " ";
    }
    select_entry(addresses, 0);
    form.follow_selected_address();

    form.control("netdev").caption = found;
    form.out_win(answer);
    form.str_to_log("Устройства в сети " + found);
    form.wrs = Zapros_ser_num(form);
    form.control("MsgCom").caption = "Произошел опрос сети.";
}

Bytes Zapros_ser_num(const frmSerial& form) {
    const auto address = form.selected_address();
    return address ? identity_request(*address) : Bytes{};
}

void CmbNet_Change(frmSerial& form) {
    form.follow_selected_address();
    form.wrs = Zapros_ser_num(form);
}

void CmbNet_Click(frmSerial& form) {
    form.follow_selected_address();
}

}  // namespace qm720
