#pragma once

#include "app/form_events.h"

namespace qm720 {

// The tick, the scan button and edits of the address box.
void add_exchange_events(FormEventTable& events);

}  // namespace qm720
