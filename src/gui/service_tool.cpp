#include "gui/service_tool.h"

#include <QCoreApplication>
#include <chrono>

#include "app/log_home.h"
#include "gui/all_form_events.h"
#include "gui/port_tool_tips.h"
#include "gui/russian_translations.h"
#include "gui/text.h"
#include "presentation/tick_outcome.h"
#include "serial/system_serial_port.h"

namespace qm720::gui {

namespace {

TrendTime wall_clock_now() {
    return std::chrono::time_point_cast<std::chrono::milliseconds>(
        std::chrono::system_clock::now());
}

}  // namespace

void set_up_application(QApplication& application) {
    // Not the display name: Qt would append that to the window's own title.
    QCoreApplication::setApplicationName(QStringLiteral("QM720"));
    install_russian_translations(application);
}

ServiceTool::ServiceTool()
    : port_(make_system_serial_port([this](const std::string& text) { dialogs_.ok_box(text); })),
      trend_recorder_(wall_clock_now, confirmation_text),
      form_(*port_, dialogs_, clock_, log_home(utf8_text(QCoreApplication::applicationDirPath()))),
      window_(form_, all_form_events(), port_device_tool_tips()),
      trend_opening_(new TrendOpening(window_, trend_recorder_)) {
    trend_recorder_.follow(form_.session);
    dialogs_.show_over(&window_, [this] { window_.sync(); });
    window_.load();
}

}  // namespace qm720::gui
