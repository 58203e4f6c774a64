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

bool is_writable_build_tree(const std::string& program_folder) {
    const std::string mark = program_folder + '/' + std::string(kBuildTreeMark);
    return ::access(mark.c_str(), F_OK) == 0 && ::access(program_folder.c_str(), W_OK) == 0;
}

}  // namespace

std::string log_home(const std::string& program_folder) {
    if (is_writable_build_tree(program_folder)) {
        return program_folder;
    }
    std::filesystem::path state = absolute_path_from("XDG_STATE_HOME");
    if (state.empty()) {
        const std::filesystem::path home = home_folder();
        if (home.empty()) {
            return {};  // start-up reports that the log has nowhere to go
        }
        state = home / ".local" / "state";
    }
    return (state / "qm720").string();
}

}  // namespace qm720
