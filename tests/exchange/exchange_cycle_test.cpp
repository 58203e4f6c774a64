#include "exchange/exchange_cycle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "app/colours.h"
#include "app/combo_box.h"
#include "app/frame_view.h"
#include "exchange/network_scan.h"
#include "hex.h"
#include "protocol/crc8.h"
#include "protocol/requests.h"
#include "support/form_harness.h"
#include "support/log_records.h"
#include "support/reply_builder.h"

namespace qm720 {
namespace {

using test::hex;
using Names = std::vector<std::string>;

// An open port with sensor 1 selected, as after "Открыть порт" and picking the address.
class ExchangeCycle : public ::testing::Test {
  protected:
    void SetUp() override {
        h.form.start_up();
        h.form.open_port();
        select("1");
        h.form.link.identity_address = 1;
    }
    // As the operator picks an entry: the form follows the selection at once.
    void select(const char* address) {
        set_single_entry(h.form.control("CmbNet"), address);
        address_picked(h.form);
    }
    void type(const char* text) {
        h.form.control("CmbNet").caption = text;
        h.form.control("CmbNet").list_index = -1;
        address_typed(h.form);
    }
    void tick() { exchange_tick(h.form); }
    const std::string& status() { return h.form.control("MsgCom").caption; }
    const std::string& caption(const char* name) { return h.form.control(name).caption; }

