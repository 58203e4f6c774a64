#pragma once

#include <cstdint>
#include <optional>

#include "core/bytes.h"

namespace qm720 {

// The four bytes of `num`, most significant first. Only 0 .. 2147483647 have a wire form;
// any other value gives no bytes, and the caller must turn that into its own message.
[[nodiscard]] std::optional<Bytes> four_bytes(std::int64_t num);

}  // namespace qm720
