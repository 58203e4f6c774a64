#include <gtest/gtest.h>

#include <QDialog>
#include <QTimer>
#include <algorithm>

#include "support/fake_serial_port.h"
#include "window_harness.h"

namespace qm720 {
namespace {

TEST(Tick, BoxOpenedByATickHoldsOffEveryFurtherTickUntilItCloses) {
    int entries = 0;
    int depth = 0;
    int deepest = 0;
    FormEventTable events;
    events["TMRComm_Timer"] = [&](frmSerial& form) {
        ++entries;
        deepest = std::max(deepest, ++depth);
        if (entries == 1) {
            // A new interval restarts the Qt timer, which Qt then lets fire inside this tick.
            form.control("TMRComm").interval_ms = 6;
            form.dialogs.message_box("Нет ответа", "", BoxIcon::None);
        } else {
            form.control("TMRComm").enabled = false;
        }
        --depth;
    };
    test::FakeSerialPort port;
    test::WindowHarness harness(port, events);
    auto* timer = harness.window.findChild<QTimer*>("TMRComm");
    ASSERT_NE(timer, nullptr);
    int expiries = 0;
    QObject::connect(timer, &QTimer::timeout, [&] { ++expiries; });
    int expiries_while_open = 0;
    test::when_box_shows(
        [&](QWidget& box) {
            expiries_while_open = expiries;
            static_cast<QDialog&>(box).accept();
        },
        [&] { return expiries >= 4 || entries > 1; });

    Control& tick = harness.form.control("TMRComm");
    tick.interval_ms = 5;
    tick.enabled = true;
    harness.window.sync();

    ASSERT_TRUE(test::process_events_until([&] { return entries == 2; }));
    EXPECT_GE(expiries_while_open, 4);
    EXPECT_EQ(deepest, 1);
    EXPECT_FALSE(timer->isActive());
}

TEST(Tick, NoTickRunsWhileAButtonsBoxIsOpen) {
    int ticks = 0;
    int ticks_while_open = -1;
    FormEventTable events;
    events["TMRComm_Timer"] = [&](frmSerial&) { ++ticks; };
    events["hig_Click"] = [&](frmSerial& form) {
        const int before = ticks;
        form.dialogs.yes_no_box("Сейчас будет произведена перекалибровка верхнего уровня.");
        ticks_while_open = ticks - before;
    };
    test::FakeSerialPort port;
    test::WindowHarness harness(port, events);
    auto* timer = harness.window.findChild<QTimer*>("TMRComm");
    ASSERT_NE(timer, nullptr);
    int expiries = 0;
    QObject::connect(timer, &QTimer::timeout, [&] { ++expiries; });

    Control& tick = harness.form.control("TMRComm");
    tick.interval_ms = 5;
    tick.enabled = true;
    harness.form.control("hig").enabled = true;
    harness.form.control("Frame3").enabled = true;
    harness.window.sync();
    ASSERT_TRUE(test::process_events_until([&] { return ticks >= 1; }));

    const int expiries_before = expiries;
    test::when_box_shows([](QWidget& box) { static_cast<QDialog&>(box).reject(); },
                         [&] { return expiries >= expiries_before + 4; });
    harness.click("hig");
    ASSERT_TRUE(test::process_events_until([&] { return ticks_while_open >= 0; }));
    EXPECT_GE(expiries, expiries_before + 4);
    EXPECT_EQ(ticks_while_open, 0);
    EXPECT_TRUE(test::process_events_until([&] { return ticks >= 3; }));
}

}  // namespace
}  // namespace qm720
