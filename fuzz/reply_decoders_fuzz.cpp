// The decoders straight from the line's bytes, without the tick's checks in front of them.
// Input: one byte choosing the decoder, then the reply; for the mode decoder every byte of the
// rest is one mode byte after another.
#include "fuzz.h"
#include "presentation/identity_reply.h"
#include "presentation/measurement_reply.h"
#include "presentation/mode_byte.h"

QM720_FUZZ(input) {
    if (size == 0) {
        return;
    }
    qm720::fuzz::FuzzForm h;
    const qm720::Bytes reply(data + 1, data + size);
    if (data[0] % 3 == 0) {
        qm720::show_measurement(h.form, reply);
    } else if (data[0] % 3 == 1) {
        qm720::show_identity(h.form, reply);
    } else {
        for (const std::uint8_t mode : reply) {
            qm720::show_mode(h.form, mode);
        }
    }
}
