#include "commands/command_events.h"

#include "commands/calibration.h"
#include "commands/level_shift.h"
#include "commands/operating_mode.h"
#include "commands/password.h"
#include "commands/sensor_identity.h"

namespace qm720 {

void add_command_events(FormEventTable& events) {
    events["hig_Click"] = calibrate_full;
    events["low_Click"] = calibrate_empty;
    events["sdv_hi_Click"] = shift_full_level;
    events["sdv_low_Click"] = shift_empty_level;
    events["gen_up_Click"] = generate_full_shift_line;
    events["gen_down_Click"] = generate_empty_shift_line;
    events["Set_mode_Click"] = write_mode;
    events["Gen_ust_Click"] = generate_mode_line;
    events["net_Click"] = write_address;
    events["InstSN_Click"] = write_typed_serial_number;
    events["next_ser_num_Click"] = write_next_serial_number;
    events["Vvod_PWD_Click"] = enter_password;
    events["Chg_pass_Click"] = change_password;
}

}  // namespace qm720
