#include "exchange/exchange_events.h"

#include "exchange/exchange_cycle.h"
#include "exchange/network_scan.h"

namespace qm720 {

void add_exchange_events(FormEventTable& events) {
    events["TMRComm_Timer"] = exchange_tick;
    events["Opros_Click"] = start_network_scan;
    events["CmbNet_Change"] = address_typed;
    events["CmbNet_Click"] = address_picked;
}

}  // namespace qm720
