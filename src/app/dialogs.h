#pragma once

#include <string>

namespace qm720 {

enum class BoxIcon { None, Exclamation, Critical };

// The modal boxes the handlers show. The front end shows real boxes; tests script the answers
// and record what was asked, in order. An empty title means the application's own title.
class Dialogs {
  public:
    virtual ~Dialogs() = default;
    virtual void message_box(const std::string& text, const std::string& title, BoxIcon icon) = 0;
    // True only when the operator answered Yes.
    virtual bool yes_no_box(const std::string& text) = 0;
    // The typed text; empty on Cancel.
    virtual std::string input_box(const std::string& prompt, const std::string& title,
                                  const std::string& default_text) = 0;

    // The plain OK box of every refusal and report: the application's title, no icon.
    void ok_box(const std::string& text) { message_box(text, "", BoxIcon::None); }
};

}  // namespace qm720
