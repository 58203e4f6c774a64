#include "commands/remote_line.h"

#include "app/frm_serial.h"
#include "core/text_number.h"
#include "protocol/command_line.h"

namespace qm720 {

std::optional<std::uint8_t> remote_address_from(frmSerial& form, const std::string& answer) {
    const auto address = address_from_text(answer);
    if (!address) {
        return std::nullopt;
    }
    if (*address >= kFirstNonRemoteAddress) {
        form.dialogs.ok_box("Адрес д.б. менее 200.");
        return std::nullopt;
    }
    return address;
}

void show_generated_line(frmSerial& form, const Bytes& request, const std::string& log_prefix) {
    Control& output = form.control("gen_txt");
    output.caption = generated_command_line(request).value_or("");
    form.log_line(log_prefix + output.caption);
}

}  // namespace qm720
