// qm720-screenshots FOLDER: the README's two pictures of the window, offscreen. window.png is the
// window at start-up; window-live.png the same window a few seconds after "Открыть порт" and
// "Опрос сети" on COM1, which scripts/screenshots links to qm720-sim through QM720_PORTS.
#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <iostream>

#include "gui/service_tool.h"

namespace {

bool save(QWidget& window, const QString& path) {
    if (!window.grab().save(path, "PNG")) {
        std::cerr << "qm720-screenshots: cannot write " << path.toStdString() << '\n';
        return false;
    }
    return true;
}

void wait(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

}  // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::cerr << "Usage: qm720-screenshots FOLDER\n";
        return 2;
    }
    const QString folder = QString::fromLocal8Bit(argv[1]);
    QApplication application(argc, argv);
    qm720::gui::set_up_application(application);
    qm720::gui::ServiceTool tool;
    QWidget& window = tool.window();
    window.show();
    wait(100);
    if (!save(window, folder + "/window.png")) {
        return 1;
    }
    for (const char* button : {"BTNOpenCom", "Opros"}) {
        window.findChild<QAbstractButton*>(button)->click();
    }
    wait(4500);  // the scan, the first sensor's identity and a few polls, a tick a second
    return save(window, folder + "/window-live.png") ? 0 : 1;
}
