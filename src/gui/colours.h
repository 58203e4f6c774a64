#pragma once

#include <QColor>
#include <QPalette>

#include "app/control.h"

namespace qm720::gui {

// A 0xBBGGRR value as a Qt colour; a system colour (top bit set) is taken from the palette.
QColor qt_colour(Colour colour, const QPalette& palette);

}  // namespace qm720::gui
