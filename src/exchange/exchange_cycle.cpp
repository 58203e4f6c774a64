#include "exchange/exchange_cycle.h"

#include <string>
#include <string_view>

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
// One or two bad answers in a row are the line's ordinary hiccups; three are news.
constexpr std::uint8_t kUnusableTicksTolerated = 2;

void choose_request(frmSerial& form) {
    const auto address = form.selected_address();
    if (address && *address != form.link.identity_address) {
        form.link.pending_request = identity_request_for_selection(form);
        form.link.identity_address = *address;
    }
    if (form.link.pending_request.empty() && address) {
        form.link.pending_request =
            poll_request(form.control("z255").checked ? kBroadcastAddress : *address);
    }
}

void handle_write_failure(frmSerial& form) {
    const std::string reason = form.port.last_write_failure();
    form.log_line("Ошибка записи в порт: " + reason);
    form.dialogs.ok_box(reason.empty() ? std::string("Ошибка записи в порт")
                                       : "Ошибка записи в порт\n" + reason);
    if (form.link.write_failures < kFailuresTolerated) {
        ++form.link.write_failures;
    } else {
        form.close_port();  // stops the timer first
    }
    form.link.pending_request.clear();
}

// The status line says the readings are not live; the text it had comes back with the next
// answer.
void show_lost_contact(frmSerial& form, std::string_view text) {
    Control& status = form.control("MsgCom");
    if (!form.link.lost_contact_shown) {
        form.link.status_before_lost_contact = status.caption;
        form.link.lost_contact_shown = true;
    }
    status.caption = std::string(text) + form.selected_address_text();
    form.log_line(status.caption);
}

void count_answer(frmSerial& form, AnswerUse use) {
    if (use == AnswerUse::Measurement) {
        form.link.unusable_ticks = 0;
    } else if (use == AnswerUse::Unusable) {
        if (form.link.unusable_ticks <= kUnusableTicksTolerated) {
            ++form.link.unusable_ticks;
        }
        if (form.link.unusable_ticks > kUnusableTicksTolerated) {
            show_lost_contact(form, "Нет достоверного ответа от датчика с адресом ");
        }
    }
}

void toggle_activity_lamp(frmSerial& form) {
    Colour& lamp = form.control("Pic").fill_colour;
    lamp = lamp == kWhite ? kGrey : kWhite;
}

void process_answer(frmSerial& form, const Bytes& reply) {
    if (form.link.lost_contact_shown) {
        form.control("MsgCom").caption = form.link.status_before_lost_contact;
        form.link.lost_contact_shown = false;
    }
    const std::uint8_t crc = reply_check_crc(reply);
    // Shown with the locally computed CRC after it, so an intact frame ends in two equal bytes.
    if (reply.size() <= kLongestShownReply) {
        Bytes shown = reply;
        shown.push_back(crc);
        form.show_frame(shown);
    }
    AnswerUse use = AnswerUse::Neutral;
    if (is_reply_frame(reply)) {
        use = dispatch_reply(form, reply, crc);
    } else {
        use = form.link.scan_awaited ? AnswerUse::Neutral : AnswerUse::Unusable;
        take_scan_answer(form, reply);
        form.link.scan_awaited = false;
    }
    form.control("Pic").fill_colour = kRed;
    form.port.FlushPort();
    count_answer(form, use);
}

}  // namespace

void exchange_tick(frmSerial& form) {
    form.follow_selected_address();
    choose_request(form);
    form.show_frame(form.link.pending_request);
    form.lamp.count_down_hold();

    Bytes reply = form.port.ReadPort();
    // Whatever is still buffered belongs to no request of ours: without this, one burst of
    // noise would put every later answer a tick behind its request.
    form.port.DiscardInput();
    const std::size_t written = form.port.WritePort(form.link.pending_request);
    if (written != form.link.pending_request.size()) {
        handle_write_failure(form);
        return;
    }
    form.link.write_failures = 0;
    form.link.pending_request.clear();
    toggle_activity_lamp(form);
    if (reply.empty()) {
        show_lost_contact(form, "Нет ответа от датчика с адресом ");
        return;
    }
    // A scan answer is bare address bytes, any of which may look like noise.
    if (!form.link.scan_awaited) {
        skip_line_noise(reply);
    }
    process_answer(form, reply);
}

}  // namespace qm720
