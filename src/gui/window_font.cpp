#include "gui/window_font.h"

#include <QFontDatabase>
#include <QStringList>
#include <cmath>

namespace qm720::gui {

namespace {

constexpr double kLayoutDotsPerInch = 96.0;
constexpr double kPointsPerInch = 72.0;

}  // namespace

QString window_font_family() {
    static const QString family = [] {
        // Liberation Sans Narrow comes closest to the old font's widths; the wider fallbacks
        // still show every letter but let a few captions touch their edges.
        const QStringList candidates{"Liberation Sans Narrow", "Liberation Sans",
                                     "DejaVu Sans Condensed", "DejaVu Sans"};
        for (const QString& candidate : candidates) {
            if (QFontDatabase::hasFamily(candidate)) {
                return candidate;
            }
        }
        return QString{};
    }();
    return family;
}

QFont window_font(const Font& font) {
    QFont qt_font;
    const QString family = window_font_family();
    if (!family.isEmpty()) {
        qt_font.setFamily(family);
    }
    qt_font.setStyleHint(QFont::SansSerif);
    qt_font.setPixelSize(
        static_cast<int>(std::lround(font.points * kLayoutDotsPerInch / kPointsPerInch)));
    qt_font.setBold(font.bold);
    return qt_font;
}

}  // namespace qm720::gui
