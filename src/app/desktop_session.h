#pragma once

namespace qm720 {

// Whether a window could be shown at all: on X11 and Wayland systems a display must be named
// (or Qt told which platform to use); a Windows session always has its desktop.
bool desktop_session_present();

}  // namespace qm720
