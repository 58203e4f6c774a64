#include "gui/colours.h"

namespace qm720::gui {

QColor qt_colour(Colour colour, const QPalette& palette) {
    constexpr Colour kSystemColourBit = 0x80000000;
    if ((colour & kSystemColourBit) != 0) {
        // The button face is the only system colour the window uses.
        return palette.color(QPalette::Button);
    }
    const int red = static_cast<int>(colour & 0xFF);
    const int green = static_cast<int>((colour >> 8) & 0xFF);
    const int blue = static_cast<int>((colour >> 16) & 0xFF);
    return {red, green, blue};
}

}  // namespace qm720::gui
