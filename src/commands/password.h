#pragma once

namespace qm720 {

class frmSerial;

// "Ввести пароль": send a password to the selected sensor.
void enter_password(frmSerial& form);

// "Изменить пароль": after a warning, give the selected sensor a new password.
void change_password(frmSerial& form);

}  // namespace qm720
