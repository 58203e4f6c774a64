#include "serial/win32_open_failure.h"

#include <system_error>

namespace qm720 {

OpenFailure win32_open_failure(DWORD error, const std::string& device) {
    switch (error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
        case ERROR_INVALID_NAME:
        case ERROR_BAD_UNIT:
            return {OpenFailureReason::Missing, device, "No such port"};
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
            return {OpenFailureReason::Busy, device, "In use by another program"};
        case ERROR_PRIVILEGE_NOT_HELD:
            return {OpenFailureReason::NoPermission, device, "Permission denied"};
        default:
            return {OpenFailureReason::Other, device,
                    std::system_category().message(static_cast<int>(error)) + " (error " +
                        std::to_string(error) + ")"};
    }
}

}  // namespace qm720
