#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "core/bytes.h"

namespace qm720 {

class frmSerial;

// The command lines for a remote sensor, one path for every kind: the operator names the sensor,
// the line goes into gen_txt and the log, and the pending request is never touched, so a command
// still waiting for the next tick goes out.

// The answer to "Введите сетевой адрес удаленного датчика" as a remote address 0..199. An
// address of 200 or more is refused with "Адрес д.б. менее 200."; an answer that is no address
// at all, or a Cancel, ends the command without a word.
std::optional<std::uint8_t> remote_address_from(frmSerial& form, const std::string& answer);

// Puts the line for `request` into gen_txt and logs it after `log_prefix`.
void show_generated_line(frmSerial& form, const Bytes& request, const std::string& log_prefix);

}  // namespace qm720
