#include "exchange/network_scan.h"

#include <string>

#include "app/combo_box.h"
#include "app/frm_serial.h"
#include "protocol/requests.h"

namespace qm720 {

namespace {

constexpr std::size_t kLongestScanAnswer = 19;

}  // namespace

void start_network_scan(frmSerial& form) {
    form.link.pending_request = network_scan_request();
    form.show_frame(form.link.pending_request);
    form.log_line("Cmd Ask Net ");
    form.redraw_mode_from_next_reply = true;
}

void take_scan_answer(frmSerial& form, const Bytes& answer) {
    if (answer.empty() || answer.size() > kLongestScanAnswer) {
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
    form.show_frame(answer);
    form.log_line("Устройства в сети " + found);
    form.link.pending_request = identity_request_for_selection(form);
    form.control("MsgCom").caption = "Произошел опрос сети.";
}

Bytes identity_request_for_selection(const frmSerial& form) {
    const auto address = form.selected_address();
    return address ? identity_request(*address) : Bytes{};
}

void address_typed(frmSerial& form) {
    form.follow_selected_address();
    form.link.pending_request = identity_request_for_selection(form);
}

void address_picked(frmSerial& form) {
    form.follow_selected_address();
}

}  // namespace qm720
