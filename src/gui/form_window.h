#pragma once

#include <QButtonGroup>
#include <QTimer>
#include <QWidget>
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "app/form_events.h"
#include "app/frm_serial.h"
#include "gui/control_sync.h"

namespace qm720::gui {

// The window: one widget per control record of the form, the form's timers as Qt timers, and the
// operator's clicks, edits and selections handed to the form's event procedures. After every event
// and tick the records are copied back onto the widgets.
class FormWindow : public QWidget {
  public:
    FormWindow(frmSerial& form, FormEventTable events, EntryToolTip entry_tool_tip = {});

    // The form starts up, then the window shows its result.
    void load();

    // Copies every record onto its widget and runs each timer as its record says.
    void sync();

    // The widget of the control of that name; null for a timer or an unknown name.
    QWidget* widget(std::string_view name) const;

  private:
    void build();
    // The widget of the record, created on first use together with the frames it sits in.
    QWidget* widget_for(std::size_t index);
    std::size_t index_of(std::string_view name) const;
    void connect_operator_input(std::size_t index);
    void connect_combo_box(std::size_t index);
    void connect_timer(std::size_t index);
    void set_tab_order();

    Control& record(std::size_t index) { return form_.controls()[index]; }
    // Runs the event procedure of that name when the table holds one, then syncs. Nothing a
    // procedure throws gets past this point.
    void run_event(const std::string& event_name);
    void on_timer(std::size_t index);
    void show_timer(const Control& control, QTimer& timer);

    frmSerial& form_;
    FormEventTable events_;
    EntryToolTip entry_tool_tip_;
    std::vector<QWidget*> widgets_;  // by record index; null for timers
    std::vector<QTimer*> timers_;    // by record index; null for everything else
    QButtonGroup* option_buttons_ = nullptr;
    bool event_running_ = false;
};

}  // namespace qm720::gui
