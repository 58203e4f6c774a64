#include "gui/qt_dialogs.h"

#include <QCoreApplication>
#include <QInputDialog>
#include <QMessageBox>

#include "gui/text.h"

namespace qm720::gui {

namespace {

// A box without a title of its own carries the application's name.
QString box_title(const std::string& title) {
    return title.empty() ? QCoreApplication::applicationName() : qt_text(title);
}

QMessageBox::Icon qt_icon(BoxIcon icon) {
    switch (icon) {
        case BoxIcon::None:
            return QMessageBox::NoIcon;
        case BoxIcon::Exclamation:
            return QMessageBox::Warning;
        case BoxIcon::Critical:
            return QMessageBox::Critical;
    }
    return QMessageBox::NoIcon;
}

}  // namespace

void QtDialogs::show_over(QWidget* owner, std::function<void()> before_showing) {
    owner_ = owner;
    before_showing_ = std::move(before_showing);
}

void QtDialogs::prepare_for_box() const {
    if (before_showing_) {
        before_showing_();
    }
}

void QtDialogs::message_box(const std::string& text, const std::string& title, BoxIcon icon) {
    prepare_for_box();
    QMessageBox box(qt_icon(icon), box_title(title), qt_text(text), QMessageBox::Ok, owner_);
    box.exec();
}

bool QtDialogs::yes_no_box(const std::string& text) {
    prepare_for_box();
    QMessageBox box(QMessageBox::NoIcon, box_title({}), qt_text(text),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    box.setDefaultButton(QMessageBox::Yes);
    return box.exec() == QMessageBox::Yes;
}

std::string QtDialogs::input_box(const std::string& prompt, const std::string& title,
                                 const std::string& default_text) {
    prepare_for_box();
    bool accepted = false;
    const QString text = QInputDialog::getText(owner_, box_title(title), qt_text(prompt),
                                               QLineEdit::Normal, qt_text(default_text), &accepted);
    return accepted ? utf8_text(text) : std::string{};
}

}  // namespace qm720::gui
