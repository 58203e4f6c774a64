#include "live_form.h"

#include "exchange/exchange_cycle.h"
#include "exchange/network_scan.h"

namespace qm720::test {

void LiveForm::type_address(const std::string& text) {
    Control& box = form.control("CmbNet");
    box.caption = text;
    box.list_index = -1;
    address_typed(form);
}

bool LiveForm::open_on(const std::string& address) {
    if (!bus.started()) {
        return false;
    }
    form.open_port();
    type_address(address);
    return form.control("TMRComm").enabled;
}

void LiveForm::tick(int count) {
    for (int k = 0; k < count; ++k) {
        exchange_tick(form);
    }
}

std::vector<std::string> LiveForm::log() const {
    return logged_texts_of(form.log.log_path());
}

}  // namespace qm720::test
