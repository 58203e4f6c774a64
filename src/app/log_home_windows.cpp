#include <cstdlib>
#include <filesystem>

#include "app/log_home.h"

namespace qm720 {

// The program usually sits under Program Files, which is no user's to write, and a log there
// would be anyone's to read: the log always goes to the user's own application-data folder.
std::string log_home(const std::string& program_folder) {
    const wchar_t* local_data = _wgetenv(L"LOCALAPPDATA");
    if (local_data == nullptr || *local_data == L'\0') {
        return program_folder;  // nowhere better: start-up reports why it cannot write
    }
    const std::u8string folder = (std::filesystem::path(local_data) / "qm720").u8string();
    return std::string(folder.begin(), folder.end());
}

}  // namespace qm720
