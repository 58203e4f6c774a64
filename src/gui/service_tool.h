#pragma once

#include <QApplication>
#include <memory>

#include "app/clock.h"
#include "app/frm_serial.h"
#include "gui/form_window.h"
#include "gui/qt_dialogs.h"
#include "serial/serial_port.h"

namespace qm720::gui {

// The application's name (the title of boxes that bring none of their own) and Qt's Russian
// button texts. Call once, right after the QApplication is made.
void set_up_application(QApplication& application);

// The whole tool as the program runs it: the serial driver, the system clock and Qt's boxes
// handed to the form, with every layer's event procedures, and the window over it, loaded but
// not yet shown. The log goes beside the program, or to the user's state folder when the
// program's folder is not the user's to write (an installed program).
class ServiceTool {
  public:
    ServiceTool();
    ServiceTool(const ServiceTool&) = delete;
    ServiceTool& operator=(const ServiceTool&) = delete;

    FormWindow& window() { return window_; }

  private:
    QtDialogs dialogs_;
    std::unique_ptr<SerialPort> port_;
    SystemClock clock_;
    frmSerial form_;
    FormWindow window_;
};

}  // namespace qm720::gui
