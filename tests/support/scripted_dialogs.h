#pragma once

#include <algorithm>
#include <deque>
#include <string>
#include <vector>

#include "app/dialogs.h"

namespace qm720::test {

enum class BoxKind { Message, YesNo, Input };

// One box as the handler asked for it. `ran_dry`: no answer was queued, so it was answered No or
// Cancel; usually a test that scripted too few answers.
struct ShownBox {
    BoxKind kind = BoxKind::Message;
    std::string text;  // message or prompt
    std::string title;
    BoxIcon icon = BoxIcon::None;
    std::string default_text;  // input boxes
    bool ran_dry = false;
};

// Dialogs that answer from queues and record every box, in order.
class ScriptedDialogs : public Dialogs {
  public:
    void message_box(const std::string& text, const std::string& title, BoxIcon icon) override {
        shown.push_back({BoxKind::Message, text, title, icon, "", false});
    }
    bool yes_no_box(const std::string& text) override {
        shown.push_back({BoxKind::YesNo, text, "", BoxIcon::None, "", yes_no_answers.empty()});
        return !shown.back().ran_dry && next(yes_no_answers);
    }
    std::string input_box(const std::string& prompt, const std::string& title,
                          const std::string& default_text) override {
        shown.push_back(
            {BoxKind::Input, prompt, title, BoxIcon::None, default_text, input_answers.empty()});
        return shown.back().ran_dry ? std::string() : next(input_answers);
    }

    std::deque<bool> yes_no_answers;
    std::deque<std::string> input_answers;
    std::vector<ShownBox> shown;

  private:
    template <typename T>
    static T next(std::deque<T>& answers) {
        T answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

}  // namespace qm720::test
