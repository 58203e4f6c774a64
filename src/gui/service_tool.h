#pragma once

#include <QApplication>
#include <memory>

#include "app/clock.h"
#include "app/frm_serial.h"
#include "gui/form_window.h"
#include "gui/qt_dialogs.h"
#include "gui/trend_opening.h"
#include "serial/serial_port.h"
#include "trend/trend_recorder.h"

namespace qm720::gui {

// The application's name (the title of boxes that bring none of their own) and Qt's Russian
// button texts. Call once, right after the QApplication is made.
void set_up_application(QApplication& application);

// The whole tool as the program runs it: the serial driver, the system clock and Qt's boxes
// handed to the form, with every layer's event procedures, and the window over it, loaded but
// not yet shown, with the trend recorded from the first tick and opened from the readings. The
// log goes beside the program, or to the user's state folder when the
// program's folder is not the user's to write (an installed program).
class ServiceTool {
  public:
    ServiceTool();
    ServiceTool(const ServiceTool&) = delete;
    ServiceTool& operator=(const ServiceTool&) = delete;

    FormWindow& window() { return window_; }
    TrendOpening& trend() { return *trend_opening_; }

  private:
    QtDialogs dialogs_;
    std::unique_ptr<SerialPort> port_;
    SystemClock clock_;
    // Outlives the session, which hands it every outcome, and the trend window, which reads it.
    TrendRecorder trend_recorder_;
    frmSerial form_;
    FormWindow window_;
    TrendOpening* trend_opening_;  // owned by the window
};

}  // namespace qm720::gui
