#include "exchange/exchange_cycle.h"

#include "app/frm_serial.h"
#include "presentation/tick_outcome.h"

namespace qm720 {

void exchange_tick(frmSerial& form) {
    form.follow_selected_address();
    const TickOutcome outcome =
        form.session.tick(form.selected_address(), form.control("z255").checked);
    show_tick_outcome(form, outcome);
}

}  // namespace qm720
