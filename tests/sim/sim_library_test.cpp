#include "sim/sensor_bus.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>
#include <map>

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
// frame, the frame's length, the bytes it changes (CRC aside) and whether the CRC still fits.
// Sensor 1's serial number 100001 goes out as A1 86 01 00.
TEST(SensorBus, EachFaultChangesOnlyItsOwnBytesOnTheWire) {
    const struct {
        const char* sensor;
        Bytes request;
        std::size_t noise, length;
        std::map<std::size_t, std::uint8_t> changed;
        bool intact;
        const char* bus_wide = "--steady";  // or a fault for every sensor
    } cases[] = {
        {"1:noisy", poll_request(1), 1, 22, {}, true},
        {"1:noisy", network_scan_request(), 0, 1, {}, false},  // "01": no frame, no noise
        {"1:badcrc", poll_request(1), 0, 22, {}, false},
        {"1:badid", identity_request(1), 0, 10, {{kPayloadOffset, 0xA0}}, false},
        {"1:wrongaddr", identity_request(1), 0, 10, {{kAddressOffset, 0x02}}, true},
        {"1:unknown", poll_request(1), 0, 22, {{kCodeOffset, kUnknownReplyCode}}, true},
        {"1", poll_request(1), 0, 22, {{kCodeOffset, kUnknownReplyCode}}, true, "--unknown-code"},
        {"1:shortmode", set_mode_request(1, 0x83), 0, 4, {}, true},  // the CRC where 83 was
        {"1:garbage", poll_request(1), 22, 0, {}, false},            // all noise
        {"1:garbage", network_scan_request(), 0, 1, {}, false},
        {"1", poll_request(1), 22, 0, {}, false, "--garbage"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.sensor) + " " + c.bus_wide + ", " + two_digit_hex(c.request));
        // Steady, as the noise byte comes from the sequence that moves the readings.
        SensorBus honest(parse({"--sensor", "1"}).sensors, {.steady = true});
        SensorBus faulty(parse({"--sensor", c.sensor, c.bus_wide}).sensors, {.steady = true});
        // Enough replies that noise starting with 0x3E would turn up by chance if it were allowed.
        for (int ask = 0; ask < 3000; ++ask) {
            const Bytes expected = honest.answer(c.request);
            const Bytes sent = faulty.answer(c.request);
            ASSERT_EQ(sent.size(), c.noise + c.length);
            const Bytes noise(sent.begin(), sent.begin() + c.noise);
            const Bytes frame(sent.begin() + c.noise, sent.end());
            ASSERT_TRUE(noise.empty() || noise[0] != kReplyPrefix);  // never taken for a frame
            std::map<std::size_t, std::uint8_t> changed;
            for (std::size_t k = 0; k + 1 < std::min(frame.size(), expected.size()); ++k) {
                if (frame[k] != expected[k]) {
                    changed[k] = frame[k];
                }
            }
            ASSERT_EQ(changed, c.changed);
            ASSERT_EQ(reply_intact(frame), c.intact);
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
