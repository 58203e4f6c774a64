#include "support/scripted_dialogs.h"

#include <algorithm>

namespace qm720::test {

void ScriptedDialogs::message_box(const std::string& text, const std::string& title, BoxIcon icon) {
    ShownBox box;
    box.text = text;
    box.title = title;
    box.icon = icon;
    shown.push_back(box);
}

bool ScriptedDialogs::yes_no_box(const std::string& text) {
    ShownBox box;
    box.kind = BoxKind::YesNo;
    box.text = text;
    bool answer = false;
    if (yes_no_answers.empty()) {
        box.ran_dry = true;
    } else {
        answer = yes_no_answers.front();
        yes_no_answers.pop_front();
    }
    shown.push_back(box);
    return answer;
}

std::string ScriptedDialogs::input_box(const std::string& prompt, const std::string& title,
                                       const std::string& default_text) {
    ShownBox box;
    box.kind = BoxKind::Input;
    box.text = prompt;
    box.title = title;
    box.default_text = default_text;
    std::string answer;
    if (input_answers.empty()) {
        box.ran_dry = true;
    } else {
        answer = input_answers.front();
        input_answers.pop_front();
    }
    shown.push_back(box);
    return answer;
}

bool ScriptedDialogs::any_ran_dry() const {
    return std::any_of(shown.begin(), shown.end(), [](const ShownBox& box) { return box.ran_dry; });
}

}  // namespace qm720::test
