#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>
#include <stdexcept>
#include <string>

#include "gui/all_form_events.h"
#include "gui/form_window.h"
#include "gui/port_tool_tips.h"
#include "gui/qt_dialogs.h"
#include "gui/russian_translations.h"
#include "support/fixed_clock.h"
#include "support/temp_folder.h"

// Failure messages show Qt texts as text.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace qm720::test {

// Every test runs inside one QApplication, made before the first test and gone after the last.
// Qt wants a private runtime folder and says so on every start without one; the offscreen
// platform's warning that it cannot pass size hints to a window manager is dropped.
struct QtApplication : ::testing::Environment {
    void SetUp() override {
        ASSERT_TRUE(runtime_folder.isValid());  // made 0700, as Qt wants
        qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_folder.path()));
        static const QtMessageHandler qt_handler = qInstallMessageHandler(
            [](QtMsgType type, const QMessageLogContext& context, const QString& message) {
                if (!message.contains(QStringLiteral("propagateSizeHints"))) {
                    qt_handler(type, context, message);
                }
            });
        application = std::make_unique<QApplication>(argc, argv);
        gui::install_russian_translations(*application);
    }
    void TearDown() override {
        application.reset();
        runtime_folder.remove();
    }

    QTemporaryDir runtime_folder;
    int argc = 1;
    char name[10] = "gui_tests";
    char* argv[2] = {name, nullptr};
    std::unique_ptr<QApplication> application;
};
inline const auto* const kQtApplication = ::testing::AddGlobalTestEnvironment(new QtApplication);

// The window as the program puts it together, over the port the test gives, with real Qt boxes,
// the port list's device tool tips and its log in a temporary folder; loaded and shown.
struct WindowHarness {
    explicit WindowHarness(SerialPort& port, FormEventTable events = gui::all_form_events())
        : form(port, dialogs, clock, folder.string()),
          window(form, std::move(events), gui::port_device_tool_tips()) {
        dialogs.show_over(&window, [this] { window.sync(); });
        window.load();
        window.show();
        if (!QTest::qWaitForWindowExposed(&window)) {
            throw std::runtime_error("the window was never exposed");
        }
    }

    QWidget& widget(std::string_view name) const {
        QWidget* found = window.widget(name);
        return found != nullptr ? *found : throw std::runtime_error("no " + std::string(name));
    }

    // A left click at the centre of the named control, delivered to the window as a real click
    // would be, so it reaches whatever widget lies there.
    void click(std::string_view name) {
        const QWidget& target = widget(name);
        QTest::mouseClick(window.windowHandle(), Qt::LeftButton, {},
                          target.mapTo(&window, target.rect().center()));
    }

    TempFolder folder;
    FixedClock clock{{.year = 2026, .month = 12, .day = 5, .hour = 21, .minute = 43, .second = 15}};
    gui::QtDialogs dialogs;
    frmSerial form;
    gui::FormWindow window;
};

// Runs `answer` on the first modal box for which `ready` holds, polling from the event loop; the
// box is shown by code the test is about to run.
inline void when_box_shows(
    std::function<void(QWidget& box)> answer, std::function<bool()> ready = [] { return true; }) {
    QTimer::singleShot(10, [answer = std::move(answer), ready = std::move(ready)]() mutable {
        QWidget* box = QApplication::activeModalWidget();
        if (box != nullptr && ready()) {
            answer(*box);
        } else {
            when_box_shows(std::move(answer), std::move(ready));
        }
    });
}

// Processes events until `done` holds; false when it still does not after ten seconds.
inline bool process_events_until(const std::function<bool()>& done) {
    return QTest::qWaitFor(done, 10000);
}

}  // namespace qm720::test
