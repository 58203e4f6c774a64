#include "support/temp_folder.h"

#include <stdlib.h>

#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace qm720::test {

TempFolder::TempFolder() {
    std::string name = "/tmp/qm720-test-XXXXXX";
    if (::mkdtemp(name.data()) == nullptr) {
        throw std::runtime_error(std::string("mkdtemp: ") + std::strerror(errno));
    }
    path_ = name;
}

TempFolder::~TempFolder() {
    std::error_code ignored;
    // A test may have left a folder without write or search permission; give them back first.
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    for (auto it = std::filesystem::recursive_directory_iterator(
             path_, std::filesystem::directory_options::skip_permission_denied, ignored);
         it != std::filesystem::recursive_directory_iterator(); it.increment(ignored)) {
        if (it->is_directory(ignored) && !it->is_symlink(ignored)) {
            std::filesystem::permissions(it->path(), std::filesystem::perms::owner_all,
                                         std::filesystem::perm_options::add, ignored);
        }
    }
    std::filesystem::remove_all(path_, ignored);
}

}  // namespace qm720::test
