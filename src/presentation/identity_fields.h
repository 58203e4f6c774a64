#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/bytes.h"

namespace qm720 {

// What an identity reply (code 0xFC) tells: the serial number and, in a reply of full length,
// the software version as a number and as the text the window shows ("1.6.3.").
struct IdentityFields {
    std::uint32_t serial_number = 0;
    std::optional<std::uint8_t> software_version;
    std::string version_text;  // empty without a version
};

// None when the reply is too short to hold a serial number.
std::optional<IdentityFields> identity_fields(const Bytes& reply);

}  // namespace qm720
