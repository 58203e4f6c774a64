// qm720-screenshots FOLDER: the README's pictures, offscreen. window.png is the window at
// start-up; window-live.png the same window a few seconds after "Открыть порт" and "Опрос сети" on
// COM1, which scripts/screenshots links to qm720-sim through QM720_PORTS; trend.png the trend
// window some seconds later, after "Установить полный" was confirmed.
#include <QAbstractButton>
#include <QApplication>
#include <QEventLoop>
#include <QMessageBox>
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

// Answers the next box with Yes.
void say_yes_to_the_next_box() {
    QTimer::singleShot(50, [] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            say_yes_to_the_next_box();
            return;
        }
        box->button(QMessageBox::Yes)->click();
    });
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
    if (!save(window, folder + "/window-live.png")) {
        return 1;
    }
    QWidget* trend = tool.trend().open();
    if (trend == nullptr) {
        return 1;
    }
    trend->resize(820, 460);
    wait(6000);
    say_yes_to_the_next_box();
    window.findChild<QAbstractButton*>("hig")->click();
    wait(8000);  // the confirmation and the readings after it
    return save(*trend, folder + "/trend.png") ? 0 : 1;
}
