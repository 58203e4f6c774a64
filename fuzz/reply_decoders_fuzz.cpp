// The decoders and the acceptance rule straight from the line's bytes, without the tick's checks
// in front of them. Input: one byte choosing the decoder, then the reply; for the mode decoder
// every byte of the rest is one mode byte after another, drawn onto the window's controls.
#include "fuzz.h"
#include "presentation/mode_byte.h"
#include "protocol/reply_acceptance.h"
#include "protocol/reply_fields.h"
#include "protocol/requests.h"

QM720_FUZZ(input) {
    if (size == 0) {
        return;
    }
    const qm720::Bytes reply(data + 1, data + size);
    switch (data[0] % 4) {
        case 0:
            (void)qm720::measurement_fields(reply);
            break;
        case 1:
            (void)qm720::identity_fields(reply);
            break;
        case 2:
            (void)qm720::judge_reply(reply, {.asked = qm720::poll_request(1),
                                             .reading_address = data[0],
                                             .broadcast_poll_answered_by_anyone = true,
                                             .lenient_confirmations = (data[0] & 0x80) != 0});
            break;
        default: {
            qm720::fuzz::FuzzForm h;
            for (const std::uint8_t mode : reply) {
                qm720::show_mode(h.form, mode);
            }
        }
    }
}
