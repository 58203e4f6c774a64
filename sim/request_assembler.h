#pragma once

#include <vector>

#include "core/bytes.h"

namespace qm720::sim {

// Cuts the byte stream from the line into requests. The code byte tells how long a request is;
// bytes before a request prefix are line noise and are dropped, and so is a request left
// unfinished when the line goes quiet.
class RequestAssembler {
  public:
    // Adds bytes just read; returns the requests they complete, in order of arrival.
    std::vector<Bytes> feed(const Bytes& received);

    bool has_unfinished() const { return !pending_.empty(); }
    void drop_unfinished() { pending_.clear(); }

  private:
    std::vector<Bytes> pending_requests();
    void skip_to_prefix();

    Bytes pending_;
};

}  // namespace qm720::sim
