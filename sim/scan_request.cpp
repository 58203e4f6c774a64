#include "sim/scan_request.h"

#include <algorithm>

#include "protocol/requests.h"

namespace qm720::sim {

bool starts_scan(const Bytes& received) {
    const Bytes scan = network_scan_request();
    return received.size() >= scan.size() && std::equal(scan.begin(), scan.end(), received.begin());
}

bool is_scan_request(const Bytes& request) {
    return request == network_scan_request();
}

}  // namespace qm720::sim
