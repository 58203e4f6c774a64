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
    void tick() { exchange_tick(h.form); }
    const std::string& status() { return h.form.control("MsgCom").caption; }

    test::FormHarness h;
};

TEST_F(ExchangeCycle, PollsTheSelectedSensorAndShowsTheRequest) {
    tick();
    ASSERT_EQ(h.port.writes.size(), 1u);
    EXPECT_EQ(h.port.writes[0], hex("31 01 F0 C5"));
    EXPECT_TRUE(h.form.link.pending_request.empty());
    // Silent line: the view keeps the request, the status line names the sensor.
    EXPECT_EQ(h.form.control("txtRec").caption.substr(0, 12), "31 1 F0 C5 \r");
    EXPECT_EQ(status(), "Нет ответа от датчика с адресом 1");
}

TEST_F(ExchangeCycle, AnswerIsProcessedAfterTheWriteOfThisTick) {
    // The scan answer queues an identity request; the write of the same tick must not take it.
    start_network_scan(h.form);
    tick();
    ASSERT_EQ(h.port.writes.back(), hex("31 FF DC"));
    h.port.reads.push_back(hex("01 05 11"));
    tick();
    EXPECT_EQ(h.port.writes.back(), hex("31 01 F0 C5"));
    EXPECT_EQ(h.form.link.pending_request, hex("31 01 FC 66"));
    EXPECT_FALSE(h.form.link.scan_awaited);
    tick();
    EXPECT_EQ(h.port.writes.back(), hex("31 01 FC 66"));
}

TEST_F(ExchangeCycle, MeasurementReplyIsShownWithItsLocalCrcAndDecoded) {
    const Bytes reply = test::Measurement{}.frame();
    h.port.reads.push_back(reply);
    tick();
    EXPECT_EQ(h.form.control("uroven").caption, "512");
    // An intact frame is shown ending in two equal bytes: its CRC and the one computed here.
    Bytes shown = reply;
    shown.push_back(reply.back());
    EXPECT_EQ(h.form.control("txtRec").caption, frame_view_text(shown));
    EXPECT_EQ(h.form.control("Pic").fill_colour, kRed);
    EXPECT_GE(h.port.flushes, 1);
}

TEST_F(ExchangeCycle, LongRepliesAreDispatchedButNotShown) {
    Bytes reply = test::identity_reply(4242, 131);
    reply.resize(30, 0x00);
    h.port.reads.push_back(reply);
    tick();
    EXPECT_EQ(h.form.control("sn").caption, "4242");
    EXPECT_EQ(h.form.control("txtRec").caption.substr(0, 11), "31 1 F0 C5 ");
}

TEST_F(ExchangeCycle, SilenceSavesTheStatusLineOnceAndTheFirstAnswerRestoresIt) {
    h.form.control("MsgCom").caption = "Пароль принят.";
    tick();
    tick();
    EXPECT_EQ(status(), "Нет ответа от датчика с адресом 1");
    EXPECT_EQ(h.form.link.status_before_lost_contact, "Пароль принят.");
    EXPECT_EQ(test::logged_texts(h).size(), 3u);  // the port line and one per silent tick
    h.port.reads.push_back(test::Measurement{}.frame());
    tick();
    EXPECT_EQ(status(), "Пароль принят.");
    EXPECT_FALSE(h.form.link.lost_contact_shown);
}

TEST_F(ExchangeCycle, ActivityLampTogglesWhiteAndGrey) {
    h.form.control("Pic").fill_colour = kWhite;
    tick();
    EXPECT_EQ(h.form.control("Pic").fill_colour, kGrey);
    tick();
    EXPECT_EQ(h.form.control("Pic").fill_colour, kWhite);
}

