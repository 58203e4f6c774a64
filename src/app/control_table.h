#pragma once

#include <vector>

#include "app/control.h"

namespace qm720 {

// Every control of the window in its start state, hidden ones included, in window order.
std::vector<Control> window_controls();

}  // namespace qm720
