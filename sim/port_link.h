#pragma once

#include <string>

namespace qm720::sim {

// A symbolic link at the place where the tool looks for a COM port, pointing at the simulated
// line, for as long as this object lives.
class PortLink {
  public:
    // Replaces a symbolic link left at `path` by an earlier run; refuses to replace anything
    // else. Throws std::system_error, or std::runtime_error for a path that is no link.
    PortLink(std::string path, std::string target);
    ~PortLink();
    PortLink(const PortLink&) = delete;
    PortLink& operator=(const PortLink&) = delete;

    // Removes the link unless another program has put its own there meanwhile. Idempotent.
    void remove();

  private:
    std::string path_;
    std::string target_;
    bool placed_ = false;
};

}  // namespace qm720::sim
