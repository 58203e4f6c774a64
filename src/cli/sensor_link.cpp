#include "cli/sensor_link.h"

#include <algorithm>

#include "cli/failure.h"
#include "protocol/reply_frame.h"
#include "protocol/requests.h"

namespace qm720::cli {

namespace {

using Clock = std::chrono::steady_clock;

bool contains(const std::vector<std::uint8_t>& values, std::uint8_t value) {
    return std::find(values.begin(), values.end(), value) != values.end();
}

}  // namespace

Bytes valid_reply(Bytes received, const ExpectedReply& expected) {
    received = locate_reply(received).frame;
    if (!is_reply_frame(received) || !reply_intact(received) ||
        !contains(expected.addresses, received[kAddressOffset]) ||
        !contains(expected.codes, received[kCodeOffset])) {
        return {};
    }
    return received;
}

void SensorLink::send(const Bytes& request) {
    port_.DiscardInput();
    if (port_.WritePort(request) != request.size()) {
        throw Failure(ExitStatus::NoValidAnswer, "write failed: " + port_.last_write_failure());
    }
}

// Reads with the driver's rules until a valid reply has arrived or the time-out has passed.
Bytes SensorLink::await_reply(const ExpectedReply& expected) {
    const auto deadline = Clock::now() + timing_.timeout;
    Bytes received;
    while (Clock::now() < deadline) {
        const Bytes piece = port_.ReadPort();
        received.insert(received.end(), piece.begin(), piece.end());
        if (Bytes reply = valid_reply(received, expected); !reply.empty()) {
            return reply;
        }
    }
    return {};
}

Bytes SensorLink::query(const Bytes& request, const ExpectedReply& expected) {
    for (int attempt = 0; attempt <= timing_.retries; ++attempt) {
        send(request);
        if (Bytes reply = await_reply(expected); !reply.empty()) {
            return reply;
        }
    }
    throw Failure(ExitStatus::NoValidAnswer, "no valid answer");
}

Bytes SensorLink::change(const Bytes& request, const ExpectedReply& expected) {
    send(request);
    Bytes reply = await_reply(expected);
    if (reply.empty()) {
        throw Failure(ExitStatus::NoValidAnswer,
                      "no valid confirmation: the command may have taken effect; check with read");
    }
    return reply;
}

std::vector<std::uint8_t> SensorLink::scan() {
    for (int attempt = 0; attempt <= timing_.retries; ++attempt) {
        send(network_scan_request());
        const auto deadline = Clock::now() + timing_.timeout;
        while (Clock::now() < deadline) {
            // The scan answer is one address a byte, without prefix or CRC.
            Bytes answer = port_.ReadPort();
            if (!answer.empty()) {
                std::sort(answer.begin(), answer.end());
                answer.erase(std::unique(answer.begin(), answer.end()), answer.end());
                return {answer.begin(), answer.end()};
            }
        }
    }
    throw Failure(ExitStatus::NoValidAnswer, "no sensor answered the scan");
}

}  // namespace qm720::cli
