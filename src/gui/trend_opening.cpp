#include "gui/trend_opening.h"

#include <QCoreApplication>
#include <QLibrary>
#include <QMessageBox>
#include <QMouseEvent>
#include <array>

#include "trend_window/trend_window_entry.h"

namespace qm720::gui {

namespace {

// The level bar and the readings of level, temperature and current value.
constexpr std::array<std::string_view, 4> kReadingsThatOpenTheTrend = {"ProgressBar1", "uroven",
                                                                       "temp", "tek"};

}  // namespace

TrendOpening::TrendOpening(FormWindow& main_window, TrendRecorder& recorder, QString module_path)
    : QObject(&main_window),
      main_window_(main_window),
      recorder_(recorder),
      module_path_(std::move(module_path)),
      shortcut_(new QShortcut(QKeySequence(QString::fromLatin1(kShortcut)), &main_window)) {
    for (const std::string_view name : kReadingsThatOpenTheTrend) {
        QWidget* reading = main_window_.widget(name);
        reading->setCursor(Qt::PointingHandCursor);
        reading->setToolTip(QStringLiteral("График показаний"));
        reading->installEventFilter(this);
    }
    connect(shortcut_, &QShortcut::activated, this, [this] { open(); });
}

QString TrendOpening::installed_module_path() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/" QM720_TREND_MODULE);
}

QWidget* TrendOpening::open() {
    if (trend_window_ == nullptr) {
        QLibrary module(module_path_);
        const auto make = reinterpret_cast<MakeTrendWindow>(module.resolve(kMakeTrendWindow));
        if (make == nullptr) {
            QMessageBox::warning(&main_window_, QStringLiteral("График показаний"),
                                 QStringLiteral("График недоступен: ") + module.errorString());
            return nullptr;
        }
        // The module stays loaded: its window lives until the main window closes.
        trend_window_ = make(recorder_, &main_window_);
    }
    trend_window_->show();
    trend_window_->raise();
    trend_window_->activateWindow();
    return trend_window_;
}

bool TrendOpening::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease &&
        static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
        open();
        return true;
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace qm720::gui
