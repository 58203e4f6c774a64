#pragma once

#include "app/dialogs.h"
#include "support/fake_serial_port.h"  // take, and with it deque, string and vector

namespace qm720::test {

// One box as the handler asked for it; only a message box has an icon, only an input box a default.
struct ShownBox {
    std::string text, title;  // text: the message or the prompt
    BoxIcon icon = BoxIcon::None;
    std::string default_text;
};

// Dialogs that record every box in order and answer from queues; with none queued, No or Cancel.
struct ScriptedDialogs : Dialogs {
    void message_box(const std::string& text, const std::string& title, BoxIcon icon) override {
        shown.push_back({text, title, icon, ""});
    }
    bool yes_no_box(const std::string& text) override {
        shown.push_back({text, "", BoxIcon::None, ""});
        return take(yes_no_answers, false);
    }
    std::string input_box(const std::string& prompt, const std::string& title,
                          const std::string& default_text) override {
        shown.push_back({prompt, title, BoxIcon::None, default_text});
        return take(input_answers, std::string());
    }

    std::deque<bool> yes_no_answers;
    std::deque<std::string> input_answers;
    std::vector<ShownBox> shown;
};

}  // namespace qm720::test
