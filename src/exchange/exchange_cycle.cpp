#include "exchange/exchange_cycle.h"

#include <string>

#include "app/colours.h"
#include "app/frm_serial.h"
#include "exchange/network_scan.h"
#include "exchange/reply_dispatch.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"

namespace qm720 {

namespace {

constexpr std::uint8_t kFailuresTolerated = 3;
constexpr std::size_t kLongestShownReply = 29;

void choose_request(frmSerial& form) {
    const auto address = form.selected_address();
    if (address && *address != form.last_addr) {
        form.wrs = Zapros_ser_num(form);
        form.last_addr = *address;
    }
    if (form.wrs.empty() && address) {
        form.wrs = poll_request(form.control("z255").checked ? kBroadcastAddress : *address);
    }
}

void handle_write_failure(frmSerial& form) {
    form.dialogs.ok_box("Ошибка записи в порт");
    if (form.wr_fail_count < kFailuresTolerated) {
        ++form.wr_fail_count;
    } else {
        form.BTNCloseCom_Click();  // stops the timer first
    }
    form.wrs.clear();
}

void handle_silence(frmSerial& form) {
    Control& status = form.control("MsgCom");
    if (!form.no_data) {
        form.last_msg = status.caption;
        form.no_data = true;
    }
    const auto address = form.selected_address();
    status.caption =
        "Нет ответа от датчика с адресом " + (address ? std::to_string(*address) : std::string());
    form.str_to_log(status.caption);
}

void toggle_activity_lamp(frmSerial& form) {
    Colour& lamp = form.control("Pic").fill_colour;
    lamp = lamp == kWhite ? kGrey : kWhite;
}

void process_answer(frmSerial& form, const Bytes& reply) {
    if (form.no_data) {
        form.control("MsgCom").caption = form.last_msg;
        form.no_data = false;
    }
    const std::uint8_t crc = reply_check_crc(reply);
    // Shown with the locally computed CRC after it, so an intact frame ends in two equal bytes.
    if (reply.size() <= kLongestShownReply) {
        Bytes shown = reply;
        shown.push_back(crc);
        form.out_win(shown);
    }
    if (is_reply_frame(reply)) {
        dispatch_reply(form, reply, crc);
    } else {
        take_scan_answer(form, reply);
        form.net_opr = false;
    }
    form.control("Pic").fill_colour = kRed;
    form.port.FlushPort();
}

}  // namespace

void TMRComm_Timer(frmSerial& form) {
    choose_request(form);
    form.out_win(form.wrs);
    form.hold_cnt = form.hold_cnt > 0 ? static_cast<std::int16_t>(form.hold_cnt - 1) : 0;

    const Bytes reply = form.port.ReadPort();
    const std::size_t written = form.port.WritePort(form.wrs);
    if (written != form.wrs.size()) {
        handle_write_failure(form);
        return;
    }
    form.wr_fail_count = 0;
    form.wrs.clear();
    toggle_activity_lamp(form);
    if (reply.empty()) {
        handle_silence(form);
        return;
    }
    process_answer(form, reply);
}

}  // namespace qm720
