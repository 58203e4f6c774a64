#pragma once

#include <string>

#include "core/bytes.h"

namespace qm720 {

// The bytes readable at a glance: "<ACK>", "<NAK>", "<CR>", "<LF>", "@" for other control
// bytes and the blank, and the cp1251 character (as UTF-8) for everything from 0x30 up. The one
// byte cp1251 leaves unassigned, 0x98, shows as U+FFFD, which no frame byte can be mistaken for.
std::string readable_text(const Bytes& frame);

// The text of the frame view: every byte in hexadecimal without leading zero, each followed by a
// blank, then CR LF CR LF, then readable_text. Frames of any length are shown whole.
std::string frame_view_text(const Bytes& frame);

}  // namespace qm720
