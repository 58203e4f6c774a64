#include "app/log_home.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>

namespace qm720 {
namespace {

// The value of an environment variable that names an absolute path; empty otherwise, since a
// relative one would follow whatever folder the program was started from.
std::filesystem::path absolute_path_from(const char* variable) {
    const char* value = std::getenv(variable);
    if (value == nullptr || value[0] != '/') {
        return {};
    }
    return value;
}

std::filesystem::path home_folder() {
    if (auto home = absolute_path_from("HOME"); !home.empty()) {
        return home;
    }
    const passwd* user = ::getpwuid(::getuid());
    return user != nullptr && user->pw_dir != nullptr ? user->pw_dir : "";
}

}  // namespace

std::string log_home(const std::string& program_folder) {
    if (::access(program_folder.c_str(), W_OK) == 0) {
        return program_folder;
    }
    std::filesystem::path state = absolute_path_from("XDG_STATE_HOME");
    if (state.empty()) {
        const std::filesystem::path home = home_folder();
        if (home.empty()) {
            return program_folder;  // nowhere better: start-up reports why it cannot write
        }
        state = home / ".local" / "state";
    }
    return (state / "qm720").string();
}

}  // namespace qm720
