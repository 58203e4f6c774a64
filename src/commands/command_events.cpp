#include "commands/command_events.h"

#include "commands/calibration.h"
#include "commands/level_shift.h"
#include "commands/operating_mode.h"
#include "commands/password.h"
#include "commands/sensor_identity.h"

namespace qm720 {

void add_command_events(FormEventTable& events) {
    events["hig_Click"] = hig_Click;
    events["low_Click"] = low_Click;
    events["sdv_hi_Click"] = sdv_hi_Click;
    events["sdv_low_Click"] = sdv_low_Click;
    events["gen_up_Click"] = gen_up_Click;
    events["gen_down_Click"] = gen_down_Click;
    events["Set_mode_Click"] = Set_mode_Click;
    events["Gen_ust_Click"] = Gen_ust_Click;
    events["net_Click"] = net_Click;
    events["InstSN_Click"] = InstSN_Click;
    events["next_ser_num_Click"] = next_ser_num_Click;
    events["Vvod_PWD_Click"] = Vvod_PWD_Click;
    events["Chg_pass_Click"] = Chg_pass_Click;
}

}  // namespace qm720
