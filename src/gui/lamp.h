#pragma once

#include <QColor>
#include <QWidget>

namespace qm720::gui {

// A circle shape: a filled circle centred in its box, drawn with a thin dark outline.
class Lamp : public QWidget {
  public:
    explicit Lamp(QWidget* parent);

    void set_fill(const QColor& fill);
    QColor fill() const { return fill_; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    QColor fill_;
};

}  // namespace qm720::gui
