#pragma once

#include <deque>
#include <string>
#include <vector>

#include "app/dialogs.h"

namespace qm720::test {

enum class BoxKind { Message, YesNo, Input };

// One box as the handler asked for it, with the answer it got.
struct ShownBox {
    BoxKind kind = BoxKind::Message;
    std::string text;  // message or prompt
    std::string title;
    BoxIcon icon = BoxIcon::None;
    std::string default_text;  // input boxes
    // The answer queue was empty, so the box was answered No or Cancel: usually a test that
    // scripted too few answers.
    bool ran_dry = false;
};

// Dialogs that answer from queues and record every box, in order.
class ScriptedDialogs : public Dialogs {
  public:
    void message_box(const std::string& text, const std::string& title, BoxIcon icon) override;
    bool yes_no_box(const std::string& text) override;
    std::string input_box(const std::string& prompt, const std::string& title,
                          const std::string& default_text) override;

    std::deque<bool> yes_no_answers;
    std::deque<std::string> input_answers;
    std::vector<ShownBox> shown;

    bool any_ran_dry() const;
};

}  // namespace qm720::test
