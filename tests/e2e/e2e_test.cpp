#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <thread>

#include "app/combo_box.h"
#include "commands/calibration.h"
#include "commands/operating_mode.h"
#include "commands/sensor_identity.h"
#include "exchange/exchange_cycle.h"
#include "exchange/network_scan.h"
#include "protocol/requests.h"
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
    ASSERT_EQ(live.form.session.drawn_mode(), 0);
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
    EXPECT_EQ(live.form.session.drawn_mode(), 0);
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
        EXPECT_EQ(live.form.session.queued_request().empty(), std::string(c.serial_number) == "0");
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
    for (int ticks = 0; live.form.session.unusable_ticks() != 0 && ticks < 10; ++ticks) {
        live.tick();
    }
    live.tick(2);
    EXPECT_EQ(live.form.session.unusable_ticks(), 0);
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

// Noise that holds the reply prefix, a whole confirmation nobody asked for, or an unknown code:
// none of it reaches the status line, the log or a box. Sensor 7 does not exist, so its noise
// comes alone; sensor 1 answers behind it.
TEST(EndToEnd, NoiseThatHoldsTheReplyPrefixFakesNoReply) {
    const struct {
        const char* what;
        const char* address;
        const char* noise;
    } cases[] = {
        {"a password confirmation, damaged", "1", "A5 5A 3E 07 F8 00 13:4"},
        {"a password confirmation, intact", "1", "A5 3E 01 F8 58:4"},
        {"an unknown code", "1", "13 3E 7A 99 00 00:4"},
        {"a calibration confirmation alone", "7", "3E 07 F5 00:4"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        LiveForm live(c.address, {"--noise", c.noise});
        live.form.control("MsgCom").caption = "Проверка.";
        live.tick(6);
        EXPECT_TRUE(live.dialogs.shown.empty());
        EXPECT_FALSE(live.logged("Пароль принят."));
        EXPECT_FALSE(live.logged(" Установлен верхний уровень."));
        EXPECT_FALSE(live.logged("Непонятно что пришло!"));
        EXPECT_EQ(live.caption("uroven"), *c.address == '1' ? "512" : "Нет данных");
    }
}

// A sensor whose every reply is babble, watched for a hundred ticks: no box, no confirmation.
TEST(EndToEnd, ASensorThatOnlyBabblesShowsNothingItDidNotSay) {
    LiveForm live("2", {"--sensor", "2:garbage"});
    live.tick(100);
    EXPECT_TRUE(live.dialogs.shown.empty());
    EXPECT_FALSE(live.logged("Пароль изменен."));
    EXPECT_EQ(live.caption("uroven"), "Нет данных");
    EXPECT_TRUE(live.logged("Нет достоверного ответа от датчика с адресом 2"));
}

// Four kilobytes of babble of every byte value, with ticks a second apart as in the window: no
// box holds the cycle, and once the babble has passed the readings are live within 3 ticks.
TEST(EndToEnd, ReadingsAreLiveWithinThreeTicksAfterKilobytesOfBabble) {
    LiveForm live("1", {"--burst", "4000:4", "--seed", "2"});
    const auto start = std::chrono::steady_clock::now();
    const auto paced_tick = [&](int k) {
        std::this_thread::sleep_until(start + std::chrono::seconds(k));
        live.tick();
    };
    int k = 0;
    for (; k < 3; ++k) {
        paced_tick(k);
    }
    ASSERT_EQ(live.caption("uroven"), "512");
    for (; k < 7; ++k) {  // request 4 goes out at tick 3; its 4000 bytes take 2.1 s
        paced_tick(k);
    }
    live.form.control("uroven").caption = "ждём";
    for (int after = 0; after < 3 && live.caption("uroven") == "ждём"; ++after, ++k) {
        paced_tick(k);
    }
    EXPECT_EQ(live.caption("uroven"), "512");
    EXPECT_TRUE(live.dialogs.shown.empty());
}

// Picking 5 and then 1 within one tick, or closing and opening the port, is a clean slate: the
// sensor then selected is asked who it is, even at the address asked last.
TEST(EndToEnd, EveryCleanSlateAsksTheSensorWhoItIs) {
    LiveForm live("1");
    live.tick(3);
    ASSERT_EQ(live.caption("sn"), "123456");
    set_single_entry(live.form.control("CmbNet"), "5");
    address_picked(live.form);
    set_single_entry(live.form.control("CmbNet"), "1");
    address_picked(live.form);
    live.tick(3);
    EXPECT_EQ(live.caption("sn"), "123456");
    EXPECT_EQ(live.caption("vv"), "1.6.3.");
}

// A new sensor at the factory address 0 is asked who it is at once, and again after the port
// was closed and opened.
TEST(EndToEnd, TheFactoryAddressIsAskedWhoItIsAfterEveryOpen) {
    LiveForm live("0", {"--sensor", "0"});
    live.form.close_port();
    live.form.open_port();
    live.tick(3);
    EXPECT_EQ(live.caption("sn"), "100000");
    write_next_serial_number(live.form);
    EXPECT_FALSE(live.form.session.queued_request().empty());
}

// With a noise byte before every reply, the tick that writes the scan still reads the last
// poll's answer; the scan answer is the read after it.
TEST(EndToEnd, TheScanListsTheBusOnANoisyLine) {
    LiveForm live("1", {"--sensor", "1:noisy", "--sensor", "5:noisy"});
    live.tick(3);
    start_network_scan(live.form);
    live.tick(2);
    EXPECT_EQ(live.form.control("CmbNet").list, (std::vector<std::string>{"1", "5"}));
    EXPECT_TRUE(live.dialogs.shown.empty());
}

// Sensor 62 answers the scan first, so the answer begins with the reply prefix: it is still the
// list of the bus, not a reply.
TEST(EndToEnd, TheScanListsASensorAtTheReplyPrefixsAddress) {
    LiveForm live("1", {"--sensor", "62", "--sensor", "1", "--sensor", "5", "--sensor", "17"});
    live.tick(2);
    start_network_scan(live.form);
    live.tick(2);
    EXPECT_EQ(live.form.control("CmbNet").list, (std::vector<std::string>{"62", "1", "5", "17"}));
    EXPECT_TRUE(live.dialogs.shown.empty());
}

// After a mode write confirmed without its mode byte, the controls show what the sensor then
// reports, not the mode it had before.
TEST(EndToEnd, AfterAModeWriteTheControlsShowTheSensorsNewMode) {
    LiveForm live("1", {"--sensor", "1:shortmode"});
    live.tick(3);
    ASSERT_FALSE(live.form.control("iinv").checked);
    live.form.control("iinv").checked = true;
    live.dialogs.yes_no_answers = {true};
    write_mode(live.form);
    live.tick(4);
    EXPECT_TRUE(live.form.control("iinv").checked);
    EXPECT_EQ(live.form.session.drawn_mode(), 1);
}

// Another sensor put on the line at address 1 in place of the first: its own serial number and
// mode are shown, and the mode written next is built from its mode.
TEST(EndToEnd, ASensorSwappedInAtTheSameAddressIsShownAsItIs) {
    LiveForm live("1", {"--sensor", "1:serial=111111", "--swap", "4:1:serial=222222,mode=1"});
    live.tick(4);
    ASSERT_EQ(live.caption("sn"), "111111");
    live.tick(5);  // one request unanswered, a measurement, the identity asked and answered
    EXPECT_EQ(live.caption("sn"), "222222");
    EXPECT_TRUE(live.form.control("iinv").checked);
    live.dialogs.yes_no_answers = {true};
    write_mode(live.form);
    EXPECT_EQ(live.form.session.queued_request(), set_mode_request(1, 0x01));
}

// An identity damaged on the way is asked for again at the next tick.
TEST(EndToEnd, ARejectedIdentityIsAskedForAgain) {
    LiveForm live("1", {"--sensor", "1:serial=4242,badids=2"});
    live.tick(6);
    EXPECT_EQ(live.caption("sn"), "4242");
}

}  // namespace
}  // namespace qm720
