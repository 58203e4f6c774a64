#include <gtest/gtest.h>
#include <httplib.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <condition_variable>
#include <cstdio>
#include <fstream>
#include <mutex>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "cli/arguments.h"
#include "cli/bus_monitor.h"
#include "cli/metrics_server.h"
#include "cli/metrics_text.h"
#include "hex.h"
#include "protocol/crc8.h"
#include "protocol/requests.h"
#include "support/fake_serial_port.h"
#include "support/reply_builder.h"
#include "support/temp_folder.h"

namespace qm720 {
namespace {

using namespace std::chrono_literals;
using cli::BusMonitor;
using cli::PollResult;
using test::hex;
using test::joined;

// Line noise of every byte value, the reply prefix 0x3E included.
Bytes noise(std::size_t length, unsigned seed) {
    std::mt19937 draw(seed);
    Bytes bytes(length);
    for (std::uint8_t& byte : bytes) {
        byte = static_cast<std::uint8_t>(draw());
    }
    bytes[length / 2] = 0x3E;
    return bytes;
}

TEST(ListenAddress, HostAndPortOrNothing) {
    const struct {
        const char* text;
        std::optional<std::pair<std::string, int>> address;
    } cases[] = {
        {"127.0.0.1:10720", std::pair{"127.0.0.1", 10720}},
        {"[::1]:9", std::pair{"::1", 9}},
        {"localhost:65535", std::pair{"localhost", 65535}},
        {"127.0.0.1", std::nullopt},
        {":10720", std::nullopt},
        {"127.0.0.1:0", std::nullopt},
        {"127.0.0.1:65536", std::nullopt},
        {"127.0.0.1:+80", std::nullopt},
        {"127.0.0.1:80 ", std::nullopt},
        {"::1:80", std::nullopt},
    };
    for (const auto& c : cases) {
        const auto parsed = cli::listen_address(c.text);
        ASSERT_EQ(parsed.has_value(), c.address.has_value()) << c.text;
        if (parsed) {
            EXPECT_EQ(parsed->host, c.address->first) << c.text;
            EXPECT_EQ(parsed->port, c.address->second) << c.text;
        }
    }
}

TEST(JudgePoll, EachReadCountsAsWhatItIs) {
    Bytes bad_crc = test::Measurement{.address = 5}.frame();
    bad_crc.back() ^= 0x01;
    const Bytes measurement = test::Measurement{.address = 5}.frame();
    const struct {
        const char* what;
        Bytes read;
        PollResult result;
    } cases[] = {
        {"nothing", {}, PollResult::NoAnswer},
        {"an intact measurement", measurement, PollResult::Ok},
        {"one behind noise", joined({noise(40, 1), measurement}), PollResult::Ok},
        {"a wrong CRC", bad_crc, PollResult::Damaged},
        {"too short", with_crc(Bytes(measurement.begin(), measurement.begin() + 18)),
         PollResult::Damaged},
        {"another sensor's", test::Measurement{.address = 6}.frame(), PollResult::WrongAddress},
        {"noise alone", noise(300, 2), PollResult::Damaged},
        {"an identity", test::identity_reply(4242, 131, 0, 5), PollResult::Damaged},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(cli::judge_poll(c.read, 5), c.result) << c.what;
    }
}

std::uint64_t polls(const cli::SensorReport& sensor, PollResult result) {
    return sensor.polls[static_cast<std::size_t>(
        std::find(cli::kPollResults.begin(), cli::kPollResults.end(), result) -
        cli::kPollResults.begin())];
}

class Monitor : public ::testing::Test {
  protected:
    // Answers in the order the monitor asks; none is a silent line.
    void answers(std::initializer_list<Bytes> reads) {
        port.reads.insert(port.reads.end(), reads.begin(), reads.end());
    }
    BusMonitor monitor(std::vector<std::uint8_t> addresses) {
        return BusMonitor(
            port, {.addresses = std::move(addresses), .rescan_period = 600s},
            [this] { return steady; }, [this] { return wall; });
    }

