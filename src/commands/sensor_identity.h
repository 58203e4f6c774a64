#pragma once

namespace qm720 {

class frmSerial;

// "Изменить &сетевой адрес": give the selected sensor a new network address.
void net_Click(frmSerial& form);

// "&Serial num" and "&Next serial num": write a typed serial number, or the one shown plus one.
void InstSN_Click(frmSerial& form);
void next_ser_num_Click(frmSerial& form);

}  // namespace qm720
