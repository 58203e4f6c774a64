#pragma once

#include <chrono>
#include <cstddef>

namespace qm720::line_timeouts {

// The most one read returns and one write sends in a piece; the transfer buffer holds 256.
inline constexpr std::size_t kMaxTransfer = 255;

// A read that has bytes ends once the line stays silent this long after the last one.
inline constexpr std::chrono::milliseconds kReadInterval{20};
// 255 bytes requested at 1 ms each plus 1 ms: no read takes longer, whatever arrives.
inline constexpr std::chrono::milliseconds kReadTotal{256};

// Writing n bytes may take n times the first plus the second.
inline constexpr std::chrono::milliseconds kWritePerByte{1};
inline constexpr std::chrono::milliseconds kWriteConstant{10};

}  // namespace qm720::line_timeouts
