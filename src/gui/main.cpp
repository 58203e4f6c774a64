#include <QApplication>
#include <QCoreApplication>
#include <iostream>

#include "app/clock.h"
#include "app/frm_serial.h"
#include "gui/all_form_events.h"
#include "gui/display_check.h"
#include "gui/form_window.h"
#include "gui/port_tool_tips.h"
#include "gui/qt_dialogs.h"
#include "gui/russian_translations.h"
#include "gui/text.h"
#include "serial/posix_serial_port.h"

int main(int argc, char* argv[]) {
    if (const auto reason = qm720::gui::missing_display_reason()) {
        std::cerr << *reason << '\n';
        return 1;
    }
    QApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("QM720"));
    qm720::gui::install_russian_translations(application);

    qm720::gui::QtDialogs dialogs;
    qm720::PosixSerialPort port([&dialogs](const std::string& text) {
        dialogs.message_box(text, {}, qm720::BoxIcon::None);
    });
    const qm720::SystemClock clock;
    qm720::frmSerial form(port, dialogs, clock,
                          qm720::gui::utf8_text(QCoreApplication::applicationDirPath()));

    qm720::gui::FormWindow window(form, qm720::gui::all_form_events(),
                                  qm720::gui::port_device_tool_tips());
    dialogs.show_over(&window, [&window] { window.sync(); });
    window.load();
    window.show();
    return QApplication::exec();
}
