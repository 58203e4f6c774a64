#pragma once

#include "core/bytes.h"

namespace qm720::sim {

// 31 FF DC exactly. A poll to 255 (31 FF F0 80) starts the same way, so only the third byte
// tells them apart: DC is no command code.
bool is_scan_request(const Bytes& request);

// Whether the first bytes of `received` (prefix, address, third byte) start a scan.
bool starts_scan(const Bytes& received);

}  // namespace qm720::sim
