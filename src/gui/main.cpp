#include <QApplication>
#include <iostream>

#include "gui/display_check.h"
#include "gui/service_tool.h"

int main(int argc, char* argv[]) {
    if (const auto reason = qm720::gui::missing_display_reason()) {
        std::cerr << *reason << '\n';
        return 1;
    }
    QApplication application(argc, argv);
    qm720::gui::set_up_application(application);
    qm720::gui::ServiceTool tool;
    tool.window().show();
    return QApplication::exec();
}
