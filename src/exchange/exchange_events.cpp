#include "exchange/exchange_events.h"

#include "exchange/exchange_cycle.h"
#include "exchange/network_scan.h"

namespace qm720 {

void add_exchange_events(FormEventTable& events) {
    events["TMRComm_Timer"] = TMRComm_Timer;
    events["Opros_Click"] = Opros_Click;
    events["CmbNet_Change"] = CmbNet_Change;
    events["CmbNet_Click"] = CmbNet_Click;
}

}  // namespace qm720
