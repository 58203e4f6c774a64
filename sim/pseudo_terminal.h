#pragma once

#include <string>

namespace qm720::sim {

// The simulated line: a pseudo-terminal whose slave side the tool opens as its COM port and
// whose master side the sensors talk on.
class PseudoTerminal {
  public:
    // Raw 8N1 at 19200 baud from the first moment. Throws std::system_error.
    PseudoTerminal();
    ~PseudoTerminal();
    PseudoTerminal(const PseudoTerminal&) = delete;
    PseudoTerminal& operator=(const PseudoTerminal&) = delete;

    int master() const { return master_; }
    const std::string& slave_path() const { return slave_path_; }

    // Bytes sent to the tool that it has not read yet.
    int unread_by_tool() const;

    // Hangs the line up: the tool's reads and writes on the slave fail from now on, and
    // whatever it has not read is lost.
    void hang_up();

  private:
    int master_ = -1;
    // Held open so the master never sees a hang-up while the tool has the port closed; without
    // it the master would report POLLHUP on every wait between the tool's sessions.
    int slave_keeper_ = -1;
    std::string slave_path_;
};

}  // namespace qm720::sim
