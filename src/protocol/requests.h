#pragma once

#include <cstdint>
#include <optional>

#include "core/bytes.h"
#include "protocol/frame_layout.h"

namespace qm720 {

// The poll goes here while "Запрашивать 255-й" is ticked; the scan always goes here.
inline constexpr std::uint8_t kBroadcastAddress = 0xFF;

enum class CommandCode : std::uint8_t {
    Poll = 0xF0,
    SetMode = 0xF2,
    ShiftFull = 0xF4,
    CalibrateFull = 0xF5,
    WriteSerialNumber = 0xF6,
    ChangePassword = 0xF7,
    EnterPassword = 0xF8,
    ShiftEmpty = 0xF9,
    CalibrateEmpty = 0xFA,
    SetAddress = 0xFB,
    Identity = 0xFC,
};

// The code as it stands in a frame.
constexpr std::uint8_t code_of(CommandCode code) {
    return static_cast<std::uint8_t>(code);
}

enum class Level { Full, Empty };

inline constexpr std::int16_t kMaxShift = 1000;
inline constexpr std::int64_t kMaxSerialNumber = 2'000'000;
inline constexpr std::int64_t kMaxPassword = 2'000'000'000;

// The length of a request with this code, CRC included; none for a code no sensor knows.
std::optional<std::size_t> request_length(std::uint8_t code);
// The scan request 31 FF DC has no code: its CRC stands where the code would.
inline constexpr std::size_t kScanRequestLength = kCodeOffset + 1;

// Prefix, address, code, payload and CRC: the complete frame as it goes on the line.
Bytes request_frame(std::uint8_t address, CommandCode code, const Bytes& payload = {});

Bytes poll_request(std::uint8_t address);
Bytes identity_request(std::uint8_t address);
Bytes calibrate_request(std::uint8_t address, Level level);
// The amount travels as 16-bit two's complement, high byte first.
Bytes shift_request(std::uint8_t address, Level level, std::int16_t amount);
Bytes set_mode_request(std::uint8_t address, std::uint8_t mode_byte);
Bytes set_address_request(std::uint8_t address, std::uint8_t new_address);
// Serial numbers and passwords travel as four bytes, most significant first; a negative value
// has no wire form and gives no frame.
[[nodiscard]] std::optional<Bytes> four_byte_request(std::uint8_t address, CommandCode code,
                                                     std::int64_t value);
[[nodiscard]] std::optional<Bytes> write_serial_number_request(std::uint8_t address,
                                                               std::int64_t serial_number);
// The one request without a command code: 31 FF DC.
Bytes network_scan_request();

}  // namespace qm720
