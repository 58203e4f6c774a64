#pragma once

#include <QApplication>
#include <QPoint>
#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <ostream>
#include <string_view>

#include "app/form_events.h"
#include "app/frm_serial.h"
#include "gui/all_form_events.h"
#include "gui/form_window.h"
#include "gui/qt_dialogs.h"
#include "support/fixed_clock.h"
#include "support/temp_folder.h"

// Failure messages show Qt texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace qm720::test {

// The window as the program puts it together, over the port the test gives, with real Qt boxes,
// the port list's device tool tips and its log in a temporary folder; loaded and shown.
struct WindowHarness {
    explicit WindowHarness(SerialPort& port, FormEventTable events = gui::all_form_events());

    QWidget& widget(std::string_view name) const;
    // A left click at the centre of the named control, delivered to the window as a real click
    // would be, so it reaches whatever widget lies there.
    void click(std::string_view name);

    TempFolder folder;
    FixedClock clock{{.year = 2026, .month = 12, .day = 5, .hour = 21, .minute = 43, .second = 15}};
    gui::QtDialogs dialogs;
    frmSerial form;
    gui::FormWindow window;
};

// Runs `answer` on the first modal box for which `ready` holds, polling from the event loop; the
// box is shown by code the test is about to run.
void when_box_shows(
    std::function<void(QWidget& box)> answer, std::function<bool()> ready = [] { return true; });

// Processes events until `done` holds; false when it still does not after ten seconds.
bool process_events_until(const std::function<bool()>& done);

}  // namespace qm720::test
