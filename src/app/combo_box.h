#pragma once

#include <string>

#include "app/control.h"

namespace qm720 {

// A combo box shows its selected entry as its text, so selecting sets both.
void select_entry(Control& combo, int index);
void add_entry(Control& combo, std::string text);
// Empties the list and the text: nothing is selected afterwards.
void clear_entries(Control& combo);
// The address list after start-up and after every close: the one entry "0", selected.
void set_single_entry(Control& combo, const std::string& text);

}  // namespace qm720
