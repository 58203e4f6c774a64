#include "gui/display_check.h"

#include <QString>
#include <QtGlobal>
#include <cstdlib>
#include <iostream>

#include "app/desktop_session.h"

namespace qm720::gui {

namespace {

QString& first_start_message() {
    static QString message;
    return message;
}

void report_failed_start(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (first_start_message().isEmpty()) {
        first_start_message() = text;
    }
    if (type == QtFatalMsg) {
        std::cerr << "qm720: cannot open the window: " << first_start_message().toStdString()
                  << '\n';
        std::_Exit(1);
    }
}

}  // namespace

std::optional<std::string> missing_display_reason() {
    if (desktop_session_present()) {
        return std::nullopt;
    }
    return "qm720: no display found (DISPLAY is not set). Run it on a desktop, or use "
           "QT_QPA_PLATFORM=offscreen for a headless run.";
}

void guard_display_start() {
    qInstallMessageHandler(report_failed_start);
}

void display_started() {
    qInstallMessageHandler(nullptr);
}

}  // namespace qm720::gui