TEST_F(ExchangeCycle, ThreeWriteFailuresAreCountedAndTheFourthClosesThePort) {
    h.port.write_failure = "/dev/ttyUSB0: Input/output error";
    for (int failure = 1; failure <= 3; ++failure) {
        h.port.write_counts.push_back(0);
        tick();
        EXPECT_EQ(h.form.link.write_failures, failure);
        EXPECT_TRUE(h.form.control("TMRComm").enabled);
    }
    h.port.write_counts.push_back(2);
    tick();
    EXPECT_FALSE(h.form.control("TMRComm").enabled);
    EXPECT_EQ(h.port.closes, 1);
    EXPECT_TRUE(h.form.control("BTNOpenCom").enabled);
    ASSERT_EQ(h.dialogs.shown.size(), 4u);
    for (const auto& box : h.dialogs.shown) {
        EXPECT_EQ(box.text, "Ошибка записи в порт\n/dev/ttyUSB0: Input/output error");
    }
    EXPECT_EQ(test::logged_texts(h)[1], "Ошибка записи в порт: /dev/ttyUSB0: Input/output error");
    EXPECT_TRUE(h.form.link.pending_request.empty());
}

TEST_F(ExchangeCycle, SuccessfulWriteStartsTheFailureCountAgain) {
    h.port.write_counts = {0, 0, 0, 4, 0, 0, 0};
    for (int k = 0; k < 7; ++k) {
        tick();
    }
    EXPECT_EQ(h.form.link.write_failures, 3);
    EXPECT_TRUE(h.form.control("TMRComm").enabled);
    EXPECT_EQ(h.port.closes, 0);
}

TEST_F(ExchangeCycle, FailedWriteDropsTheFrameAndWhatWasRead) {
    h.form.link.pending_request = hex("31 01 F5 FA");
    h.port.reads.push_back(test::Measurement{}.frame());
    h.port.write_counts.push_back(1);
    tick();
    EXPECT_TRUE(h.form.link.pending_request.empty());
    EXPECT_EQ(h.form.control("uroven").caption, "Нет данных");
    tick();
    EXPECT_EQ(h.port.writes.back(), hex("31 01 F0 C5"));
}

TEST_F(ExchangeCycle, AddressChangeReplacesAPendingCommandWithTheIdentityRequest) {
    h.form.link.pending_request = hex("31 01 F5 FA");
    select("5");
    tick();
    EXPECT_EQ(h.port.writes.back(), identity_request(5));
    EXPECT_EQ(h.form.link.identity_address, 5);
    tick();
    EXPECT_EQ(h.port.writes.back(), poll_request(5));
}

TEST_F(ExchangeCycle, BroadcastPollWhileTickedButSilenceNamesTheSelectedEntry) {
    h.form.control("z255").checked = true;
    tick();
    EXPECT_EQ(h.port.writes.back(), hex("31 FF F0 80"));
    EXPECT_EQ(status(), "Нет ответа от датчика с адресом 1");
    h.form.link.pending_request = calibrate_request(1, Level::Full);
    tick();
    EXPECT_EQ(h.port.writes.back(), hex("31 01 F5 FA"));
}

TEST_F(ExchangeCycle, NoSelectionWritesNothingAndNamesNoAddress) {
    h.form.control("CmbNet").caption = "abc";
    h.form.control("CmbNet").list_index = -1;
    tick();
    ASSERT_EQ(h.port.writes.size(), 1u);
    EXPECT_TRUE(h.port.writes[0].empty());
    EXPECT_EQ(status(), "Нет ответа от датчика с адресом ");
    EXPECT_EQ(h.form.link.write_failures, 0);
}

TEST_F(ExchangeCycle, ScanStaysPendingThroughSilenceAndReplyFrames) {
    start_network_scan(h.form);
    tick();
    tick();
    EXPECT_TRUE(h.form.link.scan_awaited);
    h.port.reads.push_back(with_crc({0x3E, 0x01, 0xF5}));
    tick();
    EXPECT_TRUE(h.form.link.scan_awaited);
    h.port.reads.push_back(hex("3E 01 F5"));  // three bytes: a scan answer naming sensor 62
    tick();
    EXPECT_FALSE(h.form.link.scan_awaited);
    EXPECT_EQ(h.form.control("CmbNet").list, (std::vector<std::string>{"62", "1", "245"}));
}

