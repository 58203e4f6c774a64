#include "support/form_harness.h"

#include <fstream>
#include <iterator>

namespace qm720::test {

std::string file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::string FormHarness::log_bytes() const {
    return file_bytes(form.log.log_path());
}

}  // namespace qm720::test
