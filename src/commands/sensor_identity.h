#pragma once

namespace qm720 {

class frmSerial;

// "Изменить &сетевой адрес": give the selected sensor a new network address.
void write_address(frmSerial& form);

// "&Serial num" and "&Next serial num": write a typed serial number, or the one shown plus one.
void write_typed_serial_number(frmSerial& form);
void write_next_serial_number(frmSerial& form);

}  // namespace qm720