    test::FormHarness h;
};

// Silent line: the view keeps the request, the status line names the sensor as it was typed, the
// text it had is saved once and comes back with the first answer.
TEST_F(ExchangeCycle, PollsTheSelectedSensorAndSilenceIsSaidUntilAnAnswer) {
    h.form.control("MsgCom").caption = "Пароль принят.";
    tick();
    ASSERT_EQ(h.port.writes.size(), 1u);
    EXPECT_EQ(h.port.writes[0], hex("31 01 F0 C5"));
    EXPECT_TRUE(h.form.link.pending_request.empty());
    EXPECT_EQ(caption("txtRec").substr(0, 12), "31 1 F0 C5 \r");
    type("05");
    tick();
    tick();
    EXPECT_EQ(h.port.writes.back(), poll_request(5));
    EXPECT_EQ(status(), "Нет ответа от датчика с адресом 05");
    EXPECT_EQ(h.form.link.status_before_lost_contact, "Пароль принят.");
    EXPECT_EQ(test::logged_texts(h).size(), 4u);  // the port line and one per silent tick
    h.port.reads.push_back(test::Measurement{.address = 5}.frame());
    tick();
    EXPECT_EQ(status(), "Пароль принят.");
    EXPECT_FALSE(h.form.link.lost_contact_shown);
}

// The scan answer queues an identity request; the write of the same tick must not take it. An
// awaited scan answer is bare addresses, any of which may look like noise or a reply's prefix.
TEST_F(ExchangeCycle, ScanAnswerFillsTheListAndAsksTheFirstSensorOnTheNextTick) {
    h.form.link.pending_request = hex("31 01 F5 FA");
    h.form.show_next_mode = false;
    start_network_scan(h.form);
    EXPECT_TRUE(h.form.show_next_mode);
    EXPECT_EQ(caption("txtRec"), "31 FF DC \r\n\r\n1яЬ");
    tick();
    ASSERT_EQ(h.port.writes.back(), hex("31 FF DC"));
    tick();  // silence and reply frames leave the scan pending
    h.port.reads.push_back(with_crc({0x3E, 0x01, 0xF5}));
    tick();
    EXPECT_TRUE(h.form.link.scan_awaited);
    h.port.reads.push_back(hex("05 3E 11"));
    tick();
    EXPECT_EQ(h.port.writes.back(), hex("31 01 F0 C5"));
    EXPECT_FALSE(h.form.link.scan_awaited);
    EXPECT_EQ(h.form.control("CmbNet").list, (Names{"5", "62", "17"}));
    EXPECT_EQ(h.form.control("CmbNet").list_index, 0);
    EXPECT_EQ(caption("CmbNet"), "5");
    EXPECT_EQ(caption("netdev"), "5 62 17 ");
    EXPECT_EQ(status(), "Произошел опрос сети.");
    EXPECT_EQ(h.form.link.pending_request, identity_request(5));
    EXPECT_EQ(h.port.discards, 4);
    const Names log = test::logged_texts(h);
    EXPECT_EQ(log[1] + log.back(), "Cmd Ask Net Устройства в сети 5 62 17 ");
    tick();
    EXPECT_EQ(h.port.writes.back(), identity_request(5));
}

// Every byte is one address, up to nineteen; a longer answer ends the scan and changes nothing.
TEST_F(ExchangeCycle, ScanAnswersUpToNineteenBytesAreTakenOnlyWhileAScanIsAwaited) {
    const struct {
        Bytes answer;
        bool awaited;
        std::size_t entries;
    } cases[] = {{hex("05 05"), true, 2},
                 {Bytes(19, 0x07), true, 19},
                 {Bytes(20, 0x07), true, 1},
                 {hex("01 05"), false, 1}};
    for (const auto& c : cases) {
        test::FormHarness fresh;
        fresh.form.start_up();
        fresh.form.link.scan_awaited = c.awaited;
        take_scan_answer(fresh.form, c.answer);
        EXPECT_EQ(fresh.form.control("CmbNet").list.size(), c.entries) << c.answer.size();
        EXPECT_EQ(fresh.form.link.pending_request.empty(), c.entries == 1) << c.answer.size();
    }
}

// An intact frame is shown ending in two equal bytes: its CRC and the one computed here; a
// frame of 30 bytes or more is dispatched but not shown.
TEST_F(ExchangeCycle, RepliesAreShownWithTheirLocalCrcUpToTwentyNineBytes) {
    const Bytes reply = test::Measurement{}.frame();
    h.port.reads.push_back(reply);
    tick();
    EXPECT_EQ(caption("uroven"), "512");
    Bytes shown = reply;
    shown.push_back(reply.back());
    EXPECT_EQ(caption("txtRec"), frame_view_text(shown));
    EXPECT_EQ(h.form.control("Pic").fill_colour, kRed);
    EXPECT_GE(h.port.flushes, 1);

    for (const std::size_t length : {29u, 30u}) {
        Bytes identity = test::identity_reply(4242, 131);
        identity.resize(length, 0x00);
        h.port.reads.push_back(identity);
        tick();
        EXPECT_EQ(caption("sn"), "4242");
        EXPECT_EQ(caption("txtRec").substr(0, 3), length == 29 ? "3E " : "31 ") << length;
    }
}

TEST_F(ExchangeCycle, ActivityLampTogglesAndTheHoldCounterFallsToZero) {
    h.form.control("Pic").fill_colour = kWhite;
    h.form.lamp.hold = 2;
    tick();
    EXPECT_EQ(h.form.control("Pic").fill_colour, kGrey);
    EXPECT_EQ(h.form.lamp.hold, 1);
    tick();
    tick();
    EXPECT_EQ(h.form.control("Pic").fill_colour, kGrey);
    EXPECT_EQ(h.form.lamp.hold, 0);
}

// A failed write drops the frame and what was read; a good write starts the count again; the
// fourth failure in a row closes the port.
TEST_F(ExchangeCycle, WriteFailuresAreCountedAndTheFourthInARowClosesThePort) {
    h.port.write_failure = "/dev/ttyUSB0: Input/output error";
    h.form.link.pending_request = hex("31 01 F5 FA");
    h.port.reads.push_back(test::Measurement{}.frame());
    h.port.write_counts = {1, 0, 0, 4, 0, 0, 0};
    for (int k = 0; k < 7; ++k) {
        tick();
        EXPECT_TRUE(h.form.link.pending_request.empty());
    }
    EXPECT_EQ(caption("uroven"), "Нет данных");
    EXPECT_EQ(h.port.writes[1], hex("31 01 F0 C5"));
    EXPECT_EQ(h.form.link.write_failures, 3);
    EXPECT_TRUE(h.form.control("TMRComm").enabled);
    h.port.write_counts = {2};
    tick();
    EXPECT_FALSE(h.form.control("TMRComm").enabled);
    EXPECT_EQ(h.port.closes, 1);
    EXPECT_TRUE(h.form.control("BTNOpenCom").enabled);
    ASSERT_EQ(h.dialogs.shown.size(), 7u);
    for (const auto& box : h.dialogs.shown) {
        EXPECT_EQ(box.text, "Ошибка записи в порт\n/dev/ttyUSB0: Input/output error");
    }
    EXPECT_EQ(test::logged_texts(h)[1], "Ошибка записи в порт: /dev/ttyUSB0: Input/output error");
}

// A typed address replaces a pending command with its identity request at once; a text that is
// no address queues nothing. The number conversions themselves are tested with the form's texts.
TEST_F(ExchangeCycle, AddressChangeAsksTheNewSensorWhoItIsThenPollsIt) {
    for (const auto& [text, request] : {std::pair{" 17 ", identity_request(17)},
                                        std::pair{"256", Bytes{}}, std::pair{"abc", Bytes{}}}) {
        h.form.link.pending_request = hex("31 01 F5 FA");
        type(text);
        EXPECT_EQ(h.form.link.pending_request, request) << text;
    }
    h.form.link.pending_request = hex("31 01 F5 FA");
    select("5");
    tick();
    EXPECT_EQ(h.port.writes.back(), identity_request(5));
    EXPECT_EQ(h.form.link.identity_address, 5);
    tick();
    EXPECT_EQ(h.port.writes.back(), poll_request(5));
}

TEST_F(ExchangeCycle, BroadcastPollWhileTickedAndNothingWithoutASelection) {
    h.form.control("z255").checked = true;
    tick();
    EXPECT_EQ(h.port.writes.back(), hex("31 FF F0 80"));
    EXPECT_EQ(status(), "Нет ответа от датчика с адресом 1");
    h.form.link.pending_request = calibrate_request(1, Level::Full);
    tick();
    EXPECT_EQ(h.port.writes.back(), hex("31 01 F5 FA"));

    h.form.control("CmbNet").caption = "abc";
    h.form.control("CmbNet").list_index = -1;
    tick();
    EXPECT_TRUE(h.port.writes.back().empty());
    EXPECT_EQ(status(), "Нет ответа от датчика с адресом ");
    EXPECT_EQ(h.form.link.write_failures, 0);
}

// A noise byte at the line's turn-around must not freeze the readings, and a burst must not put
// every later answer a tick behind its request. Three unusable ticks in a row say the readings
// are stale; confirmations neither count nor break the run.
TEST_F(ExchangeCycle, NoiseIsSkippedAndTheThirdUnusableTickInARowSaysTheDataIsStale) {
    Bytes noisy = test::Measurement{}.frame();
    noisy.insert(noisy.begin(), {0x00, 0xA5});
    h.port.reads.push_back(noisy);
    tick();
    EXPECT_EQ(caption("uroven"), "512");
    EXPECT_EQ(h.port.discards, 1);

    Bytes damaged = test::Measurement{}.frame();
    damaged.back() ^= 0x01;
    h.form.control("MsgCom").caption = "Пароль принят.";
    const std::vector<Bytes> answers = {
        hex("A5 5A"),                             // garbage
        test::Measurement{.address = 5}.frame(),  // another sensor
        with_crc({0x3E, 0x01, 0xF5}),             // a confirmation
        damaged,                                  // third unusable: said
        hex("00"),                                // and said again
    };
    Names statuses;
    for (const Bytes& answer : answers) {
        h.port.reads.push_back(answer);
        tick();
        statuses.push_back(status());
    }
    const std::string stale = "Нет достоверного ответа от датчика с адресом 1";
    EXPECT_EQ(statuses, (Names{"Пароль принят.", "Пароль принят.", " Установлен верхний уровень.",
                               stale, stale}));
    const auto log = test::logged_texts(h);
    EXPECT_EQ(std::count(log.begin(), log.end(), stale), 2);

    h.port.reads.push_back(test::Measurement{}.frame());
    tick();
    EXPECT_EQ(status(), " Установлен верхний уровень.");
    EXPECT_EQ(h.form.link.unusable_ticks, 0);
}

// Nothing of one sensor may stand beside, or be acted on as, another's.
TEST_F(ExchangeCycle, AnotherAddressStartsFromNoData) {
    test::Measurement sensor_1{.mode_byte = 0x80};
    for (int k = 0; k < 3; ++k) {
        h.port.reads.push_back(sensor_1.frame());
        tick();
    }
    h.port.reads.push_back(test::identity_reply(123456, 163));
    tick();
    ASSERT_EQ(caption("sn"), "123456");
    ASSERT_TRUE(h.form.control("D_4096").checked);
    h.form.lamp.hold = 30;  // as after a run of zero current values

    select("5");
    EXPECT_EQ(caption("sn"), "0");
    EXPECT_EQ(caption("uroven"), "Нет данных");
    EXPECT_EQ(h.form.control("ind_stab").fill_colour, kLightGrey);
    EXPECT_EQ(std::tie(h.form.lamp.average, h.form.lamp.score, h.form.lamp.hold),
              std::make_tuple(0.0, 0, 0));
    EXPECT_TRUE(h.form.show_next_mode);
    EXPECT_FALSE(h.form.mode_byte_known || h.form.identity_known);

    // Sensor 1's answer to the last poll arrives after the change: it is not sensor 5's.
    h.port.reads.push_back(sensor_1.frame());
    tick();
    EXPECT_EQ(caption("uroven"), "Нет данных");
    h.port.reads.push_back(test::Measurement{.address = 5, .mode_byte = 0x08}.frame());
    tick();
    EXPECT_EQ(caption("ne"), "5");
    EXPECT_FALSE(h.form.control("D_4096").checked);
    EXPECT_TRUE(h.form.control("usredn").checked);
}

}  // namespace
}  // namespace qm720
