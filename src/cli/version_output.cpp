#include "cli/version_output.h"

namespace qm720::cli {

std::string comparable_version(std::string window_text) {
    while (!window_text.empty() && window_text.back() == '.') {
        window_text.pop_back();
    }
    return window_text;
}

}  // namespace qm720::cli
