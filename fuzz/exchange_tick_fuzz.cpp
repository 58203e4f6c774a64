// Whole exchange ticks with the port answering whatever the input holds: no answer, however
// damaged, short, long or out of place, may crash or hang the tick or trip a sanitizer.
#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "exchange/exchange_cycle.h"
#include "fuzz_form.h"
#include "protocol/requests.h"

namespace {

// A scan, the identity request it queues and a few polls; more ticks only repeat them.
constexpr std::size_t kMostReads = 16;

}  // namespace

// Input: one byte whose lowest bit puts a scan on the line first, then the reads of the ticks,
// each a length byte and that many bytes (length 0: the sensor stays silent that tick).
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size == 0) {
        return 0;
    }
    qm720::fuzz::FuzzForm h;
    h.form.open_port();
    if ((data[0] & 1) != 0) {
        h.form.link.pending_request = qm720::network_scan_request();
        h.form.link.scan_awaited = true;
    }
    for (std::size_t at = 1; at < size && h.port.reads.size() < kMostReads;) {
        const std::size_t length = std::min<std::size_t>(data[at], size - at - 1);
        h.port.reads.emplace_back(data + at + 1, data + at + 1 + length);
        at += 1 + length;
    }
    // One tick more than there are reads, so that whatever the last answer queued is written.
    const std::size_t ticks = h.port.reads.size() + 1;
    for (std::size_t tick = 0; tick < ticks; ++tick) {
        qm720::exchange_tick(h.form);
    }
    return 0;
}
