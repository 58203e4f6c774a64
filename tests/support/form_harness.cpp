#include "support/form_harness.h"

#include <fstream>
#include <iterator>

#include "app/cp1251.h"

namespace qm720::test {

std::string file_bytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<std::string> group_not(const frmSerial& form, const std::string& group, bool enabled) {
    std::vector<std::string> names;
    for (const Control& control : form.controls()) {
        if (control.tag == group && control.enabled != enabled) {
            names.push_back(control.name);
        }
    }
    return names;
}

std::string log_record(const std::string& text) {
    return utf8_to_cp1251("\"" + text + "\"\r\n");
}

std::string FormHarness::log_bytes() const {
    return file_bytes(form.log.log_path());
}

}  // namespace qm720::test