TEST_F(ExchangeCycle, TooLongScanAnswerEndsTheScanWithoutChangingTheList) {
    start_network_scan(h.form);
    tick();
    h.port.reads.push_back(Bytes(20, 0x07));
    tick();
    EXPECT_FALSE(h.form.link.scan_awaited);
    EXPECT_EQ(h.form.control("CmbNet").list, std::vector<std::string>{"1"});
}

TEST_F(ExchangeCycle, HoldCounterFallsByOneATickButNotBelowZero) {
    h.form.lamp.hold = 2;
    tick();
    EXPECT_EQ(h.form.lamp.hold, 1);
    tick();
    tick();
    EXPECT_EQ(h.form.lamp.hold, 0);
}

// A noise byte at the line's turn-around must not freeze the readings, and a burst must not put
// every later answer a tick behind its request.
TEST_F(ExchangeCycle, NoiseBeforeAReplyIsSkippedAndWhatFollowsTheReadIsDiscarded) {
    Bytes noisy = test::Measurement{}.frame();
    noisy.insert(noisy.begin(), {0x00, 0xA5});
    h.port.reads.push_back(noisy);
    tick();
    EXPECT_EQ(h.form.control("uroven").caption, "512");
    EXPECT_EQ(h.port.discards, 1);

    // An awaited scan answer is bare addresses, any of which may look like noise.
    start_network_scan(h.form);
    tick();
    h.port.reads.push_back(hex("05 3E 11 07"));
    tick();
    EXPECT_EQ(h.form.control("CmbNet").list, (std::vector<std::string>{"5", "62", "17", "7"}));
    EXPECT_EQ(h.port.discards, 3);
}

TEST_F(ExchangeCycle, ThirdUnusableTickInARowSaysTheDataIsStale) {
    Bytes damaged = test::Measurement{}.frame();
    damaged.back() ^= 0x01;
    h.form.control("MsgCom").caption = "Пароль принят.";
    const std::vector<Bytes> answers = {
        hex("A5 5A"),                             // garbage
        test::Measurement{.address = 5}.frame(),  // another sensor
        with_crc({0x3E, 0x01, 0xF5}),             // a confirmation neither counts nor breaks
        damaged,                                  // third unusable: said
        hex("00"),                                // and said again
    };
    std::vector<std::string> statuses;
    for (const Bytes& answer : answers) {
        h.port.reads.push_back(answer);
        tick();
        statuses.push_back(status());
    }
    const std::string stale = "Нет достоверного ответа от датчика с адресом 1";
    EXPECT_EQ(statuses, (std::vector<std::string>{"Пароль принят.", "Пароль принят.",
                                                  " Установлен верхний уровень.", stale, stale}));
    const auto log = test::logged_texts(h);
    EXPECT_EQ(std::count(log.begin(), log.end(), stale), 2);
    EXPECT_EQ(h.form.control("uroven").caption, "Нет данных");

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
    ASSERT_EQ(h.form.control("sn").caption, "123456");
    ASSERT_TRUE(h.form.control("D_4096").checked);
    h.form.lamp.hold = 30;  // as after a run of zero current values

    select("5");
    EXPECT_EQ(h.form.control("sn").caption, "0");
    EXPECT_EQ(h.form.control("uroven").caption, "Нет данных");
    EXPECT_EQ(h.form.control("ind_stab").fill_colour, kLightGrey);
    EXPECT_EQ(std::tie(h.form.lamp.average, h.form.lamp.score, h.form.lamp.hold),
              std::make_tuple(0.0, 0, 0));
    EXPECT_TRUE(h.form.show_next_mode);
    EXPECT_FALSE(h.form.mode_byte_known || h.form.identity_known);

    // Sensor 1's answer to the last poll arrives after the change: it is not sensor 5's.
    h.port.reads.push_back(sensor_1.frame());
    tick();
    EXPECT_EQ(h.form.control("uroven").caption, "Нет данных");
    h.port.reads.push_back(test::Measurement{.address = 5, .mode_byte = 0x08}.frame());
    tick();
    EXPECT_EQ(h.form.control("ne").caption, "5");
    EXPECT_FALSE(h.form.control("D_4096").checked);
    EXPECT_TRUE(h.form.control("usredn").checked);
}

}  // namespace
}  // namespace qm720
