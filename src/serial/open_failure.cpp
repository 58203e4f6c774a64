#include "serial/open_failure.h"

#include <grp.h>
#include <sys/stat.h>

#include <cerrno>
#include <system_error>
#include <vector>

namespace qm720 {
namespace {

std::string error_text(int error) {
    return std::generic_category().message(error);
}

std::string group_name(gid_t id) {
    std::vector<char> buffer(4096);
    group entry{};
    group* found = nullptr;
    if (getgrgid_r(id, &entry, buffer.data(), buffer.size(), &found) != 0 || found == nullptr) {
        return std::to_string(id);
    }
    return found->gr_name;
}

std::string permission_description(const std::string& device) {
    const std::string denied = error_text(EACCES);
    struct stat status {};
    if (stat(device.c_str(), &status) != 0) {
        return denied;
    }
    return denied + " (join the group " + group_name(status.st_gid) + ")";
}

}  // namespace

OpenFailure open_failure_for(int error, const std::string& device) {
    switch (error) {
        case ENOENT:
        case ENODEV:
        case ENXIO:
            return {OpenFailureReason::Missing, device, error_text(error)};
        case EBUSY:
            return {OpenFailureReason::Busy, device,
                    error_text(error) + " (another program has the port open)"};
        case EACCES:
        case EPERM:
            return {OpenFailureReason::NoPermission, device, permission_description(device)};
        default:
            return {OpenFailureReason::Other, device, error_text(error)};
    }
}

}  // namespace qm720
