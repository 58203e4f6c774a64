#include "gui/service_tool.h"

#include <QCoreApplication>

#include "app/log_home.h"
#include "gui/all_form_events.h"
#include "gui/port_tool_tips.h"
#include "gui/russian_translations.h"
#include "gui/text.h"
#include "serial/system_serial_port.h"

namespace qm720::gui {

void set_up_application(QApplication& application) {
    // Not the display name: Qt would append that to the window's own title.
    QCoreApplication::setApplicationName(QStringLiteral("QM720"));
    install_russian_translations(application);
}

ServiceTool::ServiceTool()
    : port_(make_system_serial_port([this](const std::string& text) { dialogs_.ok_box(text); })),
      form_(*port_, dialogs_, clock_, log_home(utf8_text(QCoreApplication::applicationDirPath()))),
      window_(form_, all_form_events(), port_device_tool_tips()) {
    dialogs_.show_over(&window_, [this] { window_.sync(); });
    window_.load();
}

}  // namespace qm720::gui
