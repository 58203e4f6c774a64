#include "cli/sensor_link.h"

#include <algorithm>

#include "cli/failure.h"
#include "cli/stop_signals.h"
#include "protocol/reply_frame.h"
#include "protocol/reply_layout.h"
#include "protocol/requests.h"

namespace qm720::cli {

namespace {

using Clock = std::chrono::steady_clock;

// The longest reply, a measurement with its mode byte and CRC: a reply that ends where the
// received bytes end starts no earlier than this before the end.
constexpr std::size_t kLongestReply = kModeByteField.end() + 1;

void stop_when_asked() {
    if (const int signal_number = stop_signal(); signal_number != 0) {
        throw Stopped(signal_number);
    }
}

}  // namespace

Bytes valid_reply(const Bytes& received, const Bytes& request, ReplyKind wanted) {
    const std::optional<std::uint8_t> asked_address =
        request.size() > kAddressOffset ? std::optional(request[kAddressOffset]) : std::nullopt;
    JudgedReply reply = judge_reply(received, {.asked = request, .reading_address = asked_address});
    return reply.kind == wanted ? std::move(reply.frame) : Bytes{};
}

// False when the line took less than the whole request.
bool SensorLink::send(const Bytes& request) {
    stop_when_asked();
    port_.discard_input();
    return port_.write(request) == request.size();
}

// Reads with the driver's rules until a valid reply has arrived or the time-out has passed.
Bytes SensorLink::await_reply(const Bytes& request, ReplyKind wanted) {
    const auto deadline = Clock::now() + timing_.timeout;
    Bytes received;
    while (Clock::now() < deadline) {
        const Bytes piece = port_.read();
        stop_when_asked();
        received.insert(received.end(), piece.begin(), piece.end());
        if (Bytes reply = valid_reply(received, request, wanted); !reply.empty()) {
            return reply;
        }
        if (received.size() > kLongestReply) {
            received.erase(received.begin(), received.end() - kLongestReply);
        }
    }
    return {};
}

std::optional<Bytes> SensorLink::ask(const Bytes& request, ReplyKind wanted) {
    for (int attempt = 0; attempt <= timing_.retries; ++attempt) {
        if (!send(request)) {
            throw Failure(ExitStatus::NoValidAnswer, "write failed: " + port_.last_write_failure());
        }
        if (Bytes reply = await_reply(request, wanted); !reply.empty()) {
            return reply;
        }
    }
    return std::nullopt;
}

Bytes SensorLink::query(const Bytes& request, ReplyKind wanted) {
    if (auto reply = ask(request, wanted)) {
        return *reply;
    }
    throw Failure(ExitStatus::NoValidAnswer, "no valid answer");
}

Bytes SensorLink::change(const Bytes& request) {
    if (!send(request)) {
        throw Failure(ExitStatus::NotConfirmed,
                      "write failed: " + port_.last_write_failure() +
                          "; the command may have taken effect: check with read before trying "
                          "again");
    }
    Bytes reply = await_reply(request, ReplyKind::Confirmation);
    if (reply.empty()) {
        throw Failure(ExitStatus::NotConfirmed,
                      "no valid confirmation: the command may have taken effect; check with read "
                      "before trying again");
    }
    return reply;
}

std::vector<std::uint8_t> SensorLink::scan() {
    for (int attempt = 0; attempt <= timing_.retries; ++attempt) {
        if (!send(network_scan_request())) {
            throw Failure(ExitStatus::NoValidAnswer, "write failed: " + port_.last_write_failure());
        }
        const auto deadline = Clock::now() + timing_.timeout;
        while (Clock::now() < deadline) {
            // The scan answer is one address a byte, without prefix or CRC.
            Bytes answer = port_.read();
            stop_when_asked();
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
