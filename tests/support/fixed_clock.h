#pragma once

#include "app/clock.h"

namespace qm720::test {

// A clock that reads what the test set.
class FixedClock : public Clock {
  public:
    explicit FixedClock(LocalDateTime at = {}) : at(at) {}
    LocalDateTime now() const override { return at; }

    LocalDateTime at;
};

}  // namespace qm720::test
