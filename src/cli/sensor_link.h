#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <vector>

#include "core/bytes.h"
#include "protocol/reply_acceptance.h"
#include "serial/serial_port.h"

namespace qm720::cli {

struct LinkTiming {
    std::chrono::milliseconds timeout{300};
    int retries = 2;
};

// One request, then its answer: each request waits for a reply of the kind wanted that the
// acceptance rule both programs share takes as the answer to that request (intact, from the
// sensor asked, with the code the request calls for) within the time-out; anything else counts
// as no answer. A stop signal ends every wait with Stopped.
class SensorLink {
  public:
    SensorLink(SerialPort& port, LinkTiming timing) : port_(port), timing_(timing) {}

    // For requests that change nothing: resent up to the retry count; none when every try
    // went unanswered.
    std::optional<Bytes> ask(const Bytes& request, ReplyKind wanted);
    // The same, with no answer a NoValidAnswer failure.
    Bytes query(const Bytes& request, ReplyKind wanted);
    // For requests that change the sensor: sent once, since a resent shift would shift twice.
    // Once sent, a lost confirmation is NotConfirmed: the change may have taken effect.
    Bytes change(const Bytes& request);
    // The bytes of the scan answer as they are (noise included), ascending, each once.
    std::vector<std::uint8_t> scan();

  private:
    bool send(const Bytes& request);
    Bytes await_reply(const Bytes& request, ReplyKind wanted);

    SerialPort& port_;
    LinkTiming timing_;
};

// The reply in `received` that the shared acceptance rule takes, strictly, as an answer of the
// kind wanted to `request`; else an empty one.
Bytes valid_reply(const Bytes& received, const Bytes& request, ReplyKind wanted);

}  // namespace qm720::cli
