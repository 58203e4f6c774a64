#pragma once

#include <functional>
#include <map>
#include <string>

namespace qm720 {

class frmSerial;

// Event procedures by their names: control + "_" + event ("BTNOpenCom_Click", "CmbNet_Change",
// "TMRComm_Timer"). Each layer adds its own; the front end calls whatever the table holds, so it
// needs no knowledge of what a button does.
using FormEventTable = std::map<std::string, std::function<void(frmSerial&)>, std::less<>>;

// The port buttons.
void add_port_events(FormEventTable& events);

}  // namespace qm720
