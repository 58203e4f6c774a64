#pragma once

#include "app/form_events.h"

namespace qm720::gui {

// Every event procedure of the window, from all layers. A layer that brings new procedures adds
// its registration here.
FormEventTable all_form_events();

}  // namespace qm720::gui
