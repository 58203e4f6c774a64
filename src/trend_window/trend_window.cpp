#include "trend_window/trend_window.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>
#include <chrono>

#include "gui/text.h"
#include "trend/trend_csv.h"

namespace qm720::gui {

namespace {

QPushButton* add_button(QHBoxLayout& row, const QString& text) {
    auto* button = new QPushButton(text);
    button->setAccessibleName(text);
    row.addWidget(button);
    return button;
}

std::chrono::milliseconds share_of(const TimeRange& range, double fraction) {
    return std::chrono::milliseconds(
        static_cast<std::int64_t>(static_cast<double>(range.width().count()) * fraction));
}

}  // namespace

TrendWindow::TrendWindow(TrendRecorder& recorder, QWidget* main_window)
    : QWidget(main_window, Qt::Window), recorder_(recorder), chart_(new TrendChart) {
    setWindowTitle(QString::fromUtf8(kTitle));
    setAccessibleName(QString::fromUtf8(kTitle));
    setObjectName(QStringLiteral("TrendWindow"));
    view_ = new TrendChartView(chart_, gestures());
    view_->setAccessibleName(QStringLiteral("График: уровень, температура, текущее значение"));

    auto* controls = new QHBoxLayout;
    current_value_ = new QCheckBox(QStringLiteral("Текущее значение"));
    current_value_->setAccessibleName(current_value_->text());
    controls->addWidget(current_value_);
    controls->addStretch();
    QPushButton* now = add_button(*controls, QStringLiteral("Сейчас"));
    QPushButton* whole = add_button(*controls, QStringLiteral("Весь сеанс"));
    QPushButton* csv = add_button(*controls, QStringLiteral("Сохранить CSV"));
    QPushButton* png = add_button(*controls, QStringLiteral("Сохранить PNG"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(controls);
    layout->addWidget(view_, 1);

    connect(current_value_, &QCheckBox::toggled, this, [this] { redraw(); });
    connect(now, &QPushButton::clicked, this, [this] {
        span_.follow();
        redraw();
    });
    connect(whole, &QPushButton::clicked, this, [this] {
        span_.show_whole_session();
        redraw();
    });
    connect(csv, &QPushButton::clicked, this, [this] { save_csv(); });
    connect(png, &QPushButton::clicked, this, [this] { save_png(); });

    resize(900, 560);
    if (main_window != nullptr) {
        move(main_window->frameGeometry().topRight() + QPoint(8, 0));
    }
    redraw_after_tick_.setSingleShot(true);
    redraw_after_tick_.setInterval(0);
    connect(&redraw_after_tick_, &QTimer::timeout, this, [this] { redraw(); });
    recorder_.set_listener([this] {
        if (isVisible()) {
            redraw_after_tick_.start();
        }
    });
    redraw();
}

TrendWindow::~TrendWindow() {
    recorder_.set_listener({});
}

void TrendWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    redraw();
}

TimeRange TrendWindow::shown() const {
    const TrendHistory& history = recorder_.history();
    const TrendTime last = history.last_tick() ? *history.last_tick() : recorder_.now();
    return span_.range(history.first_tick() ? *history.first_tick() : last, last);
}

void TrendWindow::redraw() {
    chart_->draw(recorder_.history(), shown(), current_value_->isChecked());
}

TrendChartView::Gestures TrendWindow::gestures() {
    return {
        .zoom =
            [this](double factor, double at) {
                const TimeRange range = shown();
                span_.zoom(range, range.from + share_of(range, at), factor);
                redraw();
            },
        .drag_started = [this] { shown_when_drag_started_ = shown(); },
        .dragged =
            [this](double moved) {
                span_.pan(shown_when_drag_started_, -share_of(shown_when_drag_started_, moved));
                redraw();
            },
    };
}

QString TrendWindow::file_to_save(const QString& title, const QString& suffix) {
    const QString name = QStringLiteral("qm720-") +
                         QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss")) +
                         QStringLiteral(".") + suffix;
    return QFileDialog::getSaveFileName(
        this, title, QDir::home().filePath(name),
        suffix.toUpper() + QStringLiteral(" (*.") + suffix + QStringLiteral(")"));
}

void TrendWindow::save_csv() {
    const QString path = file_to_save(QStringLiteral("Сохранить CSV"), QStringLiteral("csv"));
    if (path.isEmpty()) {
        return;
    }
    QFile file(path);
    const std::string csv = trend_csv(recorder_.history());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(csv.data(), static_cast<qint64>(csv.size())) !=
            static_cast<qint64>(csv.size())) {
        report_unsaved(path, file.errorString());
    }
}

void TrendWindow::save_png() {
    const QString path = file_to_save(QStringLiteral("Сохранить PNG"), QStringLiteral("png"));
    if (!path.isEmpty() && !view_->grab().save(path, "PNG")) {
        report_unsaved(path, QStringLiteral("PNG не записан"));
    }
}

void TrendWindow::report_unsaved(const QString& path, const QString& reason) {
    QMessageBox::warning(
        this, QString::fromUtf8(kTitle),
        QStringLiteral("Файл не записан: ") + path + QStringLiteral(": ") + reason);
}

}  // namespace qm720::gui
