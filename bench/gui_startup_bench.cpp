// How long the tool takes from entering main() to its window's first paint, and how much memory
// it then holds; that Qt Charts is not yet loaded then, and what the first opening of the trend
// window adds. Prints the figures beside their targets; asserts nothing.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTest>
#include <QTimer>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <optional>
#include <string>

#include "gui/display_check.h"
#include "gui/service_tool.h"

namespace {

constexpr double kTargetStartUpMs = 300.0;
constexpr double kTargetResidentMb = 60.0;
constexpr int kGiveUpMs = 10000;

// Notes the time of the window's first paint, then ends the event loop.
class FirstPaint : public QObject {
  public:
    explicit FirstPaint(const QElapsedTimer& since_start) : since_start_(since_start) {}

    std::optional<double> elapsed_ms() const { return elapsed_ms_; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && !elapsed_ms_) {
            elapsed_ms_ = static_cast<double>(since_start_.nsecsElapsed()) / 1e6;
            QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    const QElapsedTimer& since_start_;
    std::optional<double> elapsed_ms_;
};

// VmRSS of this process in megabytes (MiB), from /proc/self/status.
std::optional<double> resident_mb() {
    std::ifstream status("/proc/self/status");
    std::string key;
    while (status >> key) {
        if (key == "VmRSS:") {
            double kilobytes = 0;
            status >> kilobytes;
            return kilobytes / 1024.0;
        }
        status.ignore(1 << 16, '\n');
    }
    return std::nullopt;
}

bool qt_charts_loaded() {
    std::ifstream maps("/proc/self/maps");
    for (std::string line; std::getline(maps, line);) {
        if (line.find("libQt6Charts") != std::string::npos) {
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char* argv[]) {
    QElapsedTimer since_start;
    since_start.start();
    if (const auto reason = qm720::gui::missing_display_reason()) {
        std::cerr << *reason << '\n';
        return 1;
    }
    QApplication application(argc, argv);
    qm720::gui::set_up_application(application);
    qm720::gui::ServiceTool tool;
    FirstPaint first_paint(since_start);
    tool.window().installEventFilter(&first_paint);
    tool.window().show();
    QTimer::singleShot(kGiveUpMs, &application, &QCoreApplication::quit);
    QApplication::exec();

    if (!first_paint.elapsed_ms()) {
        std::cout << "start-up to first paint: the window was never painted\n";
        return 1;
    }
    std::printf("start-up to first paint: %8.1f ms   (target: under %.0f ms)\n",
                *first_paint.elapsed_ms(), kTargetStartUpMs);
    if (const auto memory = resident_mb()) {
        std::printf("resident memory:         %8.1f MB   (target: under %.0f MB)\n", *memory,
                    kTargetResidentMb);
    }
    std::printf("Qt Charts loaded before the trend is opened: %s   (target: no)\n",
                qt_charts_loaded() ? "yes" : "no");

    const auto before_trend = resident_mb();
    QElapsedTimer opening;
    opening.start();
    QWidget* trend = tool.trend().open();
    if (trend == nullptr) {
        std::cout << "the trend window did not open\n";
        return 1;
    }
    (void)QTest::qWaitForWindowExposed(trend);
    const double opening_ms = static_cast<double>(opening.nsecsElapsed()) / 1e6;
    if (const auto after_trend = resident_mb(); after_trend && before_trend) {
        std::printf("first opening of the trend: %8.1f ms, %+.1f MB (Qt Charts loaded: %s)\n",
                    opening_ms, *after_trend - *before_trend, qt_charts_loaded() ? "yes" : "no");
    }
    return 0;
}
