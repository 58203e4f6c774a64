#pragma once

namespace qm720 {

class frmSerial;

// "Ввести пароль": send a password to the selected sensor.
void Vvod_PWD_Click(frmSerial& form);

// "Изменить пароль": after a warning, give the selected sensor a new password.
void Chg_pass_Click(frmSerial& form);

}  // namespace qm720