    test::FakeSerialPort port;
    std::chrono::steady_clock::time_point steady{};
    std::chrono::system_clock::time_point wall{std::chrono::seconds(1'800'000'000)};
};

TEST_F(Monitor, EachSweepPollsEverySensorAndAsksEachWhoItIsOnce) {
    BusMonitor bus = monitor({5, 1, 5});
    answers({test::Measurement{.address = 1}.frame(), test::identity_reply(111, 163, 0, 1),
             test::Measurement{.address = 5}.frame(), test::identity_reply(555, 131, 0, 5)});
    bus.sweep();
    bus.sweep();
    EXPECT_EQ(port.writes,
              (std::vector<Bytes>{poll_request(1), identity_request(1), poll_request(5),
                                  identity_request(5), poll_request(1), poll_request(5)}));
}

TEST_F(Monitor, ASensorThatStopsAnsweringIsDownWithoutReadings) {
    BusMonitor bus = monitor({1});
    answers({test::Measurement{.level = 700}.frame(), test::identity_reply(111, 163)});
    bus.sweep();
    wall += 1s;
    bus.sweep();
    const cli::SensorReport sensor = bus.report().sensors.at(0);
    EXPECT_FALSE(sensor.up);
    EXPECT_EQ(sensor.reading, std::nullopt);
    EXPECT_EQ(polls(sensor, PollResult::Ok), 1u);
    EXPECT_EQ(polls(sensor, PollResult::NoAnswer), 1u);
    EXPECT_EQ(sensor.last_reading_time, std::chrono::system_clock::time_point(1'800'000'000s));
}

TEST_F(Monitor, ASensorWithDamagedRepliesIsDownUntilAGoodOne) {
    BusMonitor bus = monitor({1});
    Bytes damaged = joined({noise(30, 5), test::Measurement{}.frame()});
    damaged.back() ^= 0x01;
    answers({damaged, test::Measurement{.level = 640}.frame(), test::identity_reply(111, 163)});
    bus.sweep();
    const cli::SensorReport down = bus.report().sensors.at(0);
    bus.sweep();
    const cli::SensorReport back = bus.report().sensors.at(0);
    EXPECT_FALSE(down.up);
    EXPECT_EQ(down.reading, std::nullopt);
    EXPECT_EQ(polls(down, PollResult::Damaged), 1u);
    EXPECT_TRUE(back.up);
    ASSERT_TRUE(back.reading);
    EXPECT_EQ(back.reading->level, 640);
}

TEST_F(Monitor, ASensorBackFromBeingDownIsAskedWhoItIsAgain) {
    BusMonitor bus = monitor({1});
    answers({test::Measurement{}.frame(),
             test::identity_reply(111, 163),
             {},
             test::Measurement{.level = 9}.frame(),
             test::identity_reply(222, 163)});
    bus.sweep();
    bus.sweep();
    bus.sweep();
    const cli::SensorReport sensor = bus.report().sensors.at(0);
    EXPECT_EQ(port.writes.back(), identity_request(1));
    ASSERT_TRUE(sensor.identity);
    EXPECT_EQ(sensor.identity->serial_number, 222u);
    EXPECT_EQ(sensor.reading->level, 9);
}

TEST_F(Monitor, ARejectedIdentityIsAskedAgainAfterTheNextGoodPoll) {
    BusMonitor bus = monitor({1});
    Bytes damaged = test::identity_reply(111, 163);
    damaged[4] ^= 0x01;
    answers({test::Measurement{}.frame(), damaged, test::Measurement{}.frame(),
             test::identity_reply(111, 163), test::Measurement{}.frame()});
    bus.sweep();
    bus.sweep();
    bus.sweep();
    EXPECT_EQ(port.writes,
              (std::vector<Bytes>{poll_request(1), identity_request(1), poll_request(1),
                                  identity_request(1), poll_request(1)}));
    EXPECT_EQ(bus.report().sensors.at(0).identity->serial_number, 111u);
}

// The scan answer is bare address bytes; only those that then answer a poll join the bus.
TEST_F(Monitor, AScanListsOnlyTheAddressesThatAnswerAPoll) {
    BusMonitor bus = monitor({});
    answers({hex("11 3E 05"),
             test::Measurement{.address = 5}.frame(),
             test::identity_reply(555, 131, 0, 5),
             test::Measurement{.address = 17}.frame(),
             test::identity_reply(1717, 120, 0, 17),
             {}});
    bus.sweep();
    const cli::BusReport report = bus.report();
    ASSERT_EQ(report.sensors.size(), 2u);
    EXPECT_EQ(report.sensors[0].address, 5);
    EXPECT_EQ(report.sensors[1].address, 17);
    EXPECT_EQ(polls(report.sensors[0], PollResult::Ok), 1u) << "polled twice in its first sweep";
    EXPECT_EQ(port.writes.front(), network_scan_request());
    EXPECT_EQ(port.writes.back(), poll_request(62));
}

TEST_F(Monitor, TheBusIsScannedAgainOnlyAfterTheRescanPeriod) {
    BusMonitor bus = monitor({});
    answers(
        {hex("05"), test::Measurement{.address = 5}.frame(), test::identity_reply(555, 131, 0, 5)});
    bus.sweep();
    steady += 599s;
    bus.sweep();  // 5 is silent now
    steady += 1s;
    answers({hex("07")});
    bus.sweep();
    const std::size_t scans =
        static_cast<std::size_t>(std::ranges::count(port.writes, network_scan_request()));
    EXPECT_EQ(scans, 2u);
    const cli::BusReport report = bus.report();
    ASSERT_EQ(report.sensors.size(), 1u) << "7 never answered a poll; 5 stays listed, down";
    EXPECT_FALSE(report.sensors[0].up);
}

TEST_F(Monitor, OnlyPollsIdentityRequestsAndTheScanGoOnTheWire) {
    BusMonitor bus = monitor({});
    answers({hex("01 02"), noise(200, 3), test::Measurement{.address = 2}.frame(), noise(50, 4)});
    for (int k = 0; k < 5; ++k) {
        bus.sweep();
        steady += 601s;
    }
    for (const Bytes& written : port.writes) {
        const bool allowed = written == network_scan_request() || written == poll_request(1) ||
                             written == poll_request(2) || written == identity_request(1) ||
                             written == identity_request(2);
        EXPECT_TRUE(allowed) << "wrote " << written.size() << " bytes, code "
                             << int(written.size() > 2 ? written[2] : 0);
    }
}

TEST_F(Monitor, AStopBetweenSensorsEndsTheSweep) {
    BusMonitor bus = monitor({1, 2, 3});
    int asked = 0;
    bus.sweep([&asked] { return ++asked > 1; });
    EXPECT_EQ(port.writes, std::vector<Bytes>{poll_request(1)});
}

// A report with sensor 1 up, known and smoothing, and sensor 7 down.
cli::BusReport sample_report() {
    cli::SensorReport up;
    up.address = 1;
    up.up = true;
    up.reading = measurement_fields(test::Measurement{.level = 512, .mode_byte = 0x88}.frame());
    up.identity = identity_fields(test::identity_reply(123456, 163));
    up.polls = {10, 1, 2, 3};
    up.last_reading_time = std::chrono::system_clock::time_point(1'800'000'000'500ms);
    cli::SensorReport down;
    down.address = 7;
    down.reading = measurement_fields(test::Measurement{.address = 7}.frame());
    return {.sensors = {up, down}, .sweep_duration = 0.0625s};
}

bool has_line(const std::string& text, const std::string& line) {
    return ("\n" + text).find("\n" + line + "\n") != std::string::npos;
}

TEST(MetricsText, ReadingsOfASensorThatIsDownAreLeftOut) {
    const std::string text = cli::metrics_text(sample_report());
    EXPECT_TRUE(has_line(text, "qm720_up{address=\"7\"} 0"));
    EXPECT_EQ(text.find("qm720_level{address=\"7\"}"), std::string::npos);
    EXPECT_TRUE(has_line(text, "qm720_level{address=\"1\"} 512"));
}

TEST(MetricsText, EverySampleOfTheUpSensorIsThere) {
    const std::string text = cli::metrics_text(sample_report());
    for (const char* line :
         {"qm720_up{address=\"1\"} 1", "qm720_temperature_celsius{address=\"1\"} 23",
          "qm720_current_value{address=\"1\"} 100000",
          "qm720_calibration_empty{address=\"1\"} 100000",
          "qm720_calibration_full{address=\"1\"} 190000",
          "qm720_sensor_info{address=\"1\",serial=\"123456\",version=\"1.6.3\",output=\"rs485\","
          "smoothing=\"on\",inversion=\"off\",range=\"4096\"} 1",
          "qm720_polls_total{address=\"1\",result=\"ok\"} 10",
          "qm720_polls_total{address=\"1\",result=\"no_answer\"} 1",
          "qm720_polls_total{address=\"1\",result=\"damaged\"} 2",
          "qm720_polls_total{address=\"1\",result=\"wrong_address\"} 3",
          "qm720_last_reading_timestamp_seconds{address=\"1\"} 1800000000.5",
          "qm720_sweep_duration_seconds 0.0625"}) {
        EXPECT_TRUE(has_line(text, line)) << "missing: " << line << "\nin:\n" << text;
    }
}

// Prometheus' own checker finds nothing to say: names, units, HELP and TYPE, counters.
TEST(MetricsText, PromtoolFindsNothingToSay) {
    test::TempFolder folder;
    const std::string path = folder.string() + "/metrics.txt";
    std::ofstream(path) << cli::metrics_text(sample_report());
    const std::string command = "promtool check metrics < " + path + " 2>&1";
    FILE* checker = popen(command.c_str(), "r");
    ASSERT_NE(checker, nullptr);
    std::string said;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, checker) != nullptr) {
        said += buffer;
    }
    EXPECT_EQ(pclose(checker), 0) << said;
    EXPECT_EQ(said, "");
}

class Endpoint : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(server.listen_on("127.0.0.1", 0), std::nullopt);
        server.start();
    }
    cli::MetricsServer server{[] { return std::string("qm720_up{address=\"1\"} 1\n"); }};

