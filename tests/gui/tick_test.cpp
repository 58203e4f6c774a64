#include <gtest/gtest.h>

#include <QDialog>
#include <QTimer>
#include <algorithm>

#include "support/fake_serial_port.h"
#include "window_harness.h"

namespace qm720 {
namespace {

// A modal box runs an event loop of its own, in which Qt lets the timer expire: no tick may run
// while a box is open, whether a tick or a button opened it, and the ticks go on once it closes.
TEST(Tick, NoTickRunsWhileABoxIsOpen) {
    int ticks = 0;
    int depth = 0;
    int deepest = 0;
    int ticks_while_open = -1;
    bool last_tick = false;
    FormEventTable events;
    events["TMRComm_Timer"] = [&](frmSerial& form) {
        deepest = std::max(deepest, ++depth);
        if (++ticks == 1) {
            // A new interval restarts the Qt timer, which Qt then lets expire inside this tick.
            form.control("TMRComm").interval_ms = 6;
            form.dialogs.message_box("Нет ответа", "", BoxIcon::None);
        }
        form.control("TMRComm").enabled = !last_tick;
        --depth;
    };
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
    // Each box is answered once the timer has expired four times while it was open.
    int expiries_at_open = 0;
    const auto answer_after_four_expiries = [&](bool accept) {
        expiries_at_open = expiries;
        test::when_box_shows(
            [accept](QWidget& box) {
                accept ? static_cast<QDialog&>(box).accept() : static_cast<QDialog&>(box).reject();
            },
            [&] { return expiries >= expiries_at_open + 4; });
    };

    answer_after_four_expiries(true);
    Control& tick = harness.form.control("TMRComm");
    tick.interval_ms = 5;
    tick.enabled = true;
    harness.form.control("hig").enabled = true;
    harness.form.control("Frame3").enabled = true;
    harness.window.sync();
    ASSERT_TRUE(test::process_events_until([&] { return ticks >= 2; }));
    EXPECT_EQ(deepest, 1);

    answer_after_four_expiries(false);
    harness.click("hig");
    ASSERT_TRUE(test::process_events_until([&] { return ticks_while_open >= 0; }));
    EXPECT_EQ(ticks_while_open, 0);

    // A tick that disables its timer stops the Qt timer.
    last_tick = true;
    EXPECT_TRUE(test::process_events_until([&] { return !timer->isActive(); }));
}

}  // namespace
}  // namespace qm720
