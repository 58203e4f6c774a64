#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/bytes.h"
#include "serial/serial_port.h"

namespace qm720::cli {

struct LinkTiming {
    std::chrono::milliseconds timeout{300};
    int retries = 2;
};

// What makes a reply the answer to a request: one of these addresses and one of these codes.
struct ExpectedReply {
    std::vector<std::uint8_t> addresses;
    std::vector<std::uint8_t> codes;
};

// One request, then its answer: each request waits for a reply that passes every check
// (prefix, CRC, address, code) within the time-out; anything else counts as no answer. A stop
// signal ends every wait with Stopped.
class SensorLink {
  public:
    SensorLink(SerialPort& port, LinkTiming timing) : port_(port), timing_(timing) {}

    // For requests that change nothing: resent up to the retry count; none when every try
    // went unanswered.
    std::optional<Bytes> ask(const Bytes& request, const ExpectedReply& expected);
    // The same, with no answer a NoValidAnswer failure.
    Bytes query(const Bytes& request, const ExpectedReply& expected);
    // For requests that change the sensor: sent once, since a resent shift would shift twice.
    // Once sent, a lost confirmation is NotConfirmed: the change may have taken effect.
    Bytes change(const Bytes& request, const ExpectedReply& expected);
    // The bytes of the scan answer as they are (noise included), ascending, each once.
    std::vector<std::uint8_t> scan();

  private:
    bool send(const Bytes& request);
    Bytes await_reply(const ExpectedReply& expected);

    SerialPort& port_;
    LinkTiming timing_;
};

// The reply the window would take from `received` (locate_reply: noise of any value, a late
// answer to an earlier request included, dropped before it) when it passes every check, else an
// empty one.
Bytes valid_reply(const Bytes& received, const ExpectedReply& expected);

}  // namespace qm720::cli