    httplib::Client connect() { return httplib::Client("127.0.0.1", server.port()); }
};

TEST_F(Endpoint, MetricsAreServedInTheTextFormat) {
    auto http = connect();
    const auto response = http.Get("/metrics");
    ASSERT_TRUE(response);
    EXPECT_EQ(response->status, 200);
    EXPECT_EQ(response->get_header_value("Content-Type"),
              "text/plain; version=0.0.4; charset=utf-8");
    EXPECT_EQ(response->body, "qm720_up{address=\"1\"} 1\n");
}

TEST_F(Endpoint, OtherPathsAreNotFoundAndOtherMethodsNotAllowed) {
    auto http = connect();
    const auto missing = http.Get("/metricsx");
    const auto posted = http.Post("/metrics", "x", "text/plain");
    ASSERT_TRUE(missing && posted);
    EXPECT_EQ(missing->status, 404);
    EXPECT_EQ(posted->status, 405);
    EXPECT_EQ(posted->get_header_value("Allow"), "GET, HEAD");
}

TEST_F(Endpoint, TwoHundredKilobytesOfHeadersAreRefused) {
    auto http = connect();
    httplib::Headers headers;
    for (int k = 0; k < 200; ++k) {
        headers.emplace("X-Filler-" + std::to_string(k), std::string(1000, 'a'));
    }
    const auto response = http.Get("/metrics", headers);
    EXPECT_TRUE(!response || response->status >= 400) << "served despite 200 kB of headers";
}

// Idle clients hold a connection each without a word; a scrape still gets through at once.
TEST_F(Endpoint, SilentClientsDoNotHoldBackAScrape) {
    std::vector<int> silent;
    for (int k = 0; k < 4; ++k) {
        const int socket_handle = ::socket(AF_INET, SOCK_STREAM, 0);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_port = htons(static_cast<std::uint16_t>(server.port()));
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        ASSERT_EQ(::connect(socket_handle, reinterpret_cast<sockaddr*>(&address), sizeof address),
                  0);
        silent.push_back(socket_handle);
    }
    auto http = connect();
    http.set_read_timeout(1s);
    const auto response = http.Get("/metrics");
    for (const int socket_handle : silent) {
        ::close(socket_handle);
    }
    ASSERT_TRUE(response);
    EXPECT_EQ(response->status, 200);
}

// A bus whose every read hangs until released: a sweep caught in a time-out.
struct StuckPort : test::FakeSerialPort {
    Bytes read() override {
        std::unique_lock lock(mutex);
        reading = true;
        changed.notify_all();
        changed.wait(lock, [this] { return released; });
        return {};
    }
    void wait_until_reading() {
        std::unique_lock lock(mutex);
        changed.wait(lock, [this] { return reading; });
    }
    void release() {
        const std::lock_guard lock(mutex);
        released = true;
        changed.notify_all();
    }
    std::mutex mutex;
    std::condition_variable changed;
    bool reading = false;
    bool released = false;
};

TEST(MetricsServer, AScrapeDuringABusTimeOutIsServedFromTheLastSweep) {
    StuckPort port;
    BusMonitor bus(port, {.addresses = {1}, .rescan_period = 600s});
    cli::MetricsServer server([&bus] { return cli::metrics_text(bus.report()); });
    ASSERT_EQ(server.listen_on("127.0.0.1", 0), std::nullopt);
    server.start();
    std::jthread sweeping([&bus] { bus.sweep(); });
    port.wait_until_reading();
    httplib::Client http("127.0.0.1", server.port());
    http.set_read_timeout(2s);
    const auto response = http.Get("/metrics");
    port.release();
    ASSERT_TRUE(response) << "the scrape waited on the bus";
    EXPECT_NE(response->body.find("qm720_up{address=\"1\"} 0"), std::string::npos);
}

}  // namespace
}  // namespace qm720
