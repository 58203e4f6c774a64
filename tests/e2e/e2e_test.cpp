#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "commands/calibration.h"
#include "commands/operating_mode.h"
#include "commands/sensor_identity.h"
#include "exchange/exchange_cycle.h"
#include "exchange/network_scan.h"
#include "serial/posix_serial_port.h"
#include "simulated_bus.h"
#include "support/form_harness.h"
#include "support/log_records.h"

namespace qm720 {
namespace {

// The window on the real serial driver, talking to qm720-sim, steady and answering after 5 ms;
// the test drives the ticks. COM1 is opened and `address` typed in.
struct LiveForm {
    explicit LiveForm(const char* address, std::vector<std::string> faults = {})
        : bus((faults.insert(faults.begin(), {"--steady", "--answer-delay", "5"}), faults)) {
        form.start_up();
        form.open_port();
        form.control("CmbNet").caption = address;
        form.control("CmbNet").list_index = -1;
        address_typed(form);
    }
    void tick(int count = 1) {
        for (int k = 0; k < count; ++k) {
            exchange_tick(form);
        }
    }
    const std::string& caption(const char* name) const { return form.control(name).caption; }
    bool logged(const std::string& text) const {
        const auto lines = test::logged_texts_of(form.log.log_path());
        return std::find(lines.begin(), lines.end(), text) != lines.end();
    }

    test::SimulatedBus bus;
    test::ScriptedDialogs dialogs;
    PosixSerialPort port{[this](const std::string& text) { dialogs.ok_box(text); }};
    test::FixedClock clock{test::kStartTime};
    test::TempFolder folder;
    frmSerial form{port, dialogs, clock, folder.string()};
};

// The first sensor is identified and polled; a scan lists the bus.
TEST(EndToEnd, SensorIsIdentifiedAndPolledAndTheScanListsTheBus) {
    LiveForm live("1");
    ASSERT_TRUE(live.bus.started() && live.form.control("TMRComm").enabled);
    live.tick(4);
    for (const auto& [name, shown] :
         {std::pair{"sn", "123456"}, std::pair{"vv", "1.6.3."}, std::pair{"uroven", "512"},
          std::pair{"temp", "23 °C"}, std::pair{"tek", "145000"}, std::pair{"lo", "100000"},
          std::pair{"hi", "190000"}, std::pair{"ne", "1"}}) {
        EXPECT_EQ(live.caption(name), shown) << name;
    }
    EXPECT_TRUE(live.form.control("sdv_hi").enabled);  // version 163 enables the shifts
    EXPECT_TRUE(live.logged("Com Port \\\\.\\COM1 Open"));

    start_network_scan(live.form);
    live.tick(2);
    EXPECT_EQ(live.form.control("CmbNet").list, (std::vector<std::string>{"1", "5", "17"}));
    EXPECT_TRUE(live.dialogs.shown.empty());
}

// Written on the next tick, confirmed on the one after, seen in the poll after that. A mode
// confirmation without its mode byte must not redraw the controls from its CRC byte.
TEST(EndToEnd, CalibrationStoresTheCurrentValueAndAShortModeConfirmationChangesNothing) {
    LiveForm live("1", {"--sensor", "1:shortmode"});
    live.tick(3);
    ASSERT_EQ(live.caption("uroven"), "512");
    ASSERT_EQ(live.form.mode_text, "0");
    const std::string current = live.caption("tek");
    ASSERT_NE(live.caption("lo"), current);
    live.dialogs.yes_no_answers = {true, true};
    calibrate_empty(live.form);
    live.tick(2);
    EXPECT_EQ(live.caption("MsgCom"), " Установлен нижний уровень.");
    live.tick();
    EXPECT_EQ(live.caption("lo"), current);
    live.form.control("R485").checked = false;
    live.form.control("R_f").checked = true;
    write_mode(live.form);
    live.tick(2);
    EXPECT_EQ(live.caption("MsgCom"), " Установлен новый режим.");
    EXPECT_EQ(live.form.mode_text, "0");
}

// Sensor 2 with one fault of a real bus, watched for five ticks: what is shown must be its own
// intact data or nothing, and readings that stop being trustworthy must be said to be so.
TEST(EndToEnd, EachFaultShowsOnlyIntactDataOfTheSensorAsked) {
    const struct {
        const char* fault;
        const char* serial_number;
        const char* level;
        const char* status;
    } cases[] = {
        {"noisy", "100002", "512", ""},  // a noise byte before every reply
        {"badcrc", "100002", "Нет данных", "Нет достоверного ответа от датчика с адресом 2"},
        {"wrongaddr", "0", "Нет данных", "Нет достоверного ответа от датчика с адресом 2"},
        {"badid", "0", "512", ""},  // one corrupted byte of the identity
        {"unknown", "0", "Нет данных", "Нет достоверного ответа от датчика с адресом 2"},
        {"silent", "0", "Нет данных", "Нет ответа от датчика с адресом 2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.fault);
        LiveForm live("2", {"--sensor", std::string("2:") + c.fault});
        live.tick(5);
        EXPECT_EQ(live.caption("sn"), c.serial_number);
        EXPECT_EQ(live.caption("uroven"), c.level);
        EXPECT_EQ(live.caption("MsgCom").rfind(c.status, 0), 0u);
        EXPECT_EQ(live.logged(c.status), *c.status != 0);
        // A serial number that did not come intact from the sensor is never counted on from.
        write_next_serial_number(live.form);
        EXPECT_EQ(live.form.link.pending_request.empty(), std::string(c.serial_number) == "0");
    }
}

// A burst of babble takes a few readings and is reported, then every tick reads the answer to
// its own request again.
TEST(EndToEnd, ReadingsComeBackAfterABurst) {
    LiveForm live("1", {"--burst", "1200:4"});
    live.tick(3);
    ASSERT_EQ(live.caption("uroven"), "512");
    live.form.control("MsgCom").caption = "Пароль принят.";
    live.tick(6);  // 1200 bytes take 0.6 s: several reads of babble
    EXPECT_TRUE(live.logged("Нет достоверного ответа от датчика с адресом 1"));
    for (int ticks = 0; live.form.link.unusable_ticks != 0 && ticks < 10; ++ticks) {
        live.tick();
    }
    live.tick(2);
    EXPECT_EQ(live.form.link.unusable_ticks, 0);
    EXPECT_EQ(live.caption("MsgCom"), "Пароль принят.");
}

TEST(EndToEnd, ALineThatClosesEndsInWriteFailuresWithTheirReasonAndNoMoreTicks) {
    LiveForm live("1", {"--close-after", "2"});
    for (int k = 0; k < 12 && live.form.control("TMRComm").enabled; ++k) {
        live.tick();
    }
    EXPECT_FALSE(live.form.control("TMRComm").enabled);
    ASSERT_EQ(live.dialogs.shown.size(), 4u);
    const std::string reason =
        std::string(std::getenv("QM720_PORTS")) + "/COM1: Input/output error";
    EXPECT_EQ(live.dialogs.shown.back().text, "Ошибка записи в порт\n" + reason);
}

}  // namespace
}  // namespace qm720
