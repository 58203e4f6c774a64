#include "app/combo_box.h"

#include <utility>

namespace qm720 {

void select_entry(Control& combo, int index) {
    if (index < 0 || static_cast<std::size_t>(index) >= combo.list.size()) {
        combo.list_index = -1;
        return;
    }
    combo.list_index = index;
    combo.caption = combo.list[static_cast<std::size_t>(index)];
}

void add_entry(Control& combo, std::string text) {
    combo.list.push_back(std::move(text));
}

void clear_entries(Control& combo) {
    combo.list.clear();
    combo.list_index = -1;
    combo.caption.clear();
}

void set_single_entry(Control& combo, const std::string& text) {
    clear_entries(combo);
    add_entry(combo, text);
    select_entry(combo, 0);
}

}  // namespace qm720
