#pragma once

#include <string>
#include <vector>

#include "app/cp1251.h"
#include "support/form_harness.h"

namespace qm720::test {

// The texts of the log's line records in order, as UTF-8 and without their time stamps, so
// tests compare them with the texts the handlers were given.
inline std::vector<std::string> logged_texts_of(const std::string& log_path) {
    const std::string bytes = file_bytes(log_path);
    std::vector<std::string> texts;
    std::size_t at = 0;
    while (at < bytes.size() && bytes[at] == '"') {
        const std::size_t end = bytes.find("\"\r\n", at + 1);
        if (end == std::string::npos) {
            break;
        }
        const std::string record = bytes.substr(at + 1, end - at - 1);
        at = end + 3;
        const std::size_t stamp_end = record.find(" : ");
        if (record.rfind("Start: ", 0) == 0 || stamp_end == std::string::npos) {
            continue;
        }
        std::string text;
        for (std::size_t k = stamp_end + 3; k < record.size(); ++k) {
            text += cp1251_char_to_utf8(static_cast<std::uint8_t>(record[k])).value_or("?");
        }
        texts.push_back(text);
    }
    return texts;
}

inline std::vector<std::string> logged_texts(const FormHarness& harness) {
    return logged_texts_of(harness.form.log.log_path());
}

}  // namespace qm720::test
