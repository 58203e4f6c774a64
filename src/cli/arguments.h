#pragma once

#include <cstdint>
#include <string>

#include "cli/invocation.h"
#include "protocol/requests.h"

namespace qm720::cli {

// Arguments as the window takes typed text; text it would not take is a usage error.
std::uint8_t address_argument(const std::string& text);
Level level_argument(const std::string& text);
std::int16_t shift_amount_argument(const std::string& text);
std::int64_t serial_number_argument(const std::string& text);

// `mode` with every option given applied; the bits no option touches stay as they are.
std::uint8_t mode_with_options(std::uint8_t mode, const ModeOptions& options);

}  // namespace qm720::cli
