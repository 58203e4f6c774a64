#include "sim/request_assembler.h"

#include <algorithm>

#include "protocol/requests.h"
#include "sim/scan_request.h"

namespace qm720::sim {

std::vector<Bytes> RequestAssembler::feed(const Bytes& received) {
    pending_.insert(pending_.end(), received.begin(), received.end());
    return pending_requests();
}

std::vector<Bytes> RequestAssembler::pending_requests() {
    std::vector<Bytes> requests;
    for (skip_to_prefix(); pending_.size() > kCodeOffset; skip_to_prefix()) {
        std::size_t length = kScanRequestLength;
        if (!starts_scan(pending_)) {
            const auto coded_length = request_length(pending_[kCodeOffset]);
            if (!coded_length) {
                // No request starts here; look for the next prefix.
                pending_.erase(pending_.begin());
                continue;
            }
            length = *coded_length;
        }
        if (pending_.size() < length) {
            break;
        }
        const auto end = pending_.begin() + static_cast<std::ptrdiff_t>(length);
        requests.emplace_back(pending_.begin(), end);
        pending_.erase(pending_.begin(), end);
    }
    return requests;
}

void RequestAssembler::skip_to_prefix() {
    pending_.erase(pending_.begin(), std::find(pending_.begin(), pending_.end(), kRequestPrefix));
}

}  // namespace qm720::sim
