// Whole exchange ticks with the port answering whatever the input holds: no answer, however
// damaged, short, long or out of place, may crash or hang the tick or trip a sanitizer.
// Input: one byte that picks the first request on the line (a poll, the scan, or a command whose
// confirmation the next read may hold), then the reads of the ticks,
// each a length byte and that many bytes (0: the sensor stays silent that tick); at most 16
// reads (a scan, the identity request it queues and a few polls), then one tick more, so that
// whatever the last answer queued is written.
#include <algorithm>
#include <iterator>

#include "exchange/exchange_cycle.h"
#include "fuzz.h"
#include "protocol/requests.h"

QM720_FUZZ(input) {
    if (size == 0) {
        return;
    }
    qm720::fuzz::FuzzForm h;
    h.form.open_port();
    const qm720::Bytes first_requests[] = {
        {},
        qm720::network_scan_request(),
        qm720::set_mode_request(0, 0x01),
        qm720::calibrate_request(0, qm720::Level::Full),
        qm720::four_byte_request(0, qm720::CommandCode::EnterPassword, 1234)
            .value_or(qm720::Bytes{}),
    };
    h.form.session.queue(first_requests[data[0] % std::size(first_requests)]);
    for (std::size_t at = 1; at < size && h.port.reads.size() < 16;) {
        const std::size_t length = std::min<std::size_t>(data[at], size - at - 1);
        h.port.reads.emplace_back(data + at + 1, data + at + 1 + length);
        at += 1 + length;
    }
    for (std::size_t tick = h.port.reads.size() + 1; tick > 0; --tick) {
        qm720::exchange_tick(h.form);
    }
}
