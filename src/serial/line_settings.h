#pragma once

#include <termios.h>

#include <optional>
#include <string_view>

namespace qm720 {

enum class Parity { None, Even, Odd, Mark, Space };
enum class StopBits { One, OneAndHalf, Two };

// The line as a settings text such as "19200,n,8,1" describes it.
struct LineSettings {
    speed_t speed = B0;
    Parity parity = Parity::None;
    int data_bits = 8;
    StopBits stop_bits = StopBits::One;

    bool operator==(const LineSettings&) const = default;
};

// Reads "baud,parity,data bits,stop bits" as the Windows mode syntax writes it: letters in either
// case, blanks around fields allowed, the baud rate in full or as its classic two-digit
// abbreviation ("96" for 9600, "19" for 19200), parity n/e/o/m/s, 5 to 8 data bits, 1, 1.5 or
// 2 stop bits. Nothing for any other text, or for a baud rate termios has no constant for.
std::optional<LineSettings> parse_line_settings(std::string_view text);

// Makes `attributes` raw and sets the line as described: no flow control, receiver on, modem
// lines ignored, reads that return at once (the driver bounds them with poll deadlines).
// False for what a UART cannot send: 1.5 stop bits need 5 data bits, and 2 stop bits more.
bool set_line_attributes(const LineSettings& line, termios& attributes);

}  // namespace qm720
