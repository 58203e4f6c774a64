#pragma once

#include <chrono>
#include <cstdint>
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
// (prefix, CRC, address, code) within the time-out; anything else counts as no answer.
class SensorLink {
  public:
    SensorLink(SerialPort& port, LinkTiming timing) : port_(port), timing_(timing) {}

    // For requests that change nothing: resent up to the retry count.
    Bytes query(const Bytes& request, const ExpectedReply& expected);
    // For requests that change the sensor: sent once, since a resent shift would shift twice.
    Bytes change(const Bytes& request, const ExpectedReply& expected);
    // The addresses that answer the scan, ascending.
    std::vector<std::uint8_t> scan();

  private:
    void send(const Bytes& request);
    Bytes await_reply(const ExpectedReply& expected);

    SerialPort& port_;
    LinkTiming timing_;
};

// A reply (noise before its prefix dropped) that passes every check, else an empty one.
Bytes valid_reply(Bytes received, const ExpectedReply& expected);

}  // namespace qm720::cli
