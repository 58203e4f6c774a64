#include "session/sensor_session.h"

#include <gtest/gtest.h>

#include <vector>

#include "hex.h"
#include "protocol/crc8.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"
#include "support/fake_serial_port.h"
#include "support/reply_builder.h"

namespace qm720 {
namespace {

using test::hex;

// A session on a scripted port with sensor 1 selected, already asked who it is and answered.
class Session : public ::testing::Test {
  protected:
    void SetUp() override {
        tick(test::identity_reply(4242, 131));
        port.writes.clear();
    }
    // One tick that reads `answer` (none: a silent line) with `selected` chosen.
    TickOutcome tick(const Bytes& answer = {}, std::optional<std::uint8_t> selected = 1,
                     bool poll_every_address = false) {
        port.reads.push_back(answer);
        return session.tick(selected, poll_every_address);
    }
    // `reply` read in the tick after `asked` was written.
    TickOutcome answer(const Bytes& asked, const Bytes& reply) {
        session.queue(asked);
        tick(hex("00"));
        return tick(reply);
    }

    test::FakeSerialPort port;
    SensorSession session{port};
};

template <typename Event>
bool is(const TickOutcome& outcome) {
    return std::holds_alternative<Event>(outcome.event);
}

TEST_F(Session, PollsTheSelectedSensorAndAsksAnotherWhoItIsFirst) {
    tick();
    tick({}, 5);
    tick({}, 5);
    tick({}, 5, true);
    tick({}, std::nullopt);
    EXPECT_EQ(port.writes, (std::vector<Bytes>{poll_request(1), identity_request(5),
                                               poll_request(5), hex("31 FF F0 80"), Bytes{}}));
}

TEST_F(Session, AQueuedCommandTakesThePlaceOfOnePoll) {
    session.queue(calibrate_request(1, Level::Full));
    const TickOutcome outcome = tick();
    tick();
    EXPECT_EQ(outcome.request, calibrate_request(1, Level::Full));
    EXPECT_EQ(port.writes,
              (std::vector<Bytes>{calibrate_request(1, Level::Full), poll_request(1)}));
    EXPECT_TRUE(session.queued_request().empty());
}

// A failed write drops the frame and what was read; a good write starts the count again; the
// fourth failure in a row closes the port.
TEST_F(Session, WriteFailuresAreCountedAndTheFourthInARowClosesThePort) {
    port.write_failure = "Input/output error";
    port.write_counts = {0, 0, 4, 0, 0, 0, 0};
    std::vector<bool> closes;
    for (int k = 0; k < 7; ++k) {
        const TickOutcome outcome = tick(test::Measurement{}.frame());
        const auto* failure = std::get_if<WriteFailed>(&outcome.event);
        ASSERT_EQ(failure != nullptr, k != 2) << k;
        if (failure != nullptr) {
            EXPECT_EQ(failure->reason, "Input/output error");
            closes.push_back(failure->close_port);
        }
    }
    EXPECT_EQ(closes, (std::vector<bool>{false, false, false, false, false, true}));
}

TEST_F(Session, AFailedWriteDropsTheCommandItCarried) {
    session.queue(calibrate_request(1, Level::Full));
    port.write_counts = {1};
    tick();
    EXPECT_TRUE(session.queued_request().empty());
    tick();
    EXPECT_EQ(port.writes.back(), poll_request(1));
}

TEST_F(Session, OpeningThePortDropsTheQueueAndCountsFailuresAfresh) {
    port.write_counts = {0, 0, 0};
    tick();
    tick();
    tick();
    session.queue(calibrate_request(1, Level::Full));
    session.start_link();
    EXPECT_TRUE(session.queued_request().empty());
    port.write_counts = {0};
    const TickOutcome outcome = tick();
    ASSERT_TRUE(is<WriteFailed>(outcome));
    EXPECT_FALSE(std::get<WriteFailed>(outcome.event).close_port);
}

TEST_F(Session, AMeasurementIsFoundBehindNoiseAndDecodedWithItsLocalCrc) {
    const Bytes reply = test::Measurement{.level = 700, .current_value = 123456}.frame();
    const TickOutcome outcome = tick(test::joined({hex("A5 3E 5A"), reply}));
    ASSERT_TRUE(is<MeasurementTaken>(outcome));
    const MeasurementTaken& taken = std::get<MeasurementTaken>(outcome.event);
    EXPECT_EQ(taken.fields.level, 700);
    EXPECT_EQ(taken.fields.current_value, 123456u);
    EXPECT_EQ(outcome.reply, reply);
    EXPECT_EQ(outcome.local_crc, reply.back());
    EXPECT_FALSE(taken.new_sensor);
    EXPECT_TRUE(session.measurement_seen());
}

// After a broadcast poll any sensor's measurement is the one asked for; otherwise only the
// selected sensor's.
TEST_F(Session, AnotherSensorsMeasurementCountsOnlyAfterABroadcastPoll) {
    tick({}, 1, true);
    EXPECT_TRUE(is<MeasurementTaken>(tick(test::Measurement{.address = 7}.frame(), 1, true)));
    tick();
    EXPECT_TRUE(is<Unusable>(tick(test::Measurement{.address = 7}.frame())));
}

// The first mode byte after a clean slate is drawn and sets the bar's scale for the replies
// after it; later ones only keep the sensor's mode.
TEST_F(Session, TheFirstModeByteIsDrawnAndScalesTheNextReplies) {
    const auto first = tick(test::Measurement{.mode_byte = 0x89}.frame());
    const auto& drawn = std::get<MeasurementTaken>(first.event);
    EXPECT_EQ(drawn.mode_to_draw, 0x89);
    EXPECT_EQ(drawn.drawn_mode, 0x89);
    EXPECT_EQ(drawn.level_full_scale, 1024);
    const auto second = tick(test::Measurement{.mode_byte = 0x01}.frame());
    const auto& kept = std::get<MeasurementTaken>(second.event);
    EXPECT_EQ(kept.mode_to_draw, std::nullopt);
    EXPECT_EQ(kept.drawn_mode, 0x89);
    EXPECT_EQ(kept.level_full_scale, 4096);
    EXPECT_EQ(session.mode_byte(), 0x01);
    EXPECT_EQ(session.level_full_scale(), 4096);
}

// A reply one byte short carries no mode byte: the sensor has answered, but its mode is not
// known and nothing is drawn.
TEST_F(Session, AMeasurementWithoutAModeByteLeavesTheModeUnknown) {
    const auto outcome = tick(test::Measurement{.mode_byte = 0x08}.frame(false));
    EXPECT_EQ(std::get<MeasurementTaken>(outcome.event).mode_to_draw, std::nullopt);
    EXPECT_EQ(session.mode_byte(), std::nullopt);
    EXPECT_TRUE(session.measurement_seen());
    EXPECT_TRUE(session.redraws_mode_from_next_reply());
}

// A mode write makes the answer to the next poll redraw the mode controls; the measurement
// already on its way when the write went out carries the old mode.
TEST_F(Session, AfterAModeWriteTheAnswerToTheNextPollRedrawsTheMode) {
    tick(test::Measurement{.mode_byte = 0x00}.frame());
    session.queue(set_mode_request(1, 0x01));
    const auto in_flight = tick(test::Measurement{.mode_byte = 0x00}.frame());
    tick(with_crc({0x3E, 0x01, 0xF2}));  // confirmed without its mode byte
    const auto answer = tick(test::Measurement{.mode_byte = 0x01}.frame());
    EXPECT_EQ(std::get<MeasurementTaken>(in_flight.event).mode_to_draw, std::nullopt);
    EXPECT_EQ(std::get<MeasurementTaken>(answer.event).mode_to_draw, 0x01);
}

// A request that went unanswered may hide a swap: the next good reply comes from a new sensor,
// which is judged afresh and asked who it is.
TEST_F(Session, AfterSilenceTheNextMeasurementIsANewSensorsAndItIsAskedWhoItIs) {
    tick(test::Measurement{.mode_byte = 0x08}.frame());
    tick();
    port.writes.clear();
    const auto outcome = tick(test::Measurement{.mode_byte = 0x01}.frame());
    tick();
    const auto& taken = std::get<MeasurementTaken>(outcome.event);
    EXPECT_TRUE(taken.new_sensor);
    EXPECT_EQ(taken.mode_to_draw, 0x01);
    EXPECT_FALSE(session.identity_known());
    EXPECT_EQ(port.writes, (std::vector<Bytes>{poll_request(1), identity_request(1)}));
}

TEST_F(Session, AfterSilenceTheNextIdentityIsANewSensorsAndIsNotAskedAgain) {
    tick();
    port.writes.clear();
    const auto outcome = tick(test::identity_reply(5555, 163));
    tick();
    EXPECT_TRUE(std::get<IdentityTaken>(outcome.event).new_sensor);
    EXPECT_EQ(std::get<IdentityTaken>(outcome.event).fields->serial_number, 5555u);
    EXPECT_TRUE(session.identity_known());
    EXPECT_EQ(port.writes, (std::vector<Bytes>{poll_request(1), poll_request(1)}));
}

TEST_F(Session, AClearSlateForgetsTheSensorAndAsksItsSuccessorWhoItIs) {
    tick(test::Measurement{.mode_byte = 0x08}.frame());
    session.forget_sensor();
    tick();
    EXPECT_FALSE(session.measurement_seen());
    EXPECT_FALSE(session.identity_known());
    EXPECT_EQ(session.mode_byte(), std::nullopt);
    EXPECT_TRUE(session.redraws_mode_from_next_reply());
    EXPECT_EQ(port.writes.back(), identity_request(1));
}

// A rejected identity is asked for again on the next tick, three times in a row at most.
TEST_F(Session, ARejectedIdentityIsAskedForAgainUpToThreeTimes) {
    Bytes damaged = test::identity_reply(4242, 131);
    damaged[4] ^= 0x01;
    for (int k = 0; k < 6; ++k) {
        EXPECT_TRUE(is<Unusable>(tick(damaged))) << k;
    }
    tick(test::identity_reply(4242, 131));
    EXPECT_EQ(port.writes, (std::vector<Bytes>{poll_request(1), identity_request(1),
                                               identity_request(1), identity_request(1),
                                               poll_request(1), poll_request(1), poll_request(1)}));
}

// Three unusable ticks in a row make the readings stale, and each one after says so again;
// confirmations neither count nor break the run; a measurement ends it.
TEST_F(Session, TheThirdUnusableTickInARowMakesTheReadingsStale) {
    Bytes damaged = test::Measurement{}.frame();
    damaged.back() ^= 0x01;
    EXPECT_FALSE(tick(hex("A5 5A")).readings_stale);
    session.queue(calibrate_request(1, Level::Full));
    EXPECT_FALSE(tick(test::Measurement{.address = 5}.frame()).readings_stale);
    const TickOutcome confirmed = tick(with_crc({0x3E, 0x01, 0xF5}));
    EXPECT_FALSE(confirmed.readings_stale);
    EXPECT_TRUE(tick(damaged).readings_stale);
    EXPECT_TRUE(tick(hex("00")).readings_stale);
    EXPECT_FALSE(tick(test::Measurement{}.frame()).readings_stale);
    EXPECT_EQ(session.unusable_ticks(), 0);
}

// The controls are redrawn only from an intact mode byte.
TEST_F(Session, AModeConfirmationCarriesItsModeOnlyWhenIntact) {
    Bytes damaged = with_crc({0x3E, 0x01, 0xF2, 0x89});
    damaged.back() ^= 0x01;
    const auto from_damaged = answer(set_mode_request(1, 0x89), damaged);
    EXPECT_EQ(std::get<ModeConfirmed>(from_damaged.event).mode, std::nullopt);
    EXPECT_EQ(session.drawn_mode(), std::nullopt);
    const auto from_intact = answer(set_mode_request(1, 0x89), with_crc({0x3E, 0x01, 0xF2, 0x89}));
    EXPECT_EQ(std::get<ModeConfirmed>(from_intact.event).mode, 0x89);
    EXPECT_EQ(session.drawn_mode(), 0x89);
    EXPECT_EQ(session.level_full_scale(), 4096);
}

TEST_F(Session, AnIntactUnknownCodeFromTheSensorAskedIsUnrecognised) {
    EXPECT_TRUE(is<Unrecognised>(answer(poll_request(1), with_crc({0x3E, 0x01, 0xE7}))));
    EXPECT_TRUE(is<ParameterReply>(answer(poll_request(1), with_crc({0x3E, 0x01, 0x06}))));
}

// What the sensor was not asked cannot be its confirmation, and a damaged parameter reply or
// unknown code, or an unknown code from another sensor, is more likely noise than a sensor.
TEST_F(Session, RepliesNobodyAskedForAreUnusable) {
    const struct {
        const char* what;
        Bytes reply;
        Bytes asked;
    } cases[] = {
        {"calibration confirmed after a poll", {0x3E, 0x07, 0xF5, 0x00}, poll_request(1)},
        {"password accepted after a poll", with_crc({0x3E, 0x01, 0xF8}), poll_request(1)},
        {"password refused after a shift", with_crc({0x3E, 0x01, 0xFD}),
         shift_request(1, Level::Full, 5)},
        {"full level set after the empty one was asked", with_crc({0x3E, 0x01, 0xF5}),
         calibrate_request(1, Level::Empty)},
        {"damaged parameter reply", {0x3E, 0x01, 0x06, 0x00}, poll_request(1)},
        {"damaged unknown code", {0x3E, 0x01, 0xE7, 0x00}, poll_request(1)},
        {"unknown code from another sensor", with_crc({0x3E, 0x7A, 0x99}), poll_request(1)},
        {"a damaged confirmation of what was asked, after noise", hex("A5 3E 01 F8 00"),
         *four_byte_request(1, CommandCode::EnterPassword, 5)},
    };
    for (const auto& c : cases) {
        EXPECT_TRUE(is<Unusable>(answer(c.asked, c.reply))) << c.what;
    }
}

TEST_F(Session, AConfirmationReadBeforeAnythingWasWrittenIsUnusable) {
    SensorSession fresh{port};
    port.reads.push_back(with_crc({0x3E, 0x01, 0xF2, 0x01}));
    EXPECT_TRUE(is<Unusable>(fresh.tick(1, false)));
}

// The read after the tick that wrote the scan is bare addresses, any of which may look like
// noise or a reply's prefix: each byte one entry, and the first is asked who it is next.
TEST_F(Session, TheScanAnswerListsEveryByteAndAsksTheFirstWhoItIs) {
    session.start_network_scan();
    tick();
    const TickOutcome outcome = tick(hex("05 3E 11 3E"));
    tick();
    ASSERT_TRUE(is<ScanAnswer>(outcome));
    EXPECT_EQ(std::get<ScanAnswer>(outcome.event).addresses,
              (std::vector<std::uint8_t>{5, 62, 17, 62}));
    EXPECT_EQ(outcome.reply, hex("05 3E 11 3E"));
    EXPECT_EQ(port.writes,
              (std::vector<Bytes>{hex("31 FF DC"), poll_request(1), identity_request(5)}));
}

TEST_F(Session, AScanAnswerOfTwentyBytesIsNoList) {
    for (const std::size_t length : {19u, 20u}) {
        session.start_network_scan();
        tick();
        const TickOutcome outcome = tick(Bytes(length, 0x07));
        EXPECT_EQ(std::get<ScanAnswer>(outcome.event).addresses.size(), length == 19 ? 19u : 0u);
        EXPECT_EQ(session.queued_request().empty(), length == 20) << length;
        session.queue({});
    }
}

// A scan that nobody answers ends with its silent tick: later bytes are noise, not a bus list.
TEST_F(Session, AnUnansweredScanEndsAndLaterNoiseIsNoList) {
    session.start_network_scan();
    tick();
    tick();
    EXPECT_TRUE(is<Unusable>(tick(hex("00 07"))));
}

// The lamp's steadiness over `replies` replies of `value` in a row, as runs.
using Phases = std::vector<std::pair<Steadiness, int>>;
Phases phases(StabilityLamp& lamp, std::uint32_t value, int replies) {
    Phases runs;
    while (replies-- > 0) {
        const Steadiness steadiness = lamp.after_reply(value);
        if (runs.empty() || runs.back().first != steadiness) {
            runs.push_back({steadiness, 0});
        }
        ++runs.back().second;
    }
    return runs;
}

constexpr auto kUnsteady = Steadiness::Unsteady;
constexpr auto kSettling = Steadiness::Settling;
constexpr auto kSteady = Steadiness::Steady;

// 100100 moves the average 20 from 100000, inside the tolerance of 20.02.
TEST(StabilityLamp, FollowsTheRunOfValues) {
    StabilityLamp lamp;
    EXPECT_EQ(phases(lamp, 4294967295u, 100),
              (Phases{{kUnsteady, 38}, {kSettling, 5}, {kSteady, 57}}));
    lamp = {};
    phases(lamp, 100000, 60);
    EXPECT_EQ(lamp.after_reply(100100), kSettling);
    EXPECT_EQ(lamp.score, 4);
    EXPECT_EQ(phases(lamp, 100000, 5), (Phases{{kSettling, 1}, {kSteady, 4}}));
}

TEST(StabilityLamp, ADeviationExactlyAtTheToleranceCountsAgainst) {
    StabilityLamp lamp{.average = 4998.75, .score = 3};
    lamp.after_reply(5000);
    EXPECT_EQ(lamp.average, 4999.0);
    EXPECT_EQ(lamp.score, 2);
}

TEST(StabilityLamp, AValueOfZeroMovesOnlyTheHold) {
    StabilityLamp lamp{.average = 42.0, .score = 3};
    EXPECT_EQ(lamp.after_reply(0), kSettling);
    EXPECT_EQ(lamp.average, 42.0);
    EXPECT_EQ(lamp.score, 3);
    EXPECT_EQ(lamp.hold, 2);
    lamp.hold = 59;
    EXPECT_EQ(lamp.after_reply(0), kSteady);
    EXPECT_EQ(lamp.hold, 60);
    EXPECT_EQ(lamp.score, 5);
}

TEST(StabilityLamp, EveryTickCountsTheHoldDownToZero) {
    StabilityLamp lamp{.hold = 2};
    lamp.count_down_hold();
    lamp.count_down_hold();
    lamp.count_down_hold();
    EXPECT_EQ(lamp.hold, 0);
}

}  // namespace
}  // namespace qm720
