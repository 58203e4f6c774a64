#pragma once

#include <cstdint>

#include "core/bytes.h"

namespace qm720 {

class frmSerial;

// What one tick's answer was worth: a good measurement of the polled sensor; something that
// neither counts nor breaks a run of bad answers (a confirmation, a good identity, a scan
// answer); or nothing that could be used.
enum class AnswerUse { Measurement, Neutral, Unusable };

// What a reply is judged against: the request written in the tick before it was read, and
// whether line noise came before it in the read.
struct ReplyContext {
    Bytes answered_request;
    bool after_noise = false;
};

// Acts on a reply frame by its code: decoders for measurement, identity and mode replies, a
// status line for each confirmation, a box for an intact reply of a code nobody knows. Readings
// are believed only when intact and from the sensor asked. A confirmation counts only when it
// answers the request written before it; on a clean line it is taken whatever its CRC, since the
// sensor did act, but after noise only when intact: noise can hold the prefix byte. Anything
// else is an unusable answer, silently.
AnswerUse dispatch_reply(frmSerial& form, const Bytes& reply, const ReplyContext& context);

}  // namespace qm720
