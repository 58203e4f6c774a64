#pragma once

class QWidget;

namespace qm720 {
class TrendRecorder;
}

namespace qm720::gui {

// The one door into the trend window's module, which the window loads on first use: makes the
// trend window over `recorder`, beside `main_window` (may be null), not yet shown.
using MakeTrendWindow = QWidget* (*)(TrendRecorder& recorder, QWidget* main_window);
inline constexpr const char* kMakeTrendWindow = "qm720_make_trend_window";

}  // namespace qm720::gui
