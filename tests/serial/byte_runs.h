#pragma once

#include <cstddef>
#include <cstdint>

#include "core/bytes.h"

namespace qm720::test {

// `count` bytes 0, 1, 2, ... wrapping at 256: every value appears, and any byte lost, doubled or
// moved shows up in a comparison.
inline Bytes counting_bytes(std::size_t count) {
    Bytes bytes(count);
    for (std::size_t i = 0; i < count; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i);
    }
    return bytes;
}

}  // namespace qm720::test
