#include "exchange/network_scan.h"

#include "app/frm_serial.h"
#include "protocol/requests.h"

namespace qm720 {

void start_network_scan(frmSerial& form) {
    form.session.start_network_scan();
    form.show_frame(form.session.queued_request());
    form.log_line("Cmd Ask Net ");
}

void address_typed(frmSerial& form) {
    form.follow_selected_address();
    const auto address = form.selected_address();
    form.session.queue(address ? identity_request(*address) : Bytes{});
}

void address_picked(frmSerial& form) {
    form.follow_selected_address();
}

}  // namespace qm720
