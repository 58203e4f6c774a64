#pragma once

#include <QCoreApplication>

namespace qm720::gui {

// Qt's own Russian texts, so that the standard buttons of the boxes read "Да", "Нет", "Отмена".
// Returns false when the translation file is not installed (the buttons then stay English).
bool install_russian_translations(QCoreApplication& application);

}  // namespace qm720::gui
