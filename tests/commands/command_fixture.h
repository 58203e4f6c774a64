#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/combo_box.h"
#include "support/form_harness.h"
#include "support/log_records.h"

namespace qm720::test {

// A started window with one address in the list, as after a scan that found that sensor and
// its first answers.
class CommandTest : public ::testing::Test {
  protected:
    void SetUp() override {
        h.form.start_up();
        select("1");
        h.form.mode_byte_known = h.form.identity_known = true;
    }
    void select(const std::string& address) { set_single_entry(h.form.control("CmbNet"), address); }
    void select_nothing() {
        h.form.control("CmbNet").caption = "";
        h.form.control("CmbNet").list_index = -1;
    }
    std::vector<std::string> boxes() const {
        std::vector<std::string> texts;
        for (const auto& box : h.dialogs.shown) {
            texts.push_back(box.text);
        }
        return texts;
    }
    std::vector<std::string> log() const { return logged_texts(h); }
    const std::string& view() { return h.form.control("txtRec").caption; }

    FormHarness h;
};

}  // namespace qm720::test
