#include "sim/sensor_bus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <limits>

#include "hex.h"
#include "protocol/command_line.h"
#include "protocol/crc8.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"
#include "sim/request_assembler.h"
#include "sim/request_layout.h"
#include "sim/sensor_option.h"
#include "sim/sim_options.h"

namespace qm720::sim {
namespace {

using test::hex;

SimOptions parse(std::vector<std::string> arguments) {
    return parse_options(arguments);
}

TEST(RequestAssembler, CutsTheStreamByTheLengthOfEachCodeHoweverItIsRead) {
    const struct {
        const char* what;
        const char* stream;
        std::vector<Bytes> requests;
        bool unfinished = false;
    } cases[] = {
        {"back to back",
         "31 01 FC 66 31 FF DC 31 01 F2 83 0A 31 01 F6 00 0F 42 40 37",
         {hex("31 01 FC 66"), hex("31 FF DC"), hex("31 01 F2 83 0A"),
          hex("31 01 F6 00 0F 42 40 37")}},
        {"poll to 255 is no scan", "31 FF F0 80", {hex("31 FF F0 80")}},
        {"noise before a request", "00 7E 3E 31 01 FA BB", {hex("31 01 FA BB")}},
        {"unknown code skipped", "31 01 E0 31 01 F4 FC 18 5E", {hex("31 01 F4 FC 18 5E")}},
        {"payload equal to the prefix",
         "31 31 F8 31 31 31 31 AA",
         {hex("31 31 F8 31 31 31 31 AA")}},
        {"unfinished tail kept back", "31 01 F0 C5 31 01 F6 00", {hex("31 01 F0 C5")}, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RequestAssembler().feed(hex(c.stream)), c.requests) << c.what;
        RequestAssembler bytewise;  // every request split at every possible point
        std::vector<Bytes> pieced;
        for (const std::uint8_t byte : hex(c.stream)) {
            std::ranges::move(bytewise.feed({byte}), std::back_inserter(pieced));
        }
        EXPECT_EQ(pieced, c.requests) << c.what << ", a byte at a time";
        EXPECT_EQ(bytewise.has_unfinished(), c.unfinished) << c.what;
    }
}

TEST(SensorBus, EveryRequestGetsItsFrameWithEachFieldInPlace) {
    // Every byte of every field of sensor 1 differs, so a field out of place or order shows.
    const std::vector<SensorSettings> sensors =
        parse({"--sensor",
               "1:serial=0x0A0B0C0D,version=0x86,prefix=2,mode=0x89,empty=0xFEDCBA,"
               "full=0x12345678,level=0x1234,temp=-5,current=0xA1B2C3D4,k=0xBEEF",
               "--sensor", "5:unknown,temp=1,level=2,current=3,empty=4,full=5,k=6,mode=7,serial=8",
               "--sensor", "9:wrongaddr,shortmode"})
            .sensors;
    const char* const poll = "3E 01 F0 FB 34 12 D4 C3 B2 A1 BA DC FE 00 78 56 34 12 EF BE 89";
    const struct {
        Bytes request;
        const char* reply;  // without its CRC
    } cases[] = {
        {hex("31 01 F0 C5"), poll},
        {hex("31 FF F0 80"), poll},  // a poll to 255 reaches the first sensor, which answers as 1
        {hex("31 01 FC 66"), "3E 01 FC 0D 0C 0B 0A 86 02"},
        {hex("31 01 F5 FA"), "3E 01 F5"},
        {hex("31 01 FA BB"), "3E 01 FA"},
        {hex("31 01 F4 FC 18 5E"), "3E 01 F4"},
        {hex("31 01 F9 03 E8 BB"), "3E 01 F9"},
        {hex("31 01 F2 83 0A"), "3E 01 F2 83"},
        {hex("31 01 FB 07 55"), "3E 01 FB"},  // confirmed from the old address
        {hex("31 01 F6 00 0F 42 40 37"), "3E 01 F6"},
        // Sensor 5 answers every request with a code the tool does not know.
        {poll_request(5), "3E 05 E7 01 02 00 03 00 00 00 04 00 00 00 05 00 00 00 06 00 07"},
        {identity_request(5), "3E 05 E7 08 00 00 00 A3 00"},
        {set_mode_request(5, 1), "3E 05 E7 01"},
        // Sensor 9 answers as 10, and confirms a mode without it.
        {identity_request(9), "3E 0A FC A9 86 01 00 A3 00"},
        {set_mode_request(9, 1), "3E 0A F2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SensorBus(sensors, {.steady = true}).answer(c.request),
                  Control_summ(hex(c.reply)))
            << two_digit_hex(c.request);
    }
}

TEST(SensorBus, MalformedUnaddressedOrSilentGetsNoAnswer) {
    const auto sensors = parse({"--sensor", "1", "--sensor", "5:silent"}).sensors;
    for (const Bytes& request : {
             hex("31 01 F0 C6"),                // wrong CRC
             hex("31 FF DD"),                   // scan with a wrong CRC
             hex("31 01"),                      // too short
             Control_summ(hex("32 01 F0")),     // wrong prefix
             Control_summ(hex("31 01 F0 00")),  // poll with a payload
             Control_summ(hex("31 01 F4 03")),  // shift missing a byte
             Control_summ(hex("31 01 E0")),     // unknown code
             poll_request(5),                   // silent sensor
         }) {
        EXPECT_TRUE(SensorBus(sensors, {}).answer(request).empty()) << two_digit_hex(request);
    }
    EXPECT_EQ(SensorBus(sensors, {}).answer(network_scan_request()), hex("01"));
}

TEST(SensorBus, CalibrationsAndShiftsMoveOneLevelAndStopAtTheEnds) {
    constexpr std::uint32_t kTop = std::numeric_limits<std::uint32_t>::max();
    const struct {
        std::uint32_t empty, full;
        const char* request;  // without its CRC
        std::uint32_t expected_empty, expected_full;
    } cases[] = {
        {100000, 190000, "31 01 F5", 100000, 145000},         // full := current value
        {100000, 190000, "31 01 FA", 145000, 190000},         // empty := current value
        {100000, 190000, "31 01 F4 FC 18", 100000, 189000},   // full -1000
        {100000, 190000, "31 01 F9 FF FF", 99999, 190000},    // empty -1
        {100000, 500, "31 01 F4 FC 18", 100000, 0},           // full -1000, stops at 0
        {kTop - 10, 190000, "31 01 F9 03 E8", kTop, 190000},  // empty +1000, stops at the top
    };
    for (const auto& c : cases) {
        SensorBus bus({{.empty_level = c.empty, .full_level = c.full, .current_value = 145000}},
                      {.steady = true});
        ASSERT_FALSE(bus.answer(Control_summ(hex(c.request))).empty()) << c.request;
        const SensorSettings& now = bus.sensors().front().settings();
        EXPECT_EQ(std::pair(now.empty_level, now.full_level),
                  std::pair(c.expected_empty, c.expected_full))
            << c.request;
    }
}

// A wrong password withdraws the right one entered before it. With none stored, a new one can be
// set without entering one.
TEST(SensorBus, PasswordMustBeEnteredBeforeItCanBeChanged) {
    constexpr auto kEnter = CommandCode::EnterPassword;
    constexpr auto kChange = CommandCode::ChangePassword;
    constexpr std::uint8_t kNo = kPasswordRefusedCode;
    const struct {
        const char* sensor;
        std::vector<std::tuple<CommandCode, std::int64_t, std::uint8_t>> steps;
    } conversations[] = {
        {"1:password=4711",
         {{kEnter, 4712, kNo},
          {kChange, 99, kNo},
          {kEnter, 4711, 0xF8},
          {kEnter, 0, kNo},
          {kChange, 5, kNo},
          {kEnter, 4711, 0xF8},
          {kChange, 2'000'000'000, 0xF7},
          {kEnter, 4711, kNo},
          {kEnter, 2'000'000'000, 0xF8}}},
        {"1", {{kChange, 16'777'216, 0xF7}, {kEnter, 0, kNo}, {kEnter, 16'777'216, 0xF8}}},
    };
    for (const auto& [sensor, steps] : conversations) {
        SensorBus bus(parse({"--sensor", sensor}).sensors, {});
        for (const auto& [command, password, reply_code] : steps) {
            EXPECT_EQ(bus.answer(*four_byte_request(1, command, password)),
                      Control_summ({0x3E, 0x01, reply_code}))
                << sensor << ", then " << password;
        }
    }
}

TEST(SensorBus, GarbageIsNeverTakenForAReplyFrame) {
    SensorBus bus(parse({"--sensor", "1", "--sensor", "5:garbage"}).sensors, {});
    // Enough polls that a first byte of 0x3E would turn up by chance if it were allowed.
    for (int poll = 0; poll < 3000; ++poll) {
        const Bytes reply = bus.answer(poll_request(5));
        ASSERT_EQ(reply.size(), 22u);
        ASSERT_FALSE(is_reply_frame(reply)) << "poll " << poll;
    }
    EXPECT_EQ(bus.answer(network_scan_request()), hex("01 05"));
}

// The same sensor with and without the fault, asked alike: the fault adds noise bytes before the
// frame and changes the positions listed, leaving the CRC of the honest frame under them.
TEST(SensorBus, LineFaultsChangeOnlyTheirOwnBytes) {
    const struct {
        const char* sensor;
        Bytes request;
        std::size_t noise_bytes;
        std::vector<std::size_t> changed;
    } cases[] = {
        {"1:noisy", poll_request(1), 1, {}},
        {"1:noisy", network_scan_request(), 0, {}},
        {"1:badid", identity_request(1), 0, {kPayloadPosition}},  // the serial's lowest byte
        {"1:badid", poll_request(1), 0, {}},
    };
    for (const auto& c : cases) {
        // Steady, as the noise byte comes from the sequence that moves the readings.
        SensorBus honest(parse({"--sensor", "1"}).sensors, {.steady = true});
        SensorBus faulty(parse({"--sensor", c.sensor}).sensors, {.steady = true});
        // Enough replies that a noise byte of 0x3E would turn up by chance if it were allowed.
        for (int ask = 0; ask < 3000; ++ask) {
            const Bytes expected = honest.answer(c.request);
            const Bytes sent = faulty.answer(c.request);
            ASSERT_EQ(sent.size(), c.noise_bytes + expected.size()) << c.sensor;
            const Bytes noise(sent.begin(), sent.begin() + c.noise_bytes);
            const Bytes frame(sent.begin() + c.noise_bytes, sent.end());
            ASSERT_EQ(std::ranges::count(noise, kReplyPrefix), 0) << c.sensor;
            std::vector<std::size_t> changed;
            for (std::size_t k = 0; k < frame.size(); ++k) {
                if (frame[k] != expected[k]) {
                    changed.push_back(k);
                }
            }
            ASSERT_EQ(changed, c.changed) << c.sensor << ", " << two_digit_hex(c.request);
            ASSERT_EQ(reply_intact(frame), reply_intact(expected) && changed.empty()) << c.sensor;
        }
    }
}

TEST(SensorBus, ReadingsWanderALittleAndTheSameWayForOneSeed) {
    const auto currents = [](const char* seed) {
        SensorBus bus(default_bus(), parse({"--seed", seed}).bus);
        std::vector<std::int64_t> seen(50);
        for (std::int64_t& current : seen) {
            EXPECT_EQ(bus.answer(poll_request(1)).size(), 22u);
            current = bus.sensors().front().last_readings().current_value;
        }
        return seen;
    };
    // Around 145000, never 1/5000 away, or the tool's stability lamp could never turn green.
    const auto [low, high] = std::ranges::minmax(currents("7"));
    EXPECT_TRUE(low < high && 145000 - low < 29 && high - 145000 < 29) << low << " to " << high;
    EXPECT_EQ(currents("7"), currents("7"));
    EXPECT_NE(currents("7"), currents("8"));
}

// Sensor keys, --seed and --close-after are read above and in the program tests, through what
// they make the sensors do.
TEST(SimOptions, BusWideGarbageAndGapLandWhereTheyBelong) {
    const SimOptions options =
        parse({"--sensor", "3:garbage=0", "--sensor", "9", "--garbage", "--gap", "40"});
    ASSERT_EQ(options.sensors.size(), 2u);
    EXPECT_TRUE(options.sensors[0].faults.garbage && options.sensors[1].faults.garbage);
    EXPECT_EQ(options.line.gap_ms, 40u);
}

TEST(SimOptions, UnusableArgumentsAreRefused) {
    const std::vector<std::vector<std::string>> cases = {
        {"--frobnicate"},           {"--link"},
        {"--sensor", "256"},        {"--sensor", "3:colour=red"},
        {"--sensor", "3:serial"},   {"--sensor", "3:serial=4294967296"},
        {"--sensor", "3:temp=128"}, {"--sensor", "3:level=12abc"},
        {"--sensor", "3:silent=2"}, {"--sensor", "3", "--sensor", "3:serial=5"},
        {"--close-after", "0"},     {"--gap", "-5"},
        {"--burst", "0:1"},         {"--burst", "100001:1"},
        {"--burst", "5:0"},         {"--burst", "5"},
        {"--burst", "5:"},          {"--burst"},
    };
    for (const auto& arguments : cases) {
        EXPECT_THROW(parse_options(arguments), OptionError) << arguments.back();
    }
}

}  // namespace
}  // namespace qm720::sim
