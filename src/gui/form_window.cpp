#include "gui/form_window.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QtGlobal>
#include <algorithm>
#include <exception>
#include <functional>
#include <utility>

#include "gui/control_widget_factory.h"
#include "gui/reading_order.h"
#include "gui/text.h"
#include "gui/twips.h"

namespace qm720::gui {

namespace {

// The form's procedures must not throw; should one do so all the same, the window reports it on
// the error stream and carries on instead of letting the exception unwind through Qt.
void run_contained(const std::string& what, const std::function<void()>& body) {
    try {
        body();
    } catch (const std::exception& error) {
        qCritical("qm720: %s stopped: %s", what.c_str(), error.what());
    } catch (...) {
        qCritical("qm720: %s stopped by an unknown exception", what.c_str());
    }
}

int entry_index(const std::vector<std::string>& entries, const std::string& text) {
    const auto entry = std::find(entries.begin(), entries.end(), text);
    return entry == entries.end() ? -1 : static_cast<int>(entry - entries.begin());
}

}  // namespace

FormWindow::FormWindow(frmSerial& form, FormEventTable events, EntryToolTip entry_tool_tip)
    : form_(form), events_(std::move(events)), entry_tool_tip_(std::move(entry_tool_tip)) {
    setWindowTitle(qt_text(frmSerial::kCaption));
    setFixedSize(twips_to_pixels(frmSerial::kClientWidth),
                 twips_to_pixels(frmSerial::kClientHeight));
    option_buttons_ = new QButtonGroup(this);
    option_buttons_->setExclusive(true);
    build();
    set_tab_order();
    sync();
}

void FormWindow::load() {
    run_contained("start_up", [this] { form_.start_up(); });
    sync();
}

QWidget* FormWindow::widget(std::string_view name) const {
    const auto& controls = form_.controls();
    for (std::size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].name == name) {
            return widgets_[i];
        }
    }
    return nullptr;
}

void FormWindow::build() {
    const std::size_t count = form_.controls().size();
    widgets_.assign(count, nullptr);
    timers_.assign(count, nullptr);
    for (std::size_t i = 0; i < count; ++i) {
        if (record(i).kind == ControlKind::Timer) {
            connect_timer(i);
        } else {
            widget_for(i);
            connect_operator_input(i);
        }
    }
    // A control placed on the window over a frame stays in front of that frame.
    for (std::size_t i = 0; i < count; ++i) {
        if (widgets_[i] != nullptr && record(i).kind != ControlKind::Frame) {
            widgets_[i]->raise();
        }
    }
}

QWidget* FormWindow::widget_for(std::size_t index) {
    if (widgets_[index] == nullptr) {
        const Control& control = record(index);
        QWidget* parent = control.parent.empty() ? this : widget_for(index_of(control.parent));
        widgets_[index] = create_control_widget(control, parent);
    }
    return widgets_[index];
}

std::size_t FormWindow::index_of(std::string_view name) const {
    return static_cast<std::size_t>(&form_.control(name) - form_.controls().data());
}

void FormWindow::connect_operator_input(std::size_t index) {
    QWidget* widget = widgets_[index];
    const std::string name = record(index).name;
    switch (record(index).kind) {
        case ControlKind::CommandButton:
            connect(static_cast<QAbstractButton*>(widget), &QAbstractButton::clicked, this,
                    [this, name] { run_event(name + "_Click"); });
            return;
        case ControlKind::OptionButton:
            option_buttons_->addButton(static_cast<QAbstractButton*>(widget));
            [[fallthrough]];
        case ControlKind::CheckBox: {
            auto* button = static_cast<QAbstractButton*>(widget);
            connect(button, &QAbstractButton::toggled, this,
                    [this, index](bool checked) { record(index).checked = checked; });
            connect(button, &QAbstractButton::clicked, this,
                    [this, name] { run_event(name + "_Click"); });
            return;
        }
        case ControlKind::TextBox:
            if (auto* line = qobject_cast<QLineEdit*>(widget)) {
                connect(line, &QLineEdit::textEdited, this,
                        [this, index, name](const QString& text) {
                            record(index).caption = utf8_text(text);
                            run_event(name + "_Change");
                        });
            } else {
                auto* text_box = static_cast<QPlainTextEdit*>(widget);
                connect(text_box, &QPlainTextEdit::textChanged, this,
                        [this, index, name, text_box] {
                            record(index).caption = utf8_text(text_box->toPlainText());
                            run_event(name + "_Change");
                        });
            }
            return;
        case ControlKind::ComboBox:
            connect_combo_box(index);
            return;
        case ControlKind::Frame:
        case ControlKind::Label:
        case ControlKind::Shape:
        case ControlKind::ProgressBar:
        case ControlKind::Timer:
            return;
    }
}

