#pragma once

#include <deque>
#include <string>
#include <vector>

#include "app/dialogs.h"
#include "support/fake_serial_port.h"

namespace qm720::test {

enum class BoxKind { Message, YesNo, Input };

// One box as the handler asked for it.
struct ShownBox {
    BoxKind kind = BoxKind::Message;
    std::string text;  // message or prompt
    std::string title;
    BoxIcon icon = BoxIcon::None;
    std::string default_text;  // input boxes
};

// Dialogs that record every box in order and answer from queues; with none queued, No or Cancel.
class ScriptedDialogs : public Dialogs {
  public:
    void message_box(const std::string& text, const std::string& title, BoxIcon icon) override {
        shown.push_back({BoxKind::Message, text, title, icon, ""});
    }
    bool yes_no_box(const std::string& text) override {
        shown.push_back({BoxKind::YesNo, text, "", BoxIcon::None, ""});
        return take(yes_no_answers, false);
    }
    std::string input_box(const std::string& prompt, const std::string& title,
                          const std::string& default_text) override {
        shown.push_back({BoxKind::Input, prompt, title, BoxIcon::None, default_text});
        return take(input_answers, std::string());
    }

    std::deque<bool> yes_no_answers;
    std::deque<std::string> input_answers;
    std::vector<ShownBox> shown;
};

}  // namespace qm720::test
