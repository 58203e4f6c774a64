#pragma once

#include <sys/types.h>

#include <string>
#include <vector>

#include "support/temp_folder.h"

namespace qm720::test {

// qm720-sim running on a pseudo-terminal linked as COM1 in a ports folder of its own, which
// QM720_PORTS names while this object lives; the simulator is stopped when it goes.
class SimulatedBus {
  public:
    explicit SimulatedBus(const std::vector<std::string>& options);
    ~SimulatedBus();

    // False when the simulator could not be started or did not report its terminal.
    bool started() const { return started_; }

  private:
    TempFolder ports_;
    pid_t pid_ = -1;
    bool started_ = false;
};

}  // namespace qm720::test
