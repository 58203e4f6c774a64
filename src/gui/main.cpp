#include <QApplication>
#include <filesystem>
#include <iostream>

#include "app/log_home.h"
#include "gui/command_line.h"
#include "gui/display_check.h"
#include "gui/service_tool.h"

namespace {

// Where --help says the log goes; the window finds the same folder through Qt.
std::string log_folder() {
    std::error_code error;
    const auto program = std::filesystem::read_symlink("/proc/self/exe", error);
    return (std::filesystem::path(qm720::log_home(program.parent_path().string())) / "log")
        .string();
}

}  // namespace

int main(int argc, char* argv[]) {
    using qm720::gui::ProgramRequest;
    const qm720::gui::CommandLine command_line = qm720::gui::read_command_line(argc, argv);
    switch (command_line.request) {
        case ProgramRequest::PrintHelp:
            std::cout << qm720::gui::usage_text(log_folder());
            return 0;
        case ProgramRequest::PrintVersion:
            std::cout << "qm720 " QM720_VERSION "\n";
            return 0;
        case ProgramRequest::RefuseArguments:
            std::cerr << qm720::gui::usage_text(log_folder());
            return 2;
        case ProgramRequest::OpenWindow:
            break;
    }
    // A platform named on the command line is Qt's to reach, like one named by QT_QPA_PLATFORM.
    const auto missing_display =
        command_line.platform_chosen ? std::nullopt : qm720::gui::missing_display_reason();
    if (missing_display) {
        std::cerr << *missing_display << '\n';
        return 1;
    }
    qm720::gui::guard_display_start();
    QApplication application(argc, argv);  // takes the Qt options the command line let through
    qm720::gui::display_started();
    qm720::gui::set_up_application(application);
    qm720::gui::ServiceTool tool;
    tool.window().show();
    return QApplication::exec();
}
