#pragma once

#include <QPushButton>

namespace qm720::gui {

// A command button whose caption wraps onto further lines when it is wider than the button, as
// the window's two-line captions ("Изменить пароль", "Ввести пароль") need. The access key of an
// "&" in the caption works as on any push button.
class CaptionButton : public QPushButton {
  public:
    explicit CaptionButton(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace qm720::gui
