#pragma once

#include <deque>

#include "serial/serial_port.h"

namespace qm720::test {

// The front of `queue`, taken off it, or `otherwise`.
template <typename T>
T take(std::deque<T>& queue, T otherwise) {
    if (!queue.empty()) {
        otherwise = std::move(queue.front());
        queue.pop_front();
    }
    return otherwise;
}

// A scripted port: no read queued is a silent line, no count queued writes the whole frame.
struct FakeSerialPort : SerialPort {
    bool open(const std::string& device_path, const std::string& settings) override {
        opens.push_back({device_path, settings});
        return open_succeeds;
    }
    bool close() override { return ++closes > 0; }
    void wait_until_sent() override { ++flushes; }
    Bytes read() override { return take(reads, Bytes{}); }
    void discard_input() override { ++discards; }
    std::uint16_t write(const Bytes& data) override {
        writes.push_back(data);
        return take(write_counts, static_cast<std::uint16_t>(data.size()));
    }
    OpenFailure last_open_failure() const override { return open_failure; }
    std::string last_write_failure() const override { return write_failure; }

    bool open_succeeds = true;
    OpenFailure open_failure;
    std::string write_failure;
    std::deque<Bytes> reads;
    std::deque<std::uint16_t> write_counts;

    struct OpenCall {
        std::string device_path, settings;
    };
    std::vector<OpenCall> opens;
    std::vector<Bytes> writes;
    int closes = 0, flushes = 0, discards = 0;
};

}  // namespace qm720::test
