#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "app/control.h"

namespace qm720::gui {

// The controls (frames and timers left out) in the order a reader meets them: rows from top to
// bottom, each row from left to right, a frame's controls read where the frame stands. A control
// placed on the window over a frame is read with that frame. The result holds indexes into
// `controls`; the tab order follows it.
std::vector<std::size_t> reading_order(std::span<const Control> controls);

}  // namespace qm720::gui
