#include "app/frm_serial.h"

#include <stdexcept>
#include <utility>

#include "app/control_table.h"
#include "app/frame_view.h"
#include "core/text_number.h"

namespace qm720 {

frmSerial::frmSerial(SerialPort& port, Dialogs& dialogs, const Clock& clock, std::string log_home)
    : port(port),
      dialogs(dialogs),
      clock(clock),
      session(port),
      controls_(window_controls()),
      log_home_(std::move(log_home)) {
    // The keys view the names inside controls_, which is never resized after this point.
    for (std::size_t i = 0; i < controls_.size(); ++i) {
        index_.emplace(controls_[i].name, i);
    }
}

std::size_t frmSerial::index_of(std::string_view name) const {
    const auto found = index_.find(name);
    if (found == index_.end()) {
        throw std::logic_error("frmSerial has no control named \"" + std::string(name) + "\"");
    }
    return found->second;
}

Control& frmSerial::control(std::string_view name) {
    return controls_[index_of(name)];
}

const Control& frmSerial::control(std::string_view name) const {
    return controls_[index_of(name)];
}

std::optional<std::uint8_t> frmSerial::selected_address() const {
    return address_from_text(control("CmbNet").caption);
}

std::string frmSerial::selected_address_text() const {
    return selected_address() ? control("CmbNet").caption : std::string();
}

void frmSerial::log_line(const std::string& text) {
    // A lost line never stops the exchange; the engineer hears of it once, when the log stops
    // taking lines, and the log itself counts what it missed once it takes them again.
    const auto failure = log.write_line(clock.now(), text);
    if (failure && log.lost_records() == 1) {
        report_log_failure(*failure);
    }
}

void frmSerial::report_log_failure(const FileFailure& failure) {
    dialogs.ok_box("Журнал не записывается: " + log.log_path() + ": " + failure.description);
}

void frmSerial::show_frame(const Bytes& frame) {
    control("txtRec").caption = frame_view_text(frame);
}

}  // namespace qm720
