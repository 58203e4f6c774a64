#pragma once

#include <QCheckBox>
#include <QTimer>
#include <QWidget>

#include "trend/trend_recorder.h"
#include "trend/trend_span.h"
#include "trend_window/trend_chart.h"
#include "trend_window/trend_chart_view.h"

namespace qm720::gui {

// "График показаний": the session's trend beside the main window, not modal. Redraws after every
// outcome the recorder takes while it is shown, once the tick is over, so drawing never holds up
// the exchange; follows the last ten minutes until the operator
// zooms or drags, "Сейчас" follows again, "Весь сеанс" shows it all. Saves every reading as CSV
// and the picture as PNG.
class TrendWindow : public QWidget {
  public:
    static constexpr const char* kTitle = "График показаний";

    TrendWindow(TrendRecorder& recorder, QWidget* main_window);
    ~TrendWindow() override;
    TrendWindow(const TrendWindow&) = delete;
    TrendWindow& operator=(const TrendWindow&) = delete;

    void redraw();

  protected:
    void showEvent(QShowEvent* event) override;

  private:
    TimeRange shown() const;
    TrendChartView::Gestures gestures();
    void save_csv();
    void save_png();
    // The file the operator names, or an empty text when cancelled.
    QString file_to_save(const QString& title, const QString& suffix);
    void report_unsaved(const QString& path, const QString& reason);

    TrendRecorder& recorder_;
    TrendSpan span_;
    TrendChart* chart_;
    TrendChartView* view_;
    QCheckBox* current_value_;
    QTimer redraw_after_tick_;
    TimeRange shown_when_drag_started_{};
};

}  // namespace qm720::gui
