#pragma once

#include <QRect>

#include "app/control.h"

namespace qm720::gui {

// The window is laid out in twips; at 96 dpi fifteen of them make one pixel. Qt scales the pixels
// on high-density screens by itself.
inline constexpr int kTwipsPerPixel = 15;

constexpr int twips_to_pixels(int twips) {
    return (twips + kTwipsPerPixel / 2) / kTwipsPerPixel;
}

// The control's rectangle in pixels, relative to its frame or to the window.
inline QRect pixel_rect(const Control& control) {
    return {twips_to_pixels(control.left), twips_to_pixels(control.top),
            twips_to_pixels(control.width), twips_to_pixels(control.height)};
}

}  // namespace qm720::gui
