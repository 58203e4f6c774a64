#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>

#include "app/dialogs.h"

namespace qm720::gui {

// The handlers' boxes as modal Qt dialogs over the window. Before a box appears the window is
// brought up to date, so that the operator sees behind it what the handler has set so far.
class QtDialogs : public Dialogs {
  public:
    // `owner` is the window the boxes belong to; `before_showing` copies the form onto it.
    void show_over(QWidget* owner, std::function<void()> before_showing);

    void message_box(const std::string& text, const std::string& title, BoxIcon icon) override;
    bool yes_no_box(const std::string& text) override;
    std::string input_box(const std::string& prompt, const std::string& title,
                          const std::string& default_text) override;

  private:
    void prepare_for_box() const;

    QPointer<QWidget> owner_;
    std::function<void()> before_showing_;
};

}  // namespace qm720::gui
