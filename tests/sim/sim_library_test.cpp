#include "sim/sensor_bus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

#include "hex.h"
#include "protocol/command_line.h"
#include "protocol/crc8.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"
#include "sim/reply_faults.h"
#include "sim/request_assembler.h"
#include "sim/sensor_option.h"
#include "sim/sim_options.h"

namespace qm720::sim {
namespace {

using test::hex;

TEST(RequestAssembler, CutsTheStreamByTheLengthOfEachCodeHoweverItIsRead) {
    using Case = std::tuple<const char*, std::vector<Bytes>, bool>;
    for (const auto& [stream, requests, unfinished] :
         {Case{"31 01 FC 66 31 FF DC 31 01 F2 83 0A 31 01 F6 00 0F 42 40 37",
               {hex("31 01 FC 66"), hex("31 FF DC"), hex("31 01 F2 83 0A"),
                hex("31 01 F6 00 0F 42 40 37")},
               false},
          Case{"00 7E 3E 31 01 FA BB", {hex("31 01 FA BB")}, false},
          Case{"31 01 E0 31 01 F4 FC 18 5E", {hex("31 01 F4 FC 18 5E")}, false},
          Case{"31 01 F0 C5 31 01 F6 00", {hex("31 01 F0 C5")}, true}}) {
        EXPECT_EQ(RequestAssembler().feed(hex(stream)), requests) << stream;
        RequestAssembler bytewise;  // every request split at every possible point
        std::vector<Bytes> pieced;
        for (const std::uint8_t byte : hex(stream)) {
            std::ranges::move(bytewise.feed({byte}), std::back_inserter(pieced));
        }
        EXPECT_EQ(pieced, requests) << stream << ", a byte at a time";
        EXPECT_EQ(bytewise.has_unfinished(), unfinished) << stream;
    }
}

TEST(SensorBus, MalformedUnaddressedOrSilentGetsNoAnswer) {
    const auto sensors =
        parse_options(std::vector<std::string>{"--sensor", "1", "--sensor", "5:silent"}).sensors;
    // Bad CRC, short, wrong prefix, a byte too many or too few, unknown code, silent sensor.
    for (const Bytes& request :
         {hex("31 01 F0 C6"), hex("31 01"), with_crc(hex("32 01 F0")), with_crc(hex("31 01 F0 00")),
          with_crc(hex("31 01 F4 03")), with_crc(hex("31 01 E0")), poll_request(5)}) {
        EXPECT_TRUE(SensorBus(sensors, {}).answer(request).empty()) << two_digit_hex(request);
    }
    EXPECT_EQ(SensorBus(sensors, {}).answer(network_scan_request()), hex("01"));
}

// Each fault against the same sensor without it: noise bytes before, frame length, bytes (no CRC).
TEST(SensorBus, NoiseAndUnknownCodesChangeOnlyTheirOwnBytesOnTheWire) {
    using Case = std::tuple<std::vector<std::string>, Bytes, std::size_t, std::size_t>;
    for (const auto& [options, request, noise, length] :
         {Case{{"--sensor", "1:noisy"}, poll_request(1), 1, 22},
          Case{{"--sensor", "1:noisy"}, network_scan_request(), 0, 1},  // "01": no noise
          Case{{"--sensor", "1", "--unknown-code"}, poll_request(1), 0, 22},
          Case{{"--sensor", "1:garbage"}, poll_request(1), 22, 0},  // all noise
          Case{{"--sensor", "1", "--garbage"}, poll_request(1), 22, 0}}) {
        SCOPED_TRACE(options.back() + ", " + two_digit_hex(request));
        SensorBus honest(parse_options(std::vector<std::string>{"--sensor", "1"}).sensors,
                         {.steady = true});
        SensorBus faulty(parse_options(options).sensors, {.steady = true});
        int prefix_first = 0;
        for (int ask = 0; ask < 3000; ++ask) {  // enough for a 0x3E noise to turn up by chance
            Bytes expected = honest.answer(request);
            const Bytes sent = faulty.answer(request);
            ASSERT_EQ(sent.size(), noise + length);
            prefix_first += noise != 0 && sent[0] == kReplyPrefix;
            if (options.back() == "--unknown-code") {
                expected[kCodeOffset] = kUnknownReplyCode;
            }
            const std::size_t kept = length == 22 ? 21 : length;  // the CRC aside
            ASSERT_EQ(Bytes(sent.begin() + noise, sent.begin() + noise + kept),
                      Bytes(expected.begin(), expected.begin() + kept));
            ASSERT_EQ(reply_intact(Bytes(sent.begin() + noise, sent.end())), length == 22);
        }
        // A real line's noise holds the reply prefix too.
        EXPECT_EQ(prefix_first > 0, noise != 0) << prefix_first;
    }
}

TEST(SimOptions, UnusableArgumentsAreRefused) {
    const std::vector<std::vector<std::string>> cases = {
        {"--frobnicate"},
        {"--link"},
        {"--sensor", "256"},
        {"--sensor", "3:colour=red"},
        {"--sensor", "3:serial"},
        {"--sensor", "3:serial=4294967296"},
        {"--sensor", "3:temp=128"},
        {"--sensor", "3", "--sensor", "3:serial=5"},
        {"--close-after", "0"},
        {"--burst", "5"},
        {"--burst", "100001:1"},
        {"--burst", "5:0"},
        {"--noise", "3E0:1"},
        {"--noise", "3E 0G:1"},
        {"--noise", "3E07"},
        {"--noise", ":1"},
        {"--swap", "5"},
        {"--swap", "0:1"},
        {"--swap", "3:300"}};
    for (const auto& arguments : cases) {
        EXPECT_THROW(parse_options(arguments), OptionError) << arguments.back();
    }
}

}  // namespace
}  // namespace qm720::sim
