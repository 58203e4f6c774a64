#include "trend_window/trend_window_entry.h"

#include <QtGlobal>
#include <type_traits>

#include "trend_window/trend_window.h"

extern "C" Q_DECL_EXPORT QWidget* qm720_make_trend_window(qm720::TrendRecorder& recorder,
                                                          QWidget* main_window) {
    return new qm720::gui::TrendWindow(recorder, main_window);
}

static_assert(std::is_same_v<decltype(&qm720_make_trend_window), qm720::gui::MakeTrendWindow>);
