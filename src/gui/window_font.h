#pragma once

#include <QFont>
#include <QString>

#include "app/control.h"

namespace qm720::gui {

// The installed sans family that stands in for the window's "MS Sans Serif": one with Cyrillic
// glyphs and narrow enough metrics to keep every caption inside its box. Empty when none of the
// candidates is installed (Qt then falls back to its default sans font).
QString window_font_family();

// The record's font in pixels, so that text keeps its size relative to the twips layout whatever
// dots-per-inch the screen reports.
QFont window_font(const Font& font);

}  // namespace qm720::gui
