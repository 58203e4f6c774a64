#include "window_harness.h"

#include <QDeadlineTimer>
#include <QTest>
#include <stdexcept>
#include <string>

#include "gui/port_tool_tips.h"
#include "gui/text.h"

namespace qm720::test {

WindowHarness::WindowHarness(SerialPort& port, FormEventTable events)
    : form(port, dialogs, clock, folder.string()),
      window(form, std::move(events), gui::port_device_tool_tips()) {
    dialogs.show_over(&window, [this] { window.sync(); });
    window.load();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window)) {
        throw std::runtime_error("the window was never exposed");
    }
}

QWidget& WindowHarness::widget(std::string_view name) const {
    QWidget* found = window.widget(name);
    if (found == nullptr) {
        throw std::runtime_error("no widget named " + std::string(name));
    }
    return *found;
}

void WindowHarness::click(std::string_view name) {
    QWidget& target = widget(name);
    const QPoint centre = target.mapTo(&window, target.rect().center());
    QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {}, centre);
}

void when_box_shows(std::function<void(QWidget& box)> answer, std::function<bool()> ready) {
    constexpr int kPollMs = 10;
    QTimer::singleShot(kPollMs, [answer = std::move(answer), ready = std::move(ready)]() mutable {
        QWidget* box = QApplication::activeModalWidget();
        if (box != nullptr && ready()) {
            answer(*box);
        } else {
            when_box_shows(std::move(answer), std::move(ready));
        }
    });
}

bool process_events_until(const std::function<bool()>& done) {
    constexpr int kPatienceMs = 10000;
    constexpr int kStepMs = 5;
    const QDeadlineTimer deadline(kPatienceMs);
    while (!done()) {
        if (deadline.hasExpired()) {
            return false;
        }
        QTest::qWait(kStepMs);
    }
    return true;
}

}  // namespace qm720::test
