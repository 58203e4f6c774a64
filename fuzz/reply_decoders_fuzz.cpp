// The decoders straight from the line's bytes, without the tick's checks in front of them.
#include <cstddef>
#include <cstdint>

#include "fuzz_form.h"
#include "presentation/identity_reply.h"
#include "presentation/measurement_reply.h"
#include "presentation/mode_byte.h"

// Input: one byte choosing the decoder, then the reply; for the mode decoder every byte of the
// rest is one mode byte after another.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    qm720::fuzz::FuzzForm h;
    const qm720::Bytes reply(data + 1, data + size);
    switch (data[0] % 3) {
        case 0:
            qm720::show_measurement(h.form, reply);
            break;
        case 1:
            qm720::show_identity(h.form, reply);
            break;
        default:
            for (const std::uint8_t mode : reply) {
                qm720::show_mode(h.form, mode);
            }
    }
    return 0;
}
