#pragma once

#include <chrono>

#include "presentation/tick_outcome.h"
#include "protocol/crc8.h"
#include "protocol/requests.h"
#include "support/fake_serial_port.h"
#include "support/reply_builder.h"
#include "trend/trend_recorder.h"

namespace qm720::test {

// 2026-12-05 21:43:15 UTC: the first tick's time; each tick after it comes a second later.
inline const TrendTime kFirstTick{std::chrono::seconds(1796507000)};

inline TrendTime tick_time(int tick) {
    return kFirstTick + std::chrono::seconds(tick);
}

inline MeasurementFields reading_of(std::uint8_t address, std::uint16_t level = 0) {
    MeasurementFields fields;
    fields.address = address;
    fields.level = level;
    return fields;
}

// A session on a scripted port, followed by a recorder, sensor 1 selected and known: the next
// tick's read answers a poll.
struct RecordedSession {
    RecordedSession() {
        recorder.follow(session);
        tick({});
        tick(identity_reply(4242, 131));
    }

    void tick(const Bytes& read, bool poll_every_address = false) {
        port.reads.push_back(read);
        (void)session.tick(1, poll_every_address);
    }
    void measure(std::uint16_t level, std::uint8_t address = 1) {
        tick(Measurement{.address = address, .level = level}.frame(), true);
    }
    // `request` goes out with the next tick, which reads a measurement; the tick after reads the
    // sensor's confirmation of it.
    void confirm(const Bytes& request) {
        session.queue(request);
        measure(500);
        tick(with_crc({0x3E, request[1], request[2]}));
    }
    const TrendHistory& history() const { return recorder.history(); }

    FakeSerialPort port;
    SensorSession session{port};
    int ticks = 0;
    TrendRecorder recorder{[this] { return tick_time(ticks++); }, confirmation_text};
};

}  // namespace qm720::test
