#include "sim/sensor_bus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "hex.h"
#include "protocol/command_line.h"
#include "protocol/crc8.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"
#include "sim/reply_faults.h"
#include "sim/request_assembler.h"
#include "sim/scan_request.h"
#include "sim/sensor_option.h"
#include "sim/sim_options.h"

namespace qm720::sim {
namespace {

using test::hex;

SimOptions parse(const std::vector<std::string>& arguments) {
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
        {"noise before a request", "00 7E 3E 31 01 FA BB", {hex("31 01 FA BB")}},
        {"unknown code skipped", "31 01 E0 31 01 F4 FC 18 5E", {hex("31 01 F4 FC 18 5E")}},
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

TEST(SensorBus, MalformedUnaddressedOrSilentGetsNoAnswer) {
    const auto sensors = parse({"--sensor", "1", "--sensor", "5:silent"}).sensors;
    for (const Bytes& request : {
             hex("31 01 F0 C6"),            // wrong CRC
             hex("31 01"),                  // too short
             with_crc(hex("32 01 F0")),     // wrong prefix
             with_crc(hex("31 01 F0 00")),  // poll with a payload
             with_crc(hex("31 01 F4 03")),  // shift missing a byte
             with_crc(hex("31 01 E0")),     // unknown code
             poll_request(5),               // silent sensor
         }) {
        EXPECT_TRUE(SensorBus(sensors, {}).answer(request).empty()) << two_digit_hex(request);
    }
    EXPECT_EQ(SensorBus(sensors, {}).answer(network_scan_request()), hex("01"));
}

// Each fault against the same sensor without it, asked alike: the noise bytes sent before the
// frame, the frame's length and its bytes (CRC aside). The faults that change a frame are told
// apart in the end-to-end tests.
TEST(SensorBus, NoiseAndUnknownCodesChangeOnlyTheirOwnBytesOnTheWire) {
    const struct {
        std::vector<std::string> options;
        Bytes request;
        std::size_t noise, length;
    } cases[] = {
        {{"--sensor", "1:noisy"}, poll_request(1), 1, 22},
        {{"--sensor", "1:noisy"}, network_scan_request(), 0, 1},  // "01": no frame, no noise
        {{"--sensor", "1", "--unknown-code"}, poll_request(1), 0, 22},
        {{"--sensor", "1:garbage"}, poll_request(1), 22, 0},  // all noise
        {{"--sensor", "1:garbage"}, network_scan_request(), 0, 1},
        {{"--sensor", "1", "--garbage"}, poll_request(1), 22, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.options.back() + ", " + two_digit_hex(c.request));
        // Steady, as the noise byte comes from the sequence that moves the readings.
        SensorBus honest(parse({"--sensor", "1"}).sensors, {.steady = true});
        SensorBus faulty(parse_options(c.options).sensors, {.steady = true});
        // Enough replies that noise starting with 0x3E would turn up by chance if it were allowed.
        for (int ask = 0; ask < 3000; ++ask) {
            Bytes expected = honest.answer(c.request);
            const Bytes sent = faulty.answer(c.request);
            ASSERT_EQ(sent.size(), c.noise + c.length);
            ASSERT_TRUE(c.noise == 0 || sent[0] != kReplyPrefix);  // never taken for a frame
            if (c.options.back() == "--unknown-code") {
                expected[kCodeOffset] = kUnknownReplyCode;
            }
            const std::size_t kept = c.length == 22 ? 21 : c.length;  // the CRC aside
            ASSERT_EQ(Bytes(sent.begin() + c.noise, sent.begin() + c.noise + kept),
                      Bytes(expected.begin(), expected.begin() + kept));
            ASSERT_EQ(reply_intact(Bytes(sent.begin() + c.noise, sent.end())), c.length == 22);
        }
    }
}

TEST(SimOptions, UnusableArgumentsAreRefused) {
    const std::vector<std::vector<std::string>> cases = {
        {"--frobnicate"},           {"--link"},
        {"--sensor", "256"},        {"--sensor", "3:colour=red"},
        {"--sensor", "3:serial"},   {"--sensor", "3:serial=4294967296"},
        {"--sensor", "3:temp=128"}, {"--sensor", "3", "--sensor", "3:serial=5"},
        {"--close-after", "0"},     {"--burst", "100001:1"},
        {"--burst", "5:0"},         {"--burst", "5"},
    };
    for (const auto& arguments : cases) {
        EXPECT_THROW(parse_options(arguments), OptionError) << arguments.back();
    }
}

}  // namespace
}  // namespace qm720::sim
