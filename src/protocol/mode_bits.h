#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace qm720 {

// The mode byte: bit 0 display inversion, bits 1, 2 and 4 the output mode, bit 3 smoothing,
// bit 7 the 4096 range; bits 5 and 6 carry nothing
// the tool shows.
inline constexpr std::uint8_t kInversionBit = 0x01;
inline constexpr std::uint8_t kOutputModeMask = 0x16;
inline constexpr std::uint8_t kSmoothingBit = 0x08;
inline constexpr std::uint8_t kRange4096Bit = 0x80;

// Whether the sensor smooths its readings, by the mode it reported; none reported is taken as
// not. Both programs refuse to calibrate a smoothing sensor: it would store a smoothed value.
constexpr bool smooths(std::optional<std::uint8_t> reported_mode) {
    return reported_mode && (*reported_mode & kSmoothingBit) != 0;
}

// The five output modes: the selector (the bits under kOutputModeMask), the option button that
// shows it in the window and its name on the command line. In the order the window sets the
// options; the selectors 0x12, 0x14 and 0x16 name none.
struct OutputMode {
    std::uint8_t selector;
    std::string_view option;
    std::string_view name;
};
inline constexpr std::array<OutputMode, 5> kOutputModes = {{
    {0x00, "R485", "rs485"},
    {0x02, "R_a", "analog"},
    {0x04, "R_f", "frequency"},
    {0x06, "R_p", "periodic"},
    {0x10, "R_p485", "periodic-rs485"},
}};

}  // namespace qm720
