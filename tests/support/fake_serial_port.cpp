#include "support/fake_serial_port.h"

namespace qm720::test {

bool FakeSerialPort::OpenPort(const std::string& device_path, const std::string& settings) {
    opens.push_back({device_path, settings});
    return open_succeeds;
}

bool FakeSerialPort::ClosePort() {
    ++closes;
    return true;
}

void FakeSerialPort::FlushPort() {
    ++flushes;
}

Bytes FakeSerialPort::ReadPort() {
    if (reads.empty()) {
        return {};
    }
    Bytes next = std::move(reads.front());
    reads.pop_front();
    return next;
}

std::uint16_t FakeSerialPort::WritePort(const Bytes& data) {
    writes.push_back(data);
    if (write_counts.empty()) {
        return static_cast<std::uint16_t>(data.size());
    }
    const std::uint16_t count = write_counts.front();
    write_counts.pop_front();
    return count;
}

}  // namespace qm720::test
