#pragma once

#include <cstdint>

#include "core/bytes.h"

namespace qm720 {

class frmSerial;

// What one tick's answer was worth: a good measurement of the polled sensor; something that
// neither counts nor breaks a run of bad answers (a confirmation, a good identity, a scan
// answer); or nothing that could be used.
enum class AnswerUse { Measurement, Neutral, Unusable };

// Shows a read in the frame view with the locally computed CRC after it, so an intact frame ends
// in two equal bytes; a read of 30 bytes or more is not shown.
void show_read(frmSerial& form, const Bytes& read);

// Judges one read as the answer to `answered_request`, the request written in the tick before
// it, shows it in the frame view and acts on it by its kind: decoders for measurement, identity
// and mode replies, a status line for each confirmation, a box for an intact reply of a code
// nobody knows from the sensor asked. The window takes a confirmation on a clean line whatever
// its CRC, since the sensor did act; everything else needs an intact frame.
AnswerUse dispatch_reply(frmSerial& form, const Bytes& read, const Bytes& answered_request);

}  // namespace qm720
