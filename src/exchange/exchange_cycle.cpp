#include "exchange/exchange_cycle.h"

#include <string>
#include <string_view>
#include <utility>

#include "app/colours.h"
#include "app/frm_serial.h"
#include "exchange/network_scan.h"
#include "exchange/reply_dispatch.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"

namespace qm720 {

namespace {

constexpr std::uint8_t kFailuresTolerated = 3;
// One or two bad answers in a row are the line's ordinary hiccups; three are news.
constexpr std::uint8_t kUnusableTicksTolerated = 2;

void choose_request(frmSerial& form) {
    const auto address = form.selected_address();
    if (address && address != form.link.identity_address) {
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

// The read after the scan is the scan answer whatever it looks like: bare address bytes, any
// of which may be 0x3E or look like noise.
AnswerUse use_answer(frmSerial& form, const Bytes& answer, const Bytes& answered_request) {
    if (answered_request == network_scan_request()) {
        show_read(form, answer);
        take_scan_answer(form, answer);
        return AnswerUse::Neutral;
    }
    return dispatch_reply(form, answer, answered_request);
}

void process_answer(frmSerial& form, const Bytes& answer, const Bytes& answered_request) {
    if (form.link.lost_contact_shown) {
        form.control("MsgCom").caption = form.link.status_before_lost_contact;
        form.link.lost_contact_shown = false;
    }
    const AnswerUse use = use_answer(form, answer, answered_request);
    form.control("Pic").fill_colour = kRed;
    form.port.wait_until_sent();
    count_answer(form, use);
}

bool is_request_with_code(const Bytes& request, CommandCode code) {
    return request.size() > kCodeOffset && request[kCodeOffset] == code_of(code);
}

// A mode write makes the answer to the next poll redraw the mode controls; the measurement read
// in the meantime was asked for before the write and still carries the old mode.
void arm_mode_redraw(frmSerial& form, const Bytes& written) {
    if (is_request_with_code(written, CommandCode::SetMode)) {
        form.redraw_mode_from_next_reply = false;
        form.link.mode_redraw_after_poll = true;
    } else if (form.link.mode_redraw_after_poll &&
               is_request_with_code(written, CommandCode::Poll)) {
        form.redraw_mode_from_next_reply = true;
        form.link.mode_redraw_after_poll = false;
    }
}

}  // namespace

void exchange_tick(frmSerial& form) {
    form.follow_selected_address();
    choose_request(form);
    form.show_frame(form.link.pending_request);
    form.lamp.count_down_hold();

    const Bytes answer = form.port.read();
    // Whatever is still buffered belongs to no request of ours: without this, one burst of
    // noise would put every later answer a tick behind its request.
    form.port.discard_input();
    const Bytes answered_request = std::exchange(form.link.written_request, {});
    const std::size_t written = form.port.write(form.link.pending_request);
    if (written != form.link.pending_request.size()) {
        handle_write_failure(form);
        return;
    }
    form.link.write_failures = 0;
    form.link.written_request = std::exchange(form.link.pending_request, {});
    arm_mode_redraw(form, form.link.written_request);
    toggle_activity_lamp(form);
    if (answer.empty()) {
        // Only a request left unanswered is silence; the first tick after opening asked nothing.
        form.link.silence_seen = form.link.silence_seen || !answered_request.empty();
        show_lost_contact(form, "Нет ответа от датчика с адресом ");
        return;
    }
    process_answer(form, answer, answered_request);
}

}  // namespace qm720
