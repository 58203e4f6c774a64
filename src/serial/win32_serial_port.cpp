#include "serial/win32_serial_port.h"

#include <algorithm>
#include <chrono>
#include <limits>
#include <system_error>
#include <thread>
#include <utility>

#include "serial/line_timeouts.h"
#include "serial/port_names.h"
#include "serial/system_serial_port.h"
#include "serial/win32_open_failure.h"

namespace qm720 {
namespace {

using namespace line_timeouts;
using MonotonicClock = std::chrono::steady_clock;

// The port itself applies the time-outs: a read ends 20 ms after the last byte, or once
// 1 ms for each of the 255 bytes asked plus 1 ms have passed; a write of n bytes gets n ms + 10.
COMMTIMEOUTS line_time_outs() {
    COMMTIMEOUTS time_outs{};
    time_outs.ReadIntervalTimeout = static_cast<DWORD>(kReadInterval.count());
    time_outs.ReadTotalTimeoutMultiplier = 1;
    time_outs.ReadTotalTimeoutConstant =
        static_cast<DWORD>(kReadTotal.count()) - static_cast<DWORD>(kMaxTransfer);
    time_outs.WriteTotalTimeoutMultiplier = static_cast<DWORD>(kWritePerByte.count());
    time_outs.WriteTotalTimeoutConstant = static_cast<DWORD>(kWriteConstant.count());
    return time_outs;
}

// Raw bytes both ways: no flow control of either kind, no character replaced or dropped, and no
// line error that stops the port until someone clears it.
void make_raw(DCB& line) {
    line.fBinary = TRUE;
    line.fOutxCtsFlow = FALSE;
    line.fOutxDsrFlow = FALSE;
    line.fDtrControl = DTR_CONTROL_ENABLE;
    line.fDsrSensitivity = FALSE;
    line.fOutX = FALSE;
    line.fInX = FALSE;
    line.fErrorChar = FALSE;
    line.fNull = FALSE;
    line.fRtsControl = RTS_CONTROL_ENABLE;
    line.fAbortOnError = FALSE;
}

std::string last_error_text() {
    return std::system_category().message(static_cast<int>(GetLastError()));
}

}  // namespace

Win32SerialPort::Win32SerialPort(MessageSink show_message) : failures_(std::move(show_message)) {}

Win32SerialPort::~Win32SerialPort() {
    close();
}

bool Win32SerialPort::open(const std::string& device_path, const std::string& settings) {
    if (handle_ != INVALID_HANDLE_VALUE) {
        close();
    }
    failures_.open_started();
    // COM10 and above exist only under the device prefix; the lower ones work with it too.
    const bool prefixed = device_path.starts_with(kDevicePathPrefix);
    const std::string path = !prefixed && com_port_number(device_path)
                                 ? std::string(kDevicePathPrefix) + device_path
                                 : device_path;
    device_ = prefixed ? device_path.substr(kDevicePathPrefix.size()) : device_path;
    // No sharing: the port is this program's until it is closed.
    handle_ = CreateFileA(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                          FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle_ == INVALID_HANDLE_VALUE) {
        failures_.open_refused(win32_open_failure(GetLastError(), device_));
        return false;
    }
    if (!set_up(device_path, settings)) {
        close();
        return false;
    }
    // Whatever the adapter collected before we owned it belongs to nobody.
    PurgeComm(handle_, PURGE_RXABORT | PURGE_RXCLEAR | PURGE_TXABORT | PURGE_TXCLEAR);
    return true;
}

bool Win32SerialPort::set_up(const std::string& device_path, const std::string& settings) {
    COMMTIMEOUTS time_outs = line_time_outs();
    if (!SetCommTimeouts(handle_, &time_outs)) {
        return refuse_set_up("Unable to set timeouts for port " + device_path);
    }
    DCB line{};
    line.DCBlength = sizeof line;
    if (!BuildCommDCBA(settings.c_str(), &line)) {
        return refuse_set_up("Unable to build Comm DCB " + settings);
    }
    make_raw(line);
    if (!SetCommState(handle_, &line)) {
        return refuse_set_up("Unable to set Comm DCB " + settings);
    }
    return true;
}

bool Win32SerialPort::refuse_set_up(const std::string& text) {
    return failures_.set_up_refused(device_, text, static_cast<long>(GetLastError()));
}

bool Win32SerialPort::close() {
    if (handle_ == INVALID_HANDLE_VALUE) {
        return false;
    }
    // Dropping the output first keeps the close from waiting for a stalled line to send it.
    PurgeComm(handle_, PURGE_TXABORT | PURGE_TXCLEAR | PURGE_RXABORT | PURGE_RXCLEAR);
    // Exclusive use (share mode 0) ends with the handle, so nothing is to be given back first.
    return CloseHandle(std::exchange(handle_, INVALID_HANDLE_VALUE)) != 0;
}

void Win32SerialPort::wait_until_sent() {
    // Never FlushFileBuffers(): it waits without limit on an adapter that has stopped sending.
    // Polling the output queue gives the queued bytes the write time-out, at most that of one
    // full piece.
    const auto queued = [this]() -> std::size_t {
        COMSTAT status{};
        DWORD errors = 0;
        return handle_ != INVALID_HANDLE_VALUE && ClearCommError(handle_, &errors, &status)
                   ? status.cbOutQue
                   : 0;
    };
    const std::size_t bytes = std::min(queued(), kMaxTransfer);
    if (bytes == 0) {
        return;
    }
    const auto deadline = MonotonicClock::now() + kWritePerByte * bytes + kWriteConstant;
    while (MonotonicClock::now() < deadline && queued() > 0) {
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
}

Bytes Win32SerialPort::read() {
    Bytes received(kMaxTransfer);
    DWORD count = 0;
    if (handle_ == INVALID_HANDLE_VALUE ||
        !ReadFile(handle_, received.data(), static_cast<DWORD>(received.size()), &count, nullptr) ||
        count == 0) {
        wait_until_sent();
        return {};
    }
    received.resize(count);
    return received;
}

void Win32SerialPort::discard_input() {
    if (handle_ != INVALID_HANDLE_VALUE) {
        PurgeComm(handle_, PURGE_RXCLEAR);
    }
}

std::uint16_t Win32SerialPort::write(const Bytes& data) {
    failures_.write_started();
    if (handle_ == INVALID_HANDLE_VALUE && !data.empty()) {
        failures_.write_to_closed_port();
    }
    std::size_t written = 0;
    for (std::size_t offset = 0; offset < data.size() && !failures_.write_failed();
         offset += kMaxTransfer) {
        written += write_piece(data.data() + offset, std::min(kMaxTransfer, data.size() - offset));
    }
    return static_cast<std::uint16_t>(
        std::min<std::size_t>(written, std::numeric_limits<std::uint16_t>::max()));
}

std::size_t Win32SerialPort::write_piece(const std::uint8_t* bytes, std::size_t count) {
    DWORD written = 0;
    if (!WriteFile(handle_, bytes, static_cast<DWORD>(count), &written, nullptr)) {
        failures_.write_refused(device_, last_error_text());
    } else if (written < count) {
        failures_.write_timed_out(device_, count);
    }
    return written;
}

std::unique_ptr<SerialPort> make_system_serial_port(SerialPort::MessageSink show_message) {
    return std::make_unique<Win32SerialPort>(std::move(show_message));
}

}  // namespace qm720
