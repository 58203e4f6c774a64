#pragma once

#include <QGroupBox>

namespace qm720::gui {

// A frame drawn the classic way: its border runs through the middle of the caption line and the
// caption sits on the border, so that controls placed near the top of the frame stay clear of
// both.
class FrameBox : public QGroupBox {
  public:
    explicit FrameBox(QWidget* parent);

  protected:
    void paintEvent(QPaintEvent* event) override;
};

}  // namespace qm720::gui
