#include "sim/port_link.h"

#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <stdexcept>
#include <system_error>

namespace qm720::sim {

namespace {

std::system_error failure(const std::string& what, const std::string& path) {
    return std::system_error(errno, std::generic_category(), what + " " + path);
}

bool still_points_at(const std::string& path, const std::string& target) {
    std::array<char, 4096> seen{};
    const ssize_t length = readlink(path.c_str(), seen.data(), seen.size());
    return length >= 0 && std::string(seen.data(), static_cast<std::size_t>(length)) == target;
}

}  // namespace

PortLink::PortLink(std::string path, std::string target)
    : path_(std::move(path)), target_(std::move(target)) {
    struct stat existing {};
    if (lstat(path_.c_str(), &existing) == 0) {
        if (!S_ISLNK(existing.st_mode)) {
            throw std::runtime_error(path_ + " exists and is not a symbolic link; left alone");
        }
        if (unlink(path_.c_str()) != 0) {
            throw failure("cannot replace", path_);
        }
    }
    if (symlink(target_.c_str(), path_.c_str()) != 0) {
        throw failure("cannot link", path_);
    }
    placed_ = true;
}

PortLink::~PortLink() {
    remove();
}

void PortLink::remove() {
    if (placed_ && still_points_at(path_, target_)) {
        unlink(path_.c_str());
    }
    placed_ = false;
}

}  // namespace qm720::sim
