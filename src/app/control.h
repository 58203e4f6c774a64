#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace qm720 {

enum class ControlKind {
    Frame,
    Label,
    CommandButton,
    TextBox,
    ComboBox,
    CheckBox,
    OptionButton,
    Shape,  // a filled circle: the exchange and stability lamps
    ProgressBar,
    Timer,
};

// 24-bit colours are 0xBBGGRR; values with the top bit set name a system colour.
using Colour = std::uint32_t;
inline constexpr Colour kButtonFace = 0x8000000F;

struct Font {
    std::string name = "MS Sans Serif";
    double points = 8.25;
    bool bold = false;
};

// One control of the window as plain data. Handlers read and write these fields; the front end
// only mirrors them onto widgets. Positions are twips relative to the parent (window or frame).
struct Control {
    std::string name;
    ControlKind kind = ControlKind::Label;
    std::string parent;  // name of the enclosing frame; empty for the window itself
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::string caption;  // caption or text, UTF-8
    int group = 0;        // the group the control is enabled and disabled with; 0: none
    bool enabled = true;
    bool visible = true;
    Colour fill_colour = 0;            // shapes
    Colour back_colour = kButtonFace;  // labels
    bool checked = false;              // check boxes and option buttons
    std::vector<std::string> list;     // combo boxes
    int list_index = -1;               // combo boxes: -1 when no entry is selected
    int minimum = 0;                   // progress bar
    int maximum = 0;
    int value = 0;
    int interval_ms = 0;  // timer
    bool multi_line = false;
    Font font;
};

}  // namespace qm720