void FormWindow::connect_combo_box(std::size_t index) {
    auto* combo = static_cast<QComboBox*>(widgets_[index]);
    const std::string name = record(index).name;
    // Picking an entry selects it; typing selects the entry that reads the same, if any.
    connect(combo, &QComboBox::activated, this, [this, index, name](int entry) {
        Control& control = record(index);
        if (entry >= 0 && entry < static_cast<int>(control.list.size())) {
            control.list_index = entry;
            control.caption = control.list[static_cast<std::size_t>(entry)];
        }
        run_event(name + "_Click");
    });
    connect(combo->lineEdit(), &QLineEdit::textEdited, this,
            [this, index, name](const QString& text) {
                Control& control = record(index);
                control.caption = utf8_text(text);
                control.list_index = entry_index(control.list, control.caption);
                run_event(name + "_Change");
            });
}

void FormWindow::connect_timer(std::size_t index) {
    auto* timer = new QTimer(this);
    timer->setObjectName(qt_text(record(index).name));
    connect(timer, &QTimer::timeout, this, [this, index] { on_timer(index); });
    timers_[index] = timer;
}

void FormWindow::set_tab_order() {
    QWidget* previous = nullptr;
    for (const std::size_t index : reading_order(form_.controls())) {
        QWidget* next = widgets_[index];
        if (next == nullptr || (next->focusPolicy() & Qt::TabFocus) == 0) {
            continue;
        }
        if (previous != nullptr) {
            setTabOrder(previous, next);
        }
        previous = next;
    }
}

void FormWindow::run_event(const std::string& event_name) {
    const auto handler = events_.find(event_name);
    if (handler != events_.end()) {
        const bool outer = !std::exchange(event_running_, true);
        run_contained(event_name, [this, &handler] { handler->second(form_); });
        if (outer) {
            event_running_ = false;
        }
    }
    sync();
}

void FormWindow::on_timer(std::size_t index) {
    // No tick runs inside another event procedure: a box that a tick or a button shows holds the
    // cycle until it closes, so a command is confirmed against what the operator sees, and the
    // expiries that fall meanwhile are dropped.
    if (event_running_) {
        return;
    }
    run_event(record(index).name + "_Timer");
}

void FormWindow::sync() {
    // Option buttons may all be unticked by the form, which an exclusive group refuses.
    option_buttons_->setExclusive(false);
    for (std::size_t i = 0; i < widgets_.size(); ++i) {
        if (widgets_[i] != nullptr) {
            const QSignalBlocker blocker(widgets_[i]);
            show_control(record(i), *widgets_[i], entry_tool_tip_);
        } else if (timers_[i] != nullptr) {
            show_timer(record(i), *timers_[i]);
        }
    }
    option_buttons_->setExclusive(true);
}

void FormWindow::show_timer(const Control& control, QTimer& timer) {
    const bool running = control.enabled && control.interval_ms > 0;
    if (!running) {
        timer.stop();
    } else if (!timer.isActive() || timer.interval() != control.interval_ms) {
        timer.start(control.interval_ms);
    }
}

}  // namespace qm720::gui
