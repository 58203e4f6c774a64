#include "sim/line_service.h"

#include <poll.h>
#include <unistd.h>

#include <array>
#include <iostream>
#include <string>

#include "protocol/command_line.h"
#include "protocol/reply_frame.h"

namespace qm720::sim {

namespace {

using std::chrono::milliseconds;

// Ten bits a byte at 19200 baud.
constexpr auto kByteTime = std::chrono::microseconds(520);
// The tool writes a request in one go; a pause this long inside one means the rest is lost.
constexpr auto kRequestSilence = milliseconds(5);
constexpr unsigned kShortestAnswerDelayMs = 5;
constexpr unsigned kLongestAnswerDelayMs = 30;
// How often an idle loop looks up; a stop request wakes it at once anyway.
constexpr auto kIdleWait = milliseconds(1000);
// Backs off from a line that reports an error instead of spinning on it.
constexpr auto kErrorPause = milliseconds(50);

std::string spaced_hex(const Bytes& bytes) {
    std::string text;
    for (const std::uint8_t byte : bytes) {
        if (!text.empty()) {
            text += ' ';
        }
        text += two_digit_hex({byte});
    }
    return text;
}

}  // namespace

LineService::LineService(int master, SensorBus& bus, const StopSignals& stop, LineTiming timing,
                         std::uint32_t seed)
    : master_(master), bus_(bus), stop_(stop), timing_(timing), chance_(seed) {}

void LineService::run() {
    Clock::time_point last_arrival = Clock::now();
    while (!stop_.requested() && !served_enough()) {
        const Clock::time_point deadline =
            assembler_.has_unfinished() ? last_arrival + kRequestSilence : Clock::now() + kIdleWait;
        const short events = stop_.wait(master_, POLLIN, deadline);
        if (events & POLLIN) {
            last_arrival = Clock::now();
            for (const Bytes& request : assembler_.feed(read_available())) {
                serve(request, last_arrival);
                if (served_enough()) {
                    return;
                }
            }
        } else if (events != 0) {
            stop_.wait(-1, 0, Clock::now() + kErrorPause);
        } else if (assembler_.has_unfinished() && Clock::now() >= deadline) {
            assembler_.drop_unfinished();
        }
    }
}

Bytes LineService::read_available() const {
    std::array<std::uint8_t, 256> buffer{};
    const ssize_t count = read(master_, buffer.data(), buffer.size());
    if (count <= 0) {
        return {};
    }
    return Bytes(buffer.begin(), buffer.begin() + count);
}

void LineService::serve(const Bytes& request, Clock::time_point arrived) {
    ++requests_served_;
    const bool swapping = timing_.swap && timing_.swap->after_request + 1 == requests_served_;
    if (swapping) {
        bus_.replace(timing_.swap->newcomer);
    }
    const Bytes answer = swapping ? Bytes{} : bus_.answer(request);
    const Bytes burst = burst_due();
    if (timing_.verbose) {
        std::cerr << spaced_hex(request) << " => ";
        if (!burst.empty()) {
            std::cerr << '(' << burst.size() << " noise bytes) ";
        }
        std::cerr << (answer.empty() ? "(no answer)" : spaced_hex(answer)) << std::endl;
    }
    if (answer.empty() && burst.empty()) {
        return;
    }
    stop_.wait(-1, 0, arrived + answer_delay());
    send_paced(burst, answer);
}

// The noise that goes before the answer to the request just counted; none for most.
Bytes LineService::burst_due() {
    Bytes noise;
    for (const LineBurst& burst : timing_.bursts) {
        if (burst.before_request != requests_served_) {
            continue;
        }
        noise.insert(noise.end(), burst.given.begin(), burst.given.end());
        for (unsigned k = 0; k < burst.random_length; ++k) {
            noise.push_back(chance_.byte());
        }
    }
    return noise;
}

// `noise` first, then `answer` with the gap after its first half, one byte time apart.
void LineService::send_paced(const Bytes& noise, const Bytes& answer) const {
    Bytes wire = noise;
    wire.insert(wire.end(), answer.begin(), answer.end());
    const std::size_t gap_at = noise.size() + answer.size() / 2;
    Clock::time_point next = Clock::now();
    for (std::size_t k = 0; k < wire.size() && !stop_.requested(); ++k) {
        if (k == gap_at && k > noise.size()) {
            next += milliseconds(timing_.gap_ms);
        }
        stop_.wait(-1, 0, next);
        // A full queue means nobody reads the line: the rest is lost, as on a real bus.
        if (write(master_, &wire[k], 1) != 1) {
            return;
        }
        next += kByteTime;
    }
}

Clock::duration LineService::answer_delay() {
    return milliseconds(timing_.answer_delay_ms.value_or(
        chance_.between(kShortestAnswerDelayMs, kLongestAnswerDelayMs)));
}

bool LineService::served_enough() const {
    return timing_.close_after && requests_served_ >= *timing_.close_after;
}

}  // namespace qm720::sim
