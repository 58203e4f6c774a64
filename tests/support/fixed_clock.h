#pragma once

#include "app/clock.h"

namespace qm720::test {

// A clock that reads what the test set.
struct FixedClock : Clock {
    explicit FixedClock(LocalDateTime at = {}) : at(at) {}
    LocalDateTime now() const override { return at; }
    LocalDateTime at;
};

}  // namespace qm720::test
