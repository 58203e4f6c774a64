#include "sim/scan_request.h"

#include <algorithm>

#include "protocol/requests.h"

namespace qm720::sim {

std::optional<std::size_t> request_length(std::uint8_t code) {
    switch (static_cast<CommandCode>(code)) {
        case CommandCode::Poll:
        case CommandCode::Identity:
        case CommandCode::CalibrateFull:
        case CommandCode::CalibrateEmpty:
            return 4;
        case CommandCode::SetMode:
        case CommandCode::SetAddress:
            return 5;
        case CommandCode::ShiftFull:
        case CommandCode::ShiftEmpty:
            return 6;
        case CommandCode::WriteSerialNumber:
        case CommandCode::ChangePassword:
        case CommandCode::EnterPassword:
            return 8;
    }
    return std::nullopt;
}

bool starts_scan(const Bytes& received) {
    const Bytes scan = network_scan_request();
    return received.size() >= scan.size() && std::equal(scan.begin(), scan.end(), received.begin());
}

bool is_scan_request(const Bytes& request) {
    return request == network_scan_request();
}

}  // namespace qm720::sim
