#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

#include "core/bytes.h"

namespace qm720::sim {

// Where the fields sit in a request, and in a reply alike: prefix, address, code, payload, CRC.
inline constexpr std::size_t kAddressOffset = 1;
inline constexpr std::size_t kCodeOffset = 2;
inline constexpr std::size_t kPayloadOffset = 3;

// The scan is the only request without a code; its third byte is the CRC of 31 FF.
inline constexpr std::size_t kScanRequestLength = 3;

// Prefix, address, code, payload and CRC of a request with this code; none for a code no
// sensor knows.
std::optional<std::size_t> request_length(std::uint8_t code);

// 31 FF DC exactly. A poll to 255 (31 FF F0 80) starts the same way, so only the third byte
// tells them apart: DC is no command code.
bool is_scan_request(const Bytes& request);

// Whether the first bytes of `received` (prefix, address, third byte) start a scan.
bool starts_scan(const Bytes& received);

}  // namespace qm720::sim
