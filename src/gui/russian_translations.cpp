#include "gui/russian_translations.h"

#include <QLibraryInfo>
#include <QTranslator>

namespace qm720::gui {

bool install_russian_translations(QCoreApplication& application) {
    auto* translator = new QTranslator(&application);
    if (!translator->load(QStringLiteral("qtbase_ru"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    return QCoreApplication::installTranslator(translator);
}

}  // namespace qm720::gui
