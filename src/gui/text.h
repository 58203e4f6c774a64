#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace qm720::gui {

// The form keeps its texts in UTF-8; Qt wants them as QString.
inline QString qt_text(std::string_view utf8) {
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

inline std::string utf8_text(const QString& text) {
    return text.toStdString();
}

}  // namespace qm720::gui
