#pragma once

#include <QObject>
#include <QPointer>
#include <QShortcut>
#include <QString>

#include "gui/form_window.h"
#include "trend/trend_recorder.h"

namespace qm720::gui {

// How the operator opens "График показаний" without a change to the form: a click on the level
// bar or on one of the three readings (a pointing hand and a tool tip say so), or Ctrl+G. The
// first opening loads the trend window's module, and Qt Charts with it; later ones show the same
// window again.
class TrendOpening : public QObject {
  public:
    static constexpr const char* kShortcut = "Ctrl+G";

    // `module_path`: the trend window's module; by default the one installed beside the program.
    TrendOpening(FormWindow& main_window, TrendRecorder& recorder,
                 QString module_path = installed_module_path());

    // Shows the trend window and brings it to the front; null when the module cannot be loaded,
    // which a box then says.
    QWidget* open();
    QWidget* trend_window() const { return trend_window_; }

    static QString installed_module_path();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    FormWindow& main_window_;
    TrendRecorder& recorder_;
    QString module_path_;
    QShortcut* shortcut_;
    QPointer<QWidget> trend_window_;
};

}  // namespace qm720::gui
