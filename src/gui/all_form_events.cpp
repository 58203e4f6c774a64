#include "gui/all_form_events.h"

#include "commands/command_events.h"
#include "exchange/exchange_events.h"

namespace qm720::gui {

FormEventTable all_form_events() {
    FormEventTable events;
    add_port_events(events);
    add_exchange_events(events);
    add_command_events(events);
    return events;
}

}  // namespace qm720::gui
