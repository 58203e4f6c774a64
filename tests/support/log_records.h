#pragma once

#include <regex>

#include "app/cp1251.h"
#include "support/form_harness.h"

namespace qm720::test {

// The texts of the log's line records in order, as UTF-8 and without their time stamps.
inline std::vector<std::string> logged_texts_of(const std::string& log_path) {
    const std::string bytes = file_bytes(log_path);
    static const std::regex record("\"\\d+:\\d\\d:\\d\\d : ([^\\r\\n]*)\"\\r\\n");
    std::vector<std::string> texts;
    for (std::sregex_iterator it(bytes.begin(), bytes.end(), record), end; it != end; ++it) {
        std::string& text = texts.emplace_back();
        for (const char c : (*it)[1].str()) {
            text += cp1251_char_to_utf8(static_cast<std::uint8_t>(c)).value_or("?");
        }
    }
    return texts;
}

inline std::vector<std::string> logged_texts(const FormHarness& harness) {
    return logged_texts_of(harness.form.log.log_path());
}

}  // namespace qm720::test
