#pragma once

#include <cstdint>
#include <vector>

namespace qm720 {

// A frame or any run of line bytes. Never text: 0x00 and 0x80..0xFF are ordinary values here.
using Bytes = std::vector<std::uint8_t>;

}  // namespace qm720
