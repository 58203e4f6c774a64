#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

#include "serial/serial_port.h"

namespace qm720::test {

// A port with scripted answers that records what the form did with it.
class FakeSerialPort : public SerialPort {
  public:
    bool OpenPort(const std::string& device_path, const std::string& settings) override {
        opens.push_back({device_path, settings});
        return open_succeeds;
    }
    bool ClosePort() override { return ++closes > 0; }
    void FlushPort() override { ++flushes; }
    // The next queued read; empty, like a silent line, when none is left.
    Bytes ReadPort() override {
        Bytes next;
        if (!reads.empty()) {
            next = std::move(reads.front());
            reads.pop_front();
        }
        return next;
    }
    void DiscardInput() override { ++discards; }
    // The next queued count, or the whole frame when none is queued.
    std::uint16_t WritePort(const Bytes& data) override {
        writes.push_back(data);
        auto count = static_cast<std::uint16_t>(data.size());
        if (!write_counts.empty()) {
            count = write_counts.front();
            write_counts.pop_front();
        }
        return count;
    }
    OpenFailure last_open_failure() const override { return open_failure; }
    std::string last_write_failure() const override { return write_failure; }

    // Script.
    bool open_succeeds = true;
    OpenFailure open_failure;
    std::string write_failure;
    std::deque<Bytes> reads;
    std::deque<std::uint16_t> write_counts;

    // Record.
    struct OpenCall {
        std::string device_path;
        std::string settings;
    };
    std::vector<OpenCall> opens;
    std::vector<Bytes> writes;
    int closes = 0;
    int flushes = 0;
    int discards = 0;
};

}  // namespace qm720::test
